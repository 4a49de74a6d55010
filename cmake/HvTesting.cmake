# Test executables are Windows programs that ctest runs under Wine through
# tools/wine-run, with doctest as the framework.
#
#   hv_add_test(NAME name SOURCES a.cpp ... [LIBS lib ...] [LOCALES pt_BR en_US]
#               [TIMEOUT seconds] [FOCUS] [REGISTRY] [SERIAL])
# Builds one executable and registers it once per locale (pt_BR by default);
# the ctest names are name (pt_BR) and name.en_US. FOCUS marks a test that
# needs the keyboard focus or the active window: such tests share one desktop
# and so never run at the same time as each other. REGISTRY marks a test that
# registers or unregisters servers or type libraries in the shared prefix.
# SERIAL marks a test that runs alone: one that moves the mouse pointer (the
# pointer is shared by every window on the display), or that reads back
# pixels from the screen or from a window's screen DC (any other test's
# window may lie over it; FOCUS does not keep out tests without FOCUS). A
# test that can paint into a memory DC and probe that needs neither.

# The Wine prefix matches the binaries: tools/wine-run reads it from here.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(WRITE ${PROJECT_BINARY_DIR}/hv-winearch "win64\n")
else()
  file(WRITE ${PROJECT_BINARY_DIR}/hv-winearch "win32\n")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run ${PROJECT_BINARY_DIR})

# doctest is a header-only Debian package; expose just its folder to the cross compiler.
set(HV_DOCTEST_INCLUDE ${PROJECT_BINARY_DIR}/doctest-include)
file(MAKE_DIRECTORY ${HV_DOCTEST_INCLUDE})
file(CREATE_LINK /usr/include/doctest ${HV_DOCTEST_INCLUDE}/doctest SYMBOLIC)

add_library(hv_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
target_include_directories(hv_test_main SYSTEM PUBLIC ${HV_DOCTEST_INCLUDE})
target_include_directories(hv_test_main PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(hv_test_main PUBLIC ole32 oleaut32 uuid)

function(hv_add_test)
  cmake_parse_arguments(T "FOCUS;REGISTRY;SERIAL" "NAME;TIMEOUT" "SOURCES;LIBS;LOCALES" ${ARGN})
  if(NOT T_LOCALES)
    set(T_LOCALES pt_BR)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE hv_test_main ${T_LIBS})
  foreach(loc IN LISTS T_LOCALES)
    if(loc STREQUAL "pt_BR")
      set(test_name ${T_NAME})
    else()
      set(test_name ${T_NAME}.${loc})
    endif()
    add_test(NAME ${test_name} COMMAND ${T_NAME})
    set_tests_properties(${test_name} PROPERTIES
      ENVIRONMENT "HV_LOCALE=${loc}.UTF-8;HV_TIMEOUT=${T_TIMEOUT}"
      TIMEOUT ${T_TIMEOUT})
    if(T_FOCUS)
      set_property(TEST ${test_name} APPEND PROPERTY RESOURCE_LOCK hv_desktop_focus)
    endif()
    if(T_SERIAL)
      set_property(TEST ${test_name} PROPERTY RUN_SERIAL TRUE)
    endif()
    if(T_REGISTRY)
      set_property(TEST ${test_name} APPEND PROPERTY RESOURCE_LOCK hv_registry)
    endif()
  endforeach()
endfunction()
