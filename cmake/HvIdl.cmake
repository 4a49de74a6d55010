# hv_compile_idl(OUT_VAR idl [DEPENDS file ...]): compiles a type library
# source with widl of the target's own tool chain into the current binary
# folder: <name>.tlb, <name>.h and <name>_i.c (the identifiers). OUT_VAR
# receives the three paths. importlib("stdole2.tlb") resolves against Wine's
# library of the same architecture.
function(hv_compile_idl out_var idl)
  cmake_parse_arguments(I "" "" "DEPENDS" ${ARGN})
  get_filename_component(idl ${idl} ABSOLUTE)
  get_filename_component(name ${idl} NAME_WE)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(widl x86_64-w64-mingw32-widl)
    set(wine_libs /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  else()
    set(widl i686-w64-mingw32-widl)
    set(wine_libs /usr/lib/i386-linux-gnu/wine/i386-windows)
  endif()
  set(outputs
    ${CMAKE_CURRENT_BINARY_DIR}/${name}.tlb
    ${CMAKE_CURRENT_BINARY_DIR}/${name}.h
    ${CMAKE_CURRENT_BINARY_DIR}/${name}_i.c)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${widl} -t -h -u -I/usr/include/wine/wine/windows -L${wine_libs} -o ${name} ${idl}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${idl} ${I_DEPENDS}
    COMMENT "Compiling the ${name} type library"
    VERBATIM)
  set(${out_var} ${outputs} PARENT_SCOPE)
endfunction()
