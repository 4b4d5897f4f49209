# Writes the source revision header: the first ten hex digits of the git commit the tree was
# built from, or zeros outside a git checkout. The file is rewritten only when it changes, so
# a build without a new commit recompiles nothing.
execute_process(COMMAND git -C "${SOURCE_DIR}" rev-parse HEAD
                OUTPUT_VARIABLE commit RESULT_VARIABLE result
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(result EQUAL 0 AND commit MATCHES "^[0-9a-f]+$")
    string(SUBSTRING "${commit}" 0 10 revision)
else()
    set(revision "0000000000")
endif()
set(content "#pragma once\n\n#define VELMORA_REVISION \"${revision}\"\n")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
endif()
if(NOT "${previous}" STREQUAL "${content}")
    file(WRITE "${OUTPUT}" "${content}")
endif()
