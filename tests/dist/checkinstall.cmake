# Installs the build into DESTDIR and checks that every file of the installed program is
# there, that the icons have their sizes, and that the installed binaries find both libraries
# in the install tree itself.
file(REMOVE_RECURSE "${DESTDIR}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DESTDIR} ${CMAKE_COMMAND} --install "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(root "${DESTDIR}${PREFIX}")
set(expected
    ${BINDIR}/velmora
    ${BINDIR}/velmora-module-sim
    ${BINDIR}/velmora-cli
    ${PRIVATE_LIBDIR}/libvlm_core.so
    ${PRIVATE_LIBDIR}/libvlm_gui.so
    ${DATADIR}/applications/velmora.desktop
    ${DATADIR}/icons/hicolor/48x48/apps/velmora.png
    ${DATADIR}/icons/hicolor/256x256/apps/velmora.png
    ${DATADIR}/mime/packages/velmora.xml
    ${DATADIR}/metainfo/example.norvet.velmora.metainfo.xml
    ${DOCDIR}/manual.pdf
    ${DOCDIR}/copyright
    ${DOCDIR}/changelog.gz
    ${MANDIR}/man1/velmora.1.gz
    ${MANDIR}/man1/velmora-module-sim.1.gz
    ${MANDIR}/man1/velmora-cli.1.gz
    ${DOCDIR}/runtime.md
)
set(missing "")
foreach(path IN LISTS expected)
    if(NOT EXISTS "${root}/${path}" OR IS_DIRECTORY "${root}/${path}")
        list(APPEND missing "${path}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "Not installed: ${missing}")
endif()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size 48 256)
    file(READ "${root}/${DATADIR}/icons/hicolor/${size}x${size}/apps/velmora.png" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 16 dimensions)
    math(EXPR word "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" word "${word}")
    string(LENGTH "${word}" length)
    while(length LESS 8)
        string(PREPEND word "0")
        string(LENGTH "${word}" length)
    endwhile()
    if(NOT dimensions STREQUAL "${word}${word}")
        message(FATAL_ERROR "The ${size} px icon is not ${size} x ${size}: ${dimensions}")
    endif()
endforeach()

file(READ "${root}/${DATADIR}/mime/packages/velmora.xml" mime)
foreach(part "type=\"application/x-velmora-project\"" "pattern=\"*.vlm\""
             "offset=\"0\" value=\"\\x6e\\x1c\\x4b\\x9a\\x2f\\x07\\xd3\\x58\"")
    string(FIND "${mime}" "${part}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "The project file type lacks ${part}")
    endif()
endforeach()

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${root}/${BINDIR}/velmora" "${root}/${BINDIR}/velmora-module-sim"
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    PRE_INCLUDE_REGEXES "libvlm_"
    PRE_EXCLUDE_REGEXES ".*"
)
if(unresolved)
    message(FATAL_ERROR "Libraries not found from the install tree: ${unresolved}")
endif()
set(found "")
foreach(path IN LISTS resolved)
    file(REAL_PATH "${path}" path)
    list(APPEND found "${path}")
endforeach()
foreach(library libvlm_core.so libvlm_gui.so)
    file(REAL_PATH "${root}/${PRIVATE_LIBDIR}/${library}" path)
    list(FIND found "${path}" index)
    if(index EQUAL -1)
        message(FATAL_ERROR "${library} does not resolve into the install tree: ${resolved}")
    endif()
endforeach()
