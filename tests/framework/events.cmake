# Framework tests of units and colours, text in streams, variant holders,
# enumerators, connection points and events. Included by this folder's
# CMakeLists.txt.
foreach(fw_test Units Values Events)
  string(TOLOWER ${fw_test} fw_name)
  hv_add_test(NAME framework_${fw_name}_test
              SOURCES ${CMAKE_CURRENT_LIST_DIR}/${fw_test}Test.cpp ${CMAKE_CURRENT_LIST_DIR}/FrameworkFixtures.cpp
              LIBS hv_framework ole32 oleaut32 uuid user32 gdi32
              LOCALES pt_BR en_US)
  target_include_directories(framework_${fw_name}_test PRIVATE
    ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/grid/FrameWork)
endforeach()
