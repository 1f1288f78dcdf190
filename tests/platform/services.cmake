druno_add_test(platform_services_test
    SOURCES ServicesTest.cpp ProfileBatchTest.cpp
    LIBS platform_ui)
druno_add_test(platform_messagebox_test
    SOURCES MessageBoxTest.cpp
    LIBS platform_ui GUI)

# Its own process: whether the sound library is mapped depends on every sound asked for before.
find_package(Qt6 REQUIRED COMPONENTS Test)
druno_add_test(platform_sound_loading_test
    SOURCES SoundLoadingTest.cpp
    LIBS druno_program Qt6::Test GUI)
