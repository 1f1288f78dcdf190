# The application framework: command tables and routing, frames, views, drawing, the screen
# and the document template, on real widgets on the offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
druno_add_test(platform_framework_test GUI
    SOURCES
        CommandRoutingTest.cpp
        FrameTest.cpp
        DrawingTest.cpp
        MemoryContextTest.cpp
        WindowTest.cpp
        DocTemplateTest.cpp
        FrameworkFixture.h
    LIBS platform_ui druno_res Qt6::Test)

# Run() makes the QApplication itself: a test without the window tests' main.
druno_add_test(platform_application_test
    SOURCES ApplicationRunTest.cpp
    LIBS platform_ui)
