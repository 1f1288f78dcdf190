# Runs one test executable in a fresh private home folder.
file(REMOVE_RECURSE ${HOME})
file(MAKE_DIRECTORY ${HOME}/.config)
file(MAKE_DIRECTORY ${HOME}/run)
file(CHMOD ${HOME}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${EXE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${EXE} failed: ${result}")
endif()
