# Shared pieces of every test executable, so that the test build stays lean as
# the layers grow:
# - one test main per kind, compiled once as a static library
#   (kp_test_main: headless QGuiApplication; kp_test_main_widgets: QApplication);
#   both redirect settings and data folders to a temporary folder;
# - precompiled headers for Qt, GoogleTest and Eigen, built once on those
#   libraries and reused by every test target (REUSE_FROM);
# - tests listed when CTest starts (DISCOVERY_MODE PRE_TEST), so that sanitizer
#   binaries never run during the build;
# - no automatic moc and no GoogleMock unless a test asks for them.
#
# A layer's tests/<layer>/CMakeLists.txt writes:
#   kp_add_test(<layer>_tests [WIDGETS] [AUTOMOC] [PREFIX "<layer>."]
#               SOURCES a.cpp b.cpp LIBS kp_<layer> ...)
# WIDGETS links the QApplication main; without it the headless main is used.
# Widget tests of the user interface (tests/ui) use MAIN kp_ui_test_main instead:
# the program's application object and start-up, a scripted prompter, German locale.
find_package(Qt6 6.4 QUIET COMPONENTS Test)

set(KP_TEST_PCH_HEADLESS
  <gtest/gtest.h>
  <Eigen/Dense>
  <QByteArray> <QCoreApplication> <QDir> <QFile> <QFileInfo> <QGuiApplication> <QImage>
  <QLocale> <QPainter> <QSettings> <QString> <QStringList> <QTemporaryDir>
  <algorithm> <array> <cmath> <functional> <limits> <memory> <string> <vector>)
set(KP_TEST_PCH_WIDGETS ${KP_TEST_PCH_HEADLESS}
  <QApplication> <QDialog> <QWidget> <QLabel> <QLineEdit> <QPushButton> <QTest>)

function(kp_test_main_library name)
  cmake_parse_arguments(A "" "" "DEFINES;LIBS;PCH;SOURCES" ${ARGN})
  # The kind of main is chosen by defines in a generated wrapper, not on the
  # command line: the precompiled header must fit every test target.
  set(text "")
  foreach(d ${A_DEFINES})
    string(APPEND text "#define ${d}\n")
  endforeach()
  string(APPEND text "#include \"${PROJECT_SOURCE_DIR}/tests/model/TestMain.cpp\"\n")
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp CONTENT "${text}")
  add_library(${name} STATIC ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp ${A_SOURCES})
  target_link_libraries(${name} PUBLIC GTest::gtest Eigen3::Eigen ${A_LIBS})
  target_precompile_headers(${name} PRIVATE ${A_PCH})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

if(NOT TARGET kp_test_main)
  kp_test_main_library(kp_test_main LIBS Qt6::Core Qt6::Gui PCH ${KP_TEST_PCH_HEADLESS})
  if(TARGET Qt6::Widgets AND TARGET Qt6::Test)
    kp_test_main_library(kp_test_main_widgets DEFINES KP_TEST_QAPPLICATION
      LIBS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Test PCH ${KP_TEST_PCH_WIDGETS})
  endif()
endif()

# Gives a test executable a test main and the precompiled headers that go with it.
# MAIN names the main library (default kp_test_main, or kp_test_main_widgets with
# WIDGETS); its precompiled headers are reused unless PCH_FROM names another target.
function(kp_use_test_main target)
  cmake_parse_arguments(A "WIDGETS" "MAIN;PCH_FROM" "" ${ARGN})
  if(A_MAIN)
    set(main ${A_MAIN})
  elseif(A_WIDGETS)
    set(main kp_test_main_widgets)
  else()
    set(main kp_test_main)
  endif()
  if(NOT A_PCH_FROM)
    set(A_PCH_FROM ${main})
  endif()
  target_link_libraries(${target} PRIVATE ${main})
  target_precompile_headers(${target} REUSE_FROM ${A_PCH_FROM})
endfunction()

function(kp_add_test target)
  cmake_parse_arguments(A "WIDGETS;AUTOMOC" "PREFIX;MAIN;PCH_FROM" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${A_SOURCES})
  set(use)
  if(A_WIDGETS)
    list(APPEND use WIDGETS)
  endif()
  if(A_MAIN)
    list(APPEND use MAIN ${A_MAIN})
  endif()
  if(A_PCH_FROM)
    list(APPEND use PCH_FROM ${A_PCH_FROM})
  endif()
  kp_use_test_main(${target} ${use})
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  if(A_AUTOMOC)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  else()
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  endif()
  kp_discover_tests(${target} PREFIX "${A_PREFIX}")
endfunction()

# Lists the tests when CTest starts, not by running the binary during the build.
function(kp_discover_tests target)
  cmake_parse_arguments(A "" "PREFIX" "" ${ARGN})
  gtest_discover_tests(${target} TEST_PREFIX "${A_PREFIX}" DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
