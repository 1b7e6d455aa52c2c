# One static library per source folder. Sources are globbed so that adding a
# file to a folder needs no edit here. ALSO names subfolders whose files join
# the library (the operating system's own calls); EXCLUDE leaves files out.
function(driftglyph_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS;ALSO;EXCLUDE" ${ARGN})
  set(patterns "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  foreach(folder IN LISTS L_ALSO)
    list(APPEND patterns "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h")
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  foreach(excluded IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${excluded}")
  endforeach()
  add_library(driftglyph_${name} STATIC ${sources})
  target_include_directories(driftglyph_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(driftglyph_${name} PUBLIC ${L_DEPENDS})
endfunction()

# One QTest executable per tst_*.cpp file in the calling folder, each a CTest test.
function(driftglyph_tests)
  cmake_parse_arguments(T "" "" "DEPENDS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp")
  foreach(test_source IN LISTS tests)
    get_filename_component(test_name "${test_source}" NAME_WE)
    add_executable(${test_name} "${test_source}")
    target_link_libraries(${test_name} PRIVATE ${T_DEPENDS} driftglyph_test_support Qt6::Test)
    if(WIN32)
      # Static Qt links its default plugins; the tests draw on the offscreen platform.
      qt_import_plugins(${test_name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
    if(CMAKE_CROSSCOMPILING)
      # QtTest's output does not reach the console under Wine: it goes to a file.
      add_test(NAME ${test_name} COMMAND ${test_name} -o "${CMAKE_CURRENT_BINARY_DIR}/${test_name}.txt,txt")
    else()
      add_test(NAME ${test_name} COMMAND ${test_name})
    endif()
    set_tests_properties(${test_name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;LANG=C.UTF-8;DRIFTGLYPH_TEST_DATA=${PROJECT_SOURCE_DIR}/assets"
      TIMEOUT 120)
  endforeach()
endfunction()
