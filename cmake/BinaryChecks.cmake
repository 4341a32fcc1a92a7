# Checks of the shipped 32-bit programs as files: PE32 GUI images with ASLR, DEP and a
# relocation section, importing only Windows system DLLs, carrying the ten-image icon group and
# the manifest, and under 200 KiB. They run on the build machine with binutils and icoutils.
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND MINGW)
    find_program(SETUPSUPPORT_OBJDUMP NAMES ${CMAKE_OBJDUMP} i686-w64-mingw32-objdump REQUIRED)
    find_program(SETUPSUPPORT_WRESTOOL NAMES wrestool REQUIRED)
    foreach(program postinstall preuninstall)
        add_test(NAME binary_checks_${program}
                 COMMAND sh ${PROJECT_SOURCE_DIR}/tests/check-program-image.sh
                         $<TARGET_FILE:${program}> ${SETUPSUPPORT_OBJDUMP} ${SETUPSUPPORT_WRESTOOL}
                         ${PROJECT_VERSION})
    endforeach()
    # The release archive: built with CPack and its listing checked.
    add_test(NAME release_archive
             COMMAND sh ${PROJECT_SOURCE_DIR}/tests/check-release-archive.sh ${CMAKE_CPACK_COMMAND}
                     ${PROJECT_BINARY_DIR} setupsupport-${PROJECT_VERSION}-win32)
endif()
