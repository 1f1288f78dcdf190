# druno_add_test(name SOURCES a.cpp ... LIBS lib ... [GUI])
# One GoogleTest executable, run by CTest on Qt's offscreen platform with a private home,
# settings and runtime folder, so that tests never touch the user's files or each other's.
# GUI tests get the window tests' main (a QApplication and the resources) in place of
# GoogleTest's.
function(druno_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE druno_test_gui_main ${ARG_LIBS} GTest::gtest GTest::gmock)
    else()
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    endif()
    set(home ${CMAKE_CURRENT_BINARY_DIR}/${name}.home)
    # LANGUAGE=en: the tests read the program's own English whatever the desktop's language;
    # the language tests set their own.
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E env
        QT_QPA_PLATFORM=offscreen LANGUAGE=en HOME=${home} XDG_CONFIG_HOME=${home}/.config
        XDG_RUNTIME_DIR=${home}/run
        ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${name}> -DHOME=${home}
        -P ${PROJECT_SOURCE_DIR}/cmake/RunTest.cmake)
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
