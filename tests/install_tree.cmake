# Installs the build into a temporary prefix and checks that the program, its
# desktop entry and its icons land where a desktop looks for them.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
    bin/kestrami
    share/applications/kestrami.desktop
    share/icons/hicolor/16x16/apps/kestrami.png
    share/icons/hicolor/32x32/apps/kestrami.png)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/kestrami.desktop entry)
if(NOT entry MATCHES "\nExec=kestrami\n" OR NOT entry MATCHES "\nIcon=kestrami\n")
  message(FATAL_ERROR "the desktop entry does not start kestrami with its icon")
endif()
file(REMOVE_RECURSE ${PREFIX})
