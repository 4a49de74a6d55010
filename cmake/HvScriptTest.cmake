# hv_add_script_test(NAME name SCRIPT file.vbs [SERVERS target ...]
#                    [LOCALES pt_BR en_US] [TIMEOUT seconds] [FOCUS] [SERIAL]
#                    [DISMISS title])
# Registers a ctest entry that runs a VBScript under the project's Wine
# prefix with cscript, through script_runner: the servers (library targets)
# are registered with regsvr32 first, the check procedures of
# tests/script/Checks.vbs come before the script, and the test passes only
# when the script printed its end marker ("Finish") and no check failed.
# Scripts are plain ASCII and never show a message box. Such tests register
# servers, so they hold the registry lock. DISMISS: the script opens a modal
# dialog whose title starts with title (an About box); the runner closes it
# with IDOK and fails the run when it never showed.
function(hv_add_script_test)
  cmake_parse_arguments(S "FOCUS;SERIAL" "NAME;SCRIPT;TIMEOUT;DISMISS" "SERVERS;LOCALES" ${ARGN})
  if(NOT TARGET script_runner)
    add_executable(script_runner ${PROJECT_SOURCE_DIR}/tests/script/ScriptRunner.cpp)
    target_link_options(script_runner PRIVATE -municode)
    set_target_properties(script_runner PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests/script)
  endif()
  if(NOT S_LOCALES)
    set(S_LOCALES pt_BR)
  endif()
  if(NOT S_TIMEOUT)
    set(S_TIMEOUT 180)
  endif()
  get_filename_component(script ${S_SCRIPT} ABSOLUTE)
  set(args)
  foreach(server IN LISTS S_SERVERS)
    list(APPEND args --register $<TARGET_FILE:${server}>)
  endforeach()
  if(S_DISMISS)
    list(APPEND args --dismiss ${S_DISMISS})
  endif()
  math(EXPR limit "${S_TIMEOUT} - 20")
  list(APPEND args --prelude ${PROJECT_SOURCE_DIR}/tests/script/Checks.vbs --timeout ${limit} ${script})
  foreach(loc IN LISTS S_LOCALES)
    if(loc STREQUAL "pt_BR")
      set(test_name ${S_NAME})
    else()
      set(test_name ${S_NAME}.${loc})
    endif()
    add_test(NAME ${test_name} COMMAND script_runner ${args})
    set_tests_properties(${test_name} PROPERTIES
      ENVIRONMENT "HV_LOCALE=${loc}.UTF-8;HV_TIMEOUT=${S_TIMEOUT}"
      TIMEOUT ${S_TIMEOUT}
      RESOURCE_LOCK hv_registry)
    if(S_FOCUS)
      set_property(TEST ${test_name} APPEND PROPERTY RESOURCE_LOCK hv_desktop_focus)
    endif()
    if(S_SERIAL)
      set_property(TEST ${test_name} PROPERTY RUN_SERIAL TRUE)
    endif()
  endforeach()
endfunction()
