# Installs the build into PREFIX and checks the tree a package is made of.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(expected
  lib/tarvex/tarvex lib/tarvex/quillet lib/tarvex/zendor lib/tarvex/zipall lib/tarvex/tarvex-devicesim
  "lib/tarvex/Terminal Tarvex.hlp" lib/tarvex/quillet.hlp
  lib/tarvex/Kunde/Konfiguration/Menustruktur00.dat lib/tarvex/Kunde/Konfiguration/Scripts.ini
  bin/tarvex-demo
  share/tarvex/demo-kunde/kunde.ini share/tarvex/demo-kunde/Konfiguration/Scripts.ini
  share/applications/tarvex.desktop share/applications/quillet.desktop
  share/icons/hicolor/scalable/apps/tarvex.svg share/icons/hicolor/scalable/apps/quillet.svg
  share/man/man1/tarvex.1.gz share/man/man1/quillet.1.gz
  share/doc/tarvex/copyright share/doc/tarvex/changelog.gz)
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()

# The programs in the search path are relative links into the program folder, so the
# terminal finds zendor, Quillet and the help files beside itself.
foreach(program tarvex quillet zendor zipall tarvex-devicesim)
  set(link "${PREFIX}/bin/${program}")
  if(NOT IS_SYMLINK "${link}")
    message(FATAL_ERROR "bin/${program} is not a link")
  endif()
  file(READ_SYMLINK "${link}" target)
  if(NOT target STREQUAL "../lib/tarvex/${program}")
    message(FATAL_ERROR "bin/${program} points to ${target}")
  endif()
  if(NOT EXISTS "${PREFIX}/bin/${target}")
    message(FATAL_ERROR "bin/${program} is dangling")
  endif()
endforeach()

# Desktop entries: the programs they start exist, and Quillet offers itself for text files.
file(READ "${PREFIX}/share/applications/quillet.desktop" quillet_entry)
if(NOT quillet_entry MATCHES "\nExec=quillet %f\n" OR NOT quillet_entry MATCHES "\nMimeType=text/plain;\n")
  message(FATAL_ERROR "quillet.desktop does not start quillet for text files")
endif()
file(READ "${PREFIX}/share/applications/tarvex.desktop" tarvex_entry)
if(NOT tarvex_entry MATCHES "\nExec=tarvex\n" OR NOT tarvex_entry MATCHES "\nIcon=tarvex\n")
  message(FATAL_ERROR "tarvex.desktop does not start the terminal with its icon")
endif()
file(REMOVE_RECURSE "${PREFIX}")
