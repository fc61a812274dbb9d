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
  # The model has no Qt meta-objects.
  set_target_properties(kp_model_${name} PROPERTIES AUTOMOC OFF)
  set_property(GLOBAL APPEND PROPERTY KP_MODEL_AREAS kp_model_${name})
endfunction()

# One test executable per model area (every .cpp of its folder); fixtures are
# found through KP_TEST_DATA. The test main and the precompiled headers are the
# shared ones of cmake/KPTests.cmake.
function(kp_model_test name)
  cmake_parse_arguments(A "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(deps)
  foreach(d ${A_DEPENDS})
    list(APPEND deps kp_model_${d})
  endforeach()
  kp_add_test(model_${name}_tests SOURCES ${srcs} LIBS ${deps} ${A_LIBS})
  target_include_directories(model_${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/model)
  target_compile_definitions(model_${name}_tests PRIVATE
      KP_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
