# Installation and the Debian package.
#
#   /usr/lib/tarvex/      the programs side by side, with their help files: the terminal
#                         starts zendor and Quillet from its own folder
#   /usr/bin/             links to the programs a user starts, and tarvex-demo
#   /usr/share/tarvex/    the demo customer data (tarvex-demo copies it per user)
#   /usr/share/applications, /usr/share/icons/hicolor   desktop entries and icons
#
# The program folder is not writable for users, so each user's customer data folder is
# the per-user one (~/.local/share/Kavimor/Tarvex/Kunde), started from the program
# folder's "Kunde".
include(GNUInstallDirs)

set(TARVEX_PROGRAM_DIR "lib/tarvex")

set(_tarvex_programs tarvex tarvex-devicesim)
if(TARGET quillet)
  list(APPEND _tarvex_programs quillet)
endif()
if(TARGET zendor)
  list(APPEND _tarvex_programs zendor)
endif()
if(TARGET zipall)
  list(APPEND _tarvex_programs zipall)
endif()
install(TARGETS ${_tarvex_programs} RUNTIME DESTINATION ${TARVEX_PROGRAM_DIR})

install(FILES "${PROJECT_SOURCE_DIR}/terminal/help/Terminal Tarvex.hlp" DESTINATION ${TARVEX_PROGRAM_DIR})
if(TARGET quillet)
  install(FILES "${PROJECT_SOURCE_DIR}/quillet/help/quillet.hlp" DESTINATION ${TARVEX_PROGRAM_DIR})
endif()

# Links in the search path; relative, so the tree can be moved (DESTDIR, packages).
foreach(program IN LISTS _tarvex_programs)
  install(CODE "
    set(_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(REMOVE \"\${_link}\")
    file(CREATE_LINK \"../${TARVEX_PROGRAM_DIR}/${program}\" \"\${_link}\" SYMBOLIC)
    message(STATUS \"Installing link: \${_link}\")")
endforeach()
install(PROGRAMS "${PROJECT_SOURCE_DIR}/packaging/tarvex-demo" DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/kunde/" DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvex/demo-kunde)
# The start of every user's own customer data folder: the menu structure and the script
# bar. The programs copy what the program folder's "Kunde" holds into the per-user folder
# the first time they run; the port and everything else the user sets up.
install(FILES "${PROJECT_SOURCE_DIR}/data/kunde/Konfiguration/Menustruktur00.dat"
              "${PROJECT_SOURCE_DIR}/data/kunde/Konfiguration/Scripts.ini"
        DESTINATION ${TARVEX_PROGRAM_DIR}/Kunde/Konfiguration)

install(FILES "${PROJECT_SOURCE_DIR}/packaging/tarvex.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/icons/tarvex.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(TARGET quillet)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/quillet.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/icons/quillet.svg"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Manual pages, compressed as Debian expects them.
file(GLOB _tarvex_man_pages "${PROJECT_SOURCE_DIR}/packaging/man/*.1")
foreach(page IN LISTS _tarvex_man_pages)
  get_filename_component(_name "${page}" NAME)
  set(_gz "${CMAKE_BINARY_DIR}/packaging/man/${_name}.gz")
  add_custom_command(OUTPUT "${_gz}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/packaging/man"
    COMMAND gzip -9 -n -c "${page}" > "${_gz}"
    DEPENDS "${page}"
    VERBATIM)
  list(APPEND _tarvex_man_gz "${_gz}")
endforeach()
add_custom_target(tarvex_man_pages ALL DEPENDS ${_tarvex_man_gz})
install(FILES ${_tarvex_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Package documentation as Debian expects it: copyright and a compressed changelog.
set(_tarvex_doc_dir "${CMAKE_INSTALL_DATADIR}/doc/tarvex")
set(_tarvex_changelog "${CMAKE_BINARY_DIR}/packaging/changelog.gz")
string(TIMESTAMP _tarvex_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${CMAKE_BINARY_DIR}/packaging/changelog"
  "tarvex (${PROJECT_VERSION}) stable; urgency=medium\n\n"
  "  * Release ${PROJECT_VERSION}.\n\n"
  " -- Kavimor Support <support@kavimor.de>  ${_tarvex_date}\n")
add_custom_command(OUTPUT "${_tarvex_changelog}"
  COMMAND gzip -9 -n -c "${CMAKE_BINARY_DIR}/packaging/changelog" > "${_tarvex_changelog}"
  DEPENDS "${CMAKE_BINARY_DIR}/packaging/changelog"
  VERBATIM)
add_custom_target(tarvex_package_docs ALL DEPENDS "${_tarvex_changelog}")
install(FILES "${_tarvex_changelog}" DESTINATION ${_tarvex_doc_dir})
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" DESTINATION ${_tarvex_doc_dir})

set(CPACK_PACKAGE_NAME "tarvex")
set(CPACK_PACKAGE_VENDOR "Kavimor")
set(CPACK_PACKAGE_CONTACT "Kavimor Support <support@kavimor.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Terminal for devices on a serial line, with office helper and editor")
set(CPACK_PACKAGE_DESCRIPTION
  "Terminal Tarvex receives, shows, stores and evaluates what a device prints\n"
  "on a serial line, for example the call and charge records of a telephone\n"
  "system: live display, monitor and capture files, scripts, alarms, scheduler,\n"
  "statistics, modem, telnet and binary transfer. The package also holds the\n"
  "office helper zendor, the archiver zipall, the tabbed text editor Quillet\n"
  "and a device simulator (tarvex-demo).")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "comm")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kavimor.de/")
# Library dependencies from the programs themselves (dpkg-shlibdeps); the Qt plugins and
# tools the programs load or start at run time are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")
# Mail, web pages and the file association go through the desktop's tools; dial-up
# connections through NetworkManager.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "network-manager")
set(CPACK_STRIP_FILES ON)
include(CPack)
