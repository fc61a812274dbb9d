# Each model area is its own static library, so an area builds and tests
# against only the areas it declares.
function(kp_model_area name)
  cmake_parse_arguments(A "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(kp_model_${name} STATIC ${srcs})
  target_include_directories(kp_model_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set(deps)
  foreach(d ${A_DEPENDS})
    list(APPEND deps kp_model_${d})
  endforeach()
  target_link_libraries(kp_model_${name} PUBLIC ${deps} ${A_LIBS} Qt6::Core Qt6::Gui)
  set_property(GLOBAL APPEND PROPERTY KP_MODEL_AREAS kp_model_${name})
endfunction()

# One test executable per model area; fixtures are found through KP_TEST_DATA.
function(kp_model_test name)
  cmake_parse_arguments(A "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(model_${name}_tests ${srcs} ${PROJECT_SOURCE_DIR}/tests/model/TestMain.cpp)
  set(deps)
  foreach(d ${A_DEPENDS})
    list(APPEND deps kp_model_${d})
  endforeach()
  target_link_libraries(model_${name}_tests PRIVATE ${deps} ${A_LIBS} GTest::gtest GTest::gmock)
  target_include_directories(model_${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/model)
  target_compile_definitions(model_${name}_tests PRIVATE
      KP_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(model_${name}_tests DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
