# Runs the program with each command line below, without any display, and
# checks its exit status and what it prints. Options that end the program
# must do so before it looks for a display; everything else must end it with
# one line on standard error instead of Qt's abort. A Windows build runs
# under EMULATOR (Wine), has a display wherever it runs, and ends its lines
# with CR LF.
set(failures "")

# expect(STATUS STDOUT_PATTERN STDERR_PATTERN DISPLAY [ARGUMENTS...])
#   DISPLAY "-" runs the program with no display at all.
function(expect status out_pattern err_pattern display)
  set(environment --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM --unset=XDG_SESSION_TYPE)
  if(NOT display STREQUAL "-")
    list(APPEND environment DISPLAY=${display})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${EMULATOR} ${PROGRAM} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(EMULATOR)
    string(REPLACE "\r\n" "\n" out "${out}")
    string(REPLACE "\r\n" "\n" err "${err}")
  endif()
  if(NOT code STREQUAL status OR NOT out MATCHES "${out_pattern}" OR NOT err MATCHES "${err_pattern}")
    set(failures "${failures}\nkestrami ${ARGN} (display ${display}): status ${code}, expected ${status}\n"
                 "--- standard output:\n${out}--- standard error:\n${err}" PARENT_SCOPE)
  endif()
endfunction()

set(help "^Usage: kestrami \\[--help \\| --version\\]\n.*\n  -h, --help .*\n  -v, --version .*\n$")
set(none "^$")
set(refused "; try 'kestrami --help'\n$")
set(no_display "^kestrami: no display found; [^\n]*\n$")

expect(0 "${help}" "${none}" - --help)
expect(0 "${help}" "${none}" - -h --version)
expect(0 "^kestrami ${VERSION}\n$" "${none}" - --version)
expect(0 "^kestrami ${VERSION}\n$" "${none}" - -v)
expect(2 "${none}" "^kestrami: unknown option 'bogus'${refused}" - --bogus)
expect(2 "${none}" "^kestrami: unknown option 'platform'${refused}" - -platform offscreen)
expect(2 "${none}" "^kestrami: unexpected value after '--version'${refused}" - --version=2)
expect(2 "${none}" "^kestrami: unexpected argument 'Kestrami.txt'${refused}" - Kestrami.txt)
if(NOT EMULATOR)
  expect(1 "${none}" "${no_display}" -)
  # A display that is named but cannot be reached.
  expect(1 "${none}" "${no_display}" :65000)
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
