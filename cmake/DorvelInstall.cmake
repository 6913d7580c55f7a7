# The installed layout: the installation folder (programs and data folders
# together, since the programs find their data beside their own executable)
# is <prefix>/lib/dorvel; <prefix>/bin holds links to the programs; the
# desktop entries, file types and icon go where freedesktop desktops look.
set(DORVEL_INSTALL_HOME "lib/dorvel")
set(dorvel_installed_programs dorvel dorvel-cli VTX)

foreach(program IN LISTS dorvel_installed_programs)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION "${DORVEL_INSTALL_HOME}")
        install(CODE "
            file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
            file(CREATE_LINK \"../${DORVEL_INSTALL_HOME}/${program}\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\" SYMBOLIC)
            message(STATUS \"Linking: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")")
    endif()
endforeach()

# The data folders as the build laid them out beside the programs.
foreach(folder Buttons DorvelTemplates DVLang DVSounds DVHelp Samples)
    install(DIRECTORY "${DORVEL_INSTALL_DIR}/${folder}" DESTINATION "${DORVEL_INSTALL_HOME}")
endforeach()

if(DORVEL_MAKER_SITE)
    install(FILES "${DORVEL_INSTALL_DIR}/maker-site.txt" DESTINATION "${DORVEL_INSTALL_HOME}")
endif()

# Desktop entries name the programs by their installed path, known only
# when installing (cmake --install --prefix may choose another prefix).
set(dorvel_install_data "${PROJECT_SOURCE_DIR}/data/install")
# The program's path is quoted only when it must be: Debian's xdg-open (used
# where no full desktop runs) cannot start an Exec line whose path is quoted.
foreach(entry dorvel dorvel-vtx)
    if(entry STREQUAL "dorvel")
        set(entry_program dorvel)
    else()
        set(entry_program VTX)
    endif()
    install(CODE "
        set(DORVEL_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${DORVEL_INSTALL_HOME}/${entry_program}\")
        if(DORVEL_PROGRAM MATCHES \"[ \\\"'\\\\\\$]\")
            set(DORVEL_PROGRAM \"\\\"\${DORVEL_PROGRAM}\\\"\")
        endif()
        configure_file(\"${dorvel_install_data}/${entry}.desktop.in\"
                       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${entry}.desktop\" @ONLY)
        message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${entry}.desktop\")")
endforeach()
install(FILES "${dorvel_install_data}/dorvel-mime.xml" DESTINATION share/mime/packages RENAME dorvel.xml)
install(FILES "${dorvel_install_data}/dorvel.svg" DESTINATION share/icons/hicolor/scalable/apps)

# Let the desktop learn the new types at once when installing into a live
# system (skipped for staged installs into DESTDIR and when the tools are
# missing).
install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
        find_program(update_mime update-mime-database)
        find_program(update_desktop update-desktop-database)
        if(update_mime)
            execute_process(COMMAND \${update_mime} \"\${CMAKE_INSTALL_PREFIX}/share/mime\" OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(update_desktop)
            execute_process(COMMAND \${update_desktop} \"\${CMAKE_INSTALL_PREFIX}/share/applications\" OUTPUT_QUIET ERROR_QUIET)
        endif()
    endif()")
