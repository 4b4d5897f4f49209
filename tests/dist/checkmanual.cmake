# Lays the manual out with the build's tool and checks the PDF it wrote: a PDF header and
# more than one page object.
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${TOOL}" "${SOURCE}" "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "velmora-manualpdf failed: ${result}")
endif()
file(READ "${OUTPUT}" head LIMIT 5 HEX)
if(NOT head STREQUAL "255044462d") # "%PDF-"
    message(FATAL_ERROR "${OUTPUT} is not a PDF")
endif()
file(STRINGS "${OUTPUT}" pages REGEX "/Type */Page($|[^s])")
list(LENGTH pages count)
message(STATUS "The manual has ${count} pages")
if(count LESS 2)
    message(FATAL_ERROR "The manual has ${count} pages, expected more than one")
endif()
