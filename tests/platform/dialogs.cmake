# Dialogs from templates, controls and data exchange, on the real templates.
find_package(Qt6 REQUIRED COMPONENTS Test)
druno_add_test(platform_dialog_tests GUI
    SOURCES DialogTest.cpp
    LIBS platform_ui druno_res druno_test_modal Qt6::Test)
