# Runs one nelowav script in a private folder against a private registry and checks its exit
# status, its standard output (exactly) and its standard error (a regular expression).
#   NELOWAV, REGSVR, MODULE  programs and the control module
#   SCRIPT                   the script; EXPECTED its expected output, or empty for none
#   EXIT                     the expected exit status; STDERR a regex its error output must match
#   WORK                     a folder of its own; REGISTER OFF skips registering the module
#   OPTION                   the option nelowav runs with, --json or --list
#   FILES                    a folder whose files are copied into WORK first, or empty
#   DISPLAY_NAME             a display to name, with Qt's platform left to its default
#   STDOUT                   a file standard output goes to instead of being compared
#   REGISTRY_FAULT           damaged or moved_module: how to spoil the registry after registering
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(FILES)
  file(GLOB seeds "${FILES}/*")
  file(COPY ${seeds} DESTINATION "${WORK}")
endif()
file(CHMOD "${WORK}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{KORVANE_COM_REGISTRY} "${WORK}/com-registry")
set(ENV{XDG_RUNTIME_DIR} "${WORK}")
set(ENV{QT_QPA_PLATFORM} "offscreen")
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
if(DISPLAY_NAME)
  set(ENV{DISPLAY} "${DISPLAY_NAME}")
  unset(ENV{QT_QPA_PLATFORM})
endif()

if(NOT REGISTER STREQUAL "OFF")
  execute_process(COMMAND "${REGSVR}" "${MODULE}" RESULT_VARIABLE registered
                  OUTPUT_QUIET ERROR_VARIABLE registerError)
  if(NOT registered EQUAL 0)
    message(FATAL_ERROR "regsvr failed (${registered}): ${registerError}")
  endif()
endif()

# Damage done to the registry after registering, for the cases where creation must fail.
if(REGISTRY_FAULT STREQUAL "damaged")
  file(APPEND "$ENV{KORVANE_COM_REGISTRY}" "not a registry line\n")
elseif(REGISTRY_FAULT STREQUAL "moved_module")
  file(READ "$ENV{KORVANE_COM_REGISTRY}" registry)
  file(REAL_PATH "${MODULE}" modulePath)
  string(REPLACE "${modulePath}" "${WORK}/moved.so" registry "${registry}")
  file(WRITE "$ENV{KORVANE_COM_REGISTRY}" "${registry}")
endif()

set(output "")
set(outputTo OUTPUT_VARIABLE output)
if(STDOUT)
  set(outputTo OUTPUT_FILE "${STDOUT}")
endif()
execute_process(COMMAND "${NELOWAV}" ${OPTION} "${SCRIPT}" WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE status ${outputTo} ERROR_VARIABLE errors
                TIMEOUT 60)
if(NOT status STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}\nstdout:\n${output}\nstderr:\n${errors}")
endif()
set(expectedOutput "")
if(EXPECTED)
  file(READ "${EXPECTED}" expectedOutput)
endif()
if(NOT output STREQUAL expectedOutput)
  message(FATAL_ERROR "stdout differs.\nexpected:\n${expectedOutput}\ngot:\n${output}\nstderr:\n${errors}")
endif()
if(NOT errors MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match '${STDERR}':\n${errors}")
endif()
if(CHECK_FILE AND NOT EXISTS "${WORK}/${CHECK_FILE}")
  message(FATAL_ERROR "${CHECK_FILE} was not written")
endif()
if(CHECK_FILE)
  file(SIZE "${WORK}/${CHECK_FILE}" size)
  if(NOT size EQUAL CHECK_SIZE)
    message(FATAL_ERROR "${CHECK_FILE} holds ${size} bytes, expected ${CHECK_SIZE}")
  endif()
endif()
