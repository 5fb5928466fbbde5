# Installs the build into a temporary prefix, given only at install time, and
# checks that everything lands where a desktop and a Debian system look for
# it, that the desktop entry and metainfo pass their validators, and that the
# version the program prints is the one its documents name.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(id io.github.kestrami.Kestrami)
set(icons share/icons/hicolor)
foreach(path
    bin/kestrami
    share/applications/${id}.desktop
    share/metainfo/${id}.metainfo.xml
    share/man/man1/kestrami.1.gz
    share/doc/kestrami/copyright
    share/doc/kestrami/changelog.gz
    ${icons}/scalable/apps/${id}.svg)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# Each PNG icon is as large as the folder it is in says (width and height
# are the big-endian words at bytes 16 and 20).
foreach(size 16 32 48 64 128 256)
  file(READ ${PREFIX}/${icons}/${size}x${size}/apps/${id}.png header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${header} 0 8 width)
  string(SUBSTRING ${header} 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "the ${size}x${size} icon is ${width}x${height}")
  endif()
endforeach()

# Compressed with gzip, as Debian wants the manual page and changelog.
foreach(path share/man/man1/kestrami.1.gz share/doc/kestrami/changelog.gz)
  file(READ ${PREFIX}/${path} magic LIMIT 2 HEX)
  if(NOT magic STREQUAL "1f8b")
    message(FATAL_ERROR "not gzip-compressed: ${path}")
  endif()
endforeach()

# The About window's "LICENSE file" leads to the licence's text.
file(READ ${PREFIX}/share/doc/kestrami/LICENSE licence)
if(NOT licence MATCHES "License: MIT\n Permission is hereby granted")
  message(FATAL_ERROR "share/doc/kestrami/LICENSE does not show the licence")
endif()

file(READ ${PREFIX}/share/applications/${id}.desktop entry)
if(NOT entry MATCHES "\nExec=kestrami\n" OR NOT entry MATCHES "\nIcon=${id}\n")
  message(FATAL_ERROR "the desktop entry does not start kestrami with its icon")
endif()
foreach(validator
    "desktop-file-validate;${PREFIX}/share/applications/${id}.desktop"
    "appstreamcli;validate;--no-net;${PREFIX}/share/metainfo/${id}.metainfo.xml")
  execute_process(COMMAND ${validator} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${validator}: ${result}\n${output}")
  endif()
endforeach()

# One version everywhere: the program's --version, the manual page, the
# metainfo's newest release and the changelog's newest entry.
execute_process(COMMAND ${PREFIX}/bin/kestrami --version OUTPUT_VARIABLE printed)
string(REGEX REPLACE "^kestrami ([^\n]*)\n$" "\\1" version "${printed}")
foreach(file_and_pattern
    "${SOURCE_DIR}/data/kestrami.1|\"Kestrami ${version}\""
    "${PREFIX}/share/metainfo/${id}.metainfo.xml|<releases>[ \n]*<release version=\"${version}\" date=\"[0-9-]+\""
    "${SOURCE_DIR}/data/changelog|^kestrami \\(${version}\\)")
  string(REPLACE "|" ";" file_and_pattern "${file_and_pattern}")
  list(GET file_and_pattern 0 file)
  list(GET file_and_pattern 1 pattern)
  file(READ ${file} text)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${file} does not name version ${version}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
