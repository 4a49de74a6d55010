# hv_add_subfolders(): adds every sub-folder of the current source folder
# that has a CMakeLists.txt, so a new subsystem or layer needs no edit here.
function(hv_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry IN LISTS entries)
    if(IS_DIRECTORY ${entry} AND EXISTS ${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
