druno_add_test(remotewindow_test SOURCES RemoteWindowTest.cpp LIBS platform_core)

# The debug output seen from outside: a child process writes, the test reads its error stream.
add_executable(debug_sink_child DebugSinkChild.cpp)
target_link_libraries(debug_sink_child PRIVATE platform_core)
druno_add_test(debug_sink_test SOURCES DebugSinkTest.cpp LIBS druno_test_child)
target_compile_definitions(debug_sink_test PRIVATE
    DEBUG_SINK_CHILD="$<TARGET_FILE:debug_sink_child>")
add_dependencies(debug_sink_test debug_sink_child)
