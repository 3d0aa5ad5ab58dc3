# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Documentation files that are installed compressed, as Debian requires of
# manual pages and changelogs: "gzip -9n" (best compression, no name or time
# stamp in the header, so the result is reproducible).

# zel_gzip(<source> <output>): builds <output> (ending in .gz) from <source>
# as part of "all".
function(zel_gzip source output)
    get_filename_component(source ${source} ABSOLUTE)
    string(REGEX REPLACE "\\.gz$" "" copy ${output})
    get_filename_component(name ${output} NAME)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND gzip -9nf ${copy}
        DEPENDS ${source}
        COMMENT "Compressing ${name}"
        VERBATIM)
    file(RELATIVE_PATH target ${CMAKE_BINARY_DIR} ${output})
    string(MAKE_C_IDENTIFIER "gzip-${target}" target)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

# zel_install_man_pages(<page>...): installs roff manual pages, each named
# <name>.<section> (zel-scheduler.1), compressed into
# ${KDE_INSTALL_MANDIR}/man<section>. Relative paths are taken from the calling
# directory, so a program's page may live beside its sources.
function(zel_install_man_pages)
    foreach(page IN LISTS ARGN)
        get_filename_component(name ${page} NAME)
        if(NOT name MATCHES "\\.([1-9])$")
            message(FATAL_ERROR "zel_install_man_pages: ${page} does not end in a section number")
        endif()
        set(section ${CMAKE_MATCH_1})
        set(output ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
        zel_gzip(${page} ${output})
        install(FILES ${output} DESTINATION ${KDE_INSTALL_MANDIR}/man${section})
    endforeach()
endfunction()
