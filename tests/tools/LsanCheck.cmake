# Runs the leaking program with LeakSanitizer and the project's suppressions; passes only when
# the leak is reported, in the function that made it.
file(MAKE_DIRECTORY ${HOME}/run)
file(CHMOD ${HOME}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${CMAKE_COMMAND} -E env
    QT_QPA_PLATFORM=offscreen HOME=${HOME} XDG_RUNTIME_DIR=${HOME}/run
    ASAN_OPTIONS=detect_leaks=1
    LSAN_OPTIONS=suppressions=${SUPPRESSIONS}:print_suppressions=0
    ${EXE}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT out MATCHES "leaked")
    message(FATAL_ERROR "the leaking program did not run to its end (${result}):\n${out}${err}")
endif()
if(result EQUAL 0 OR NOT err MATCHES "LeakSanitizer: detected memory leaks"
   OR NOT err MATCHES "LeakOnPurpose")
    message(FATAL_ERROR "a leak of our own was not reported (${result}):\n${err}")
endif()
