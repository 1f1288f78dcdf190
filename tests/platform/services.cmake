druno_add_test(platform_services_test
    SOURCES ServicesTest.cpp
    LIBS platform_ui)
druno_add_test(platform_messagebox_test
    SOURCES MessageBoxTest.cpp
    LIBS platform_ui GUI)
