# Module-definition files name the 32-bit symbols with their stdcall
# decoration (DllGetClassObject@12). The 64-bit ABI has no decoration, so
# there the file is used with the decorations taken off.
function(hv_def_file out_var def)
  get_filename_component(def ${def} ABSOLUTE)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(READ ${def} text)
    string(REGEX REPLACE "([A-Za-z_][A-Za-z_0-9]*)@[0-9]+" "\\1" text "${text}")
    get_filename_component(name ${def} NAME)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${name})
    file(CONFIGURE OUTPUT ${out} CONTENT "${text}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    set(${out_var} ${out} PARENT_SCOPE)
  else()
    set(${out_var} ${def} PARENT_SCOPE)
  endif()
endfunction()
