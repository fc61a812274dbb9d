# One source of the program version: the project version and the build number
# become a generated header that the model (file-version globals) and the
# user interface (start page, about box) include.
if(NOT KP_BUILD_NUMBER MATCHES "^[0-9]+$" OR KP_BUILD_NUMBER GREATER 65535)
  message(FATAL_ERROR "KP_BUILD_NUMBER must be a whole number from 0 to 65535, not '${KP_BUILD_NUMBER}'")
endif()
string(TIMESTAMP KP_BUILD_YEAR "%Y" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/KPVersion.h.in ${PROJECT_BINARY_DIR}/generated/KPVersion.h @ONLY)
include_directories(${PROJECT_BINARY_DIR}/generated)
