# Starts the installed program with its own settings folder and passes when it is still
# running after five seconds: it found its libraries, built its window and did not crash.
file(REMOVE_RECURSE "${HOME_DIR}")
file(MAKE_DIRECTORY "${HOME_DIR}")
file(CHMOD "${HOME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{HOME} "${HOME_DIR}")
set(ENV{XDG_CONFIG_HOME} "${HOME_DIR}/.config")
set(ENV{XDG_RUNTIME_DIR} "${HOME_DIR}")
unset(ENV{LD_LIBRARY_PATH})
execute_process(COMMAND "${PROGRAM}" WORKING_DIRECTORY "${HOME_DIR}" TIMEOUT 5
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result MATCHES "timeout")
    message(FATAL_ERROR "${PROGRAM} ended early (${result}):\n${output}${errors}")
endif()
