# Runs the program with each command line below, without any display, and
# checks its exit status and what it prints. Options that end the program
# must do so before it looks for a display; everything else must end it with
# one line on standard error instead of Qt's abort. A Windows build runs
# under EMULATOR (Wine), has a display wherever it runs, and ends its lines
# with CR LF.
set(failures "")

# expect(STATUS STDOUT_PATTERN STDERR_PATTERN DISPLAY [ARGUMENTS...])
#   DISPLAY "-" runs the program with no display at all, "silent" with one
#   that takes the connection and never answers.
function(expect status out_pattern err_pattern display)
  set(environment --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM --unset=XDG_SESSION_TYPE)
  set(program ${PROGRAM})
  if(display STREQUAL "silent")
    set(program ${SILENT_DISPLAY} ${PROGRAM})
  elseif(NOT display STREQUAL "-")
    list(APPEND environment DISPLAY=${display})
  endif()
  # "timeout": the program must still be running after a few seconds.
  set(wait 60)
  if(status STREQUAL "timeout")
    set(wait 5)
    set(status "Process terminated due to timeout")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${EMULATOR} ${program} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT ${wait})
  if(EMULATOR)
    string(REPLACE "\r\n" "\n" out "${out}")
    string(REPLACE "\r\n" "\n" err "${err}")
  endif()
  if(NOT code STREQUAL status OR NOT out MATCHES "${out_pattern}" OR NOT err MATCHES "${err_pattern}")
    set(failures "${failures}\nkestrami ${ARGN} (display ${display}): status ${code}, expected ${status}\n"
                 "--- standard output:\n${out}--- standard error:\n${err}" PARENT_SCOPE)
  endif()
endfunction()

set(help "^Usage: kestrami \\[--help \\| --version\\] \\[Qt options\\]\n.*\n  -h, --help .*\n  -v, --version .*\nQt's standard options.*\n$")
set(none "^$")
set(refused "; try 'kestrami --help'\n$")
set(no_display "^kestrami: no display found; [^\n]*\n$")

expect(0 "${help}" "${none}" - --help)
expect(0 "${help}" "${none}" - -h --version)
expect(0 "^kestrami ${VERSION}\n$" "${none}" - --version)
expect(0 "^kestrami ${VERSION}\n$" "${none}" - -v)
expect(2 "${none}" "^kestrami: unknown option '--bogus'${refused}" - --bogus)
expect(2 "${none}" "^kestrami: unexpected value after '--version'${refused}" - --version=2)
expect(2 "${none}" "^kestrami: unexpected argument 'Kestrami.txt'${refused}" - Kestrami.txt)
expect(2 "${none}" "^kestrami: unexpected argument '--'${refused}" - --)
# What a display does to the start is the desktop's: an X11 one here, none
# under Wine, where the program always has the Windows desktop.
if(NOT EMULATOR)
  # Qt's standard options are Qt's to take: without a display they end as
  # any start does there ...
  expect(1 "${none}" "${no_display}" - -style Fusion -reverse -platform xcb)
  # ... and a platform that needs none opens the window, which stays until
  # it is closed: the run is stopped after a while. Qt may warn meanwhile,
  # but the program says nothing.
  expect(timeout "${none}" "^$|^[^k]" - -platform offscreen -style Fusion -reverse)
  expect(1 "${none}" "${no_display}" -)
  # A display that is named but cannot be reached, and one that never
  # answers: the program gives up on it after a few seconds, long before the
  # run would be stopped.
  expect(1 "${none}" "${no_display}" :65000)
  expect(1 "${none}" "${no_display}" silent)
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
