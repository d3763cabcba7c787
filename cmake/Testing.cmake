# The one test binary: unit tests beside their code under src/, end-to-end tests
# and shared fakes under tests/.
if(CMAKE_CROSSCOMPILING)
  # The system's GoogleTest is built for the host; build it from its sources
  # with the cross compiler instead.
  set(TORSOVA_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources for cross builds")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory("${TORSOVA_GTEST_SOURCE_DIR}" googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Files named *_posix / *_windows (tests too: *_windows_test.cpp) belong to one
# system only.
file(GLOB_RECURSE torsova_test_sources CONFIGURE_DEPENDS
  src/*_test.cpp tests/*.cpp)
list(FILTER torsova_test_sources EXCLUDE REGEX
  "_(posix|windows)(_test)?\\.cpp$|tests/viewer_stand_in/")
if(WIN32)
  set(torsova_test_system windows)
else()
  set(torsova_test_system posix)
endif()
file(GLOB_RECURSE torsova_test_platform_sources CONFIGURE_DEPENDS
  src/*_${torsova_test_system}_test.cpp tests/*_${torsova_test_system}.cpp)
list(FILTER torsova_test_platform_sources EXCLUDE REGEX "tests/viewer_stand_in/")

add_executable(torsova_tests ${torsova_test_sources} ${torsova_test_platform_sources})
target_include_directories(torsova_tests PRIVATE tests)
target_link_libraries(torsova_tests PRIVATE torsova_view_core torsova_form_core GTest::gtest
  GTest::gtest_main)
target_compile_definitions(torsova_tests PRIVATE
  TORSOVA_BINARY="$<TARGET_FILE:torsova>"
  TORSOVA_VIEW_BINARY="$<TARGET_FILE:torsova_view>"
  TORSOVA_FORM_BINARY="$<TARGET_FILE:torsova_form>"
  TORSOVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(torsova_tests torsova torsova_view torsova_form)

if(WIN32)
  # A stand-in for the viewer that records how it was started, so that the
  # hand-over can be checked. Built in a folder of its own, away from torsova.exe.
  # A windowed program like the viewer: a console program started by a run
  # without a console would get a console of its own, whose host process keeps
  # CTest's output pipe open for many seconds under Wine.
  add_executable(viewer_stand_in WIN32 tests/viewer_stand_in/viewer_stand_in.cpp)
  target_link_libraries(viewer_stand_in PRIVATE torsova_options)
  set_target_properties(viewer_stand_in PROPERTIES
    OUTPUT_NAME Gyrovex
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/viewer_stand_in")
  target_compile_definitions(torsova_tests PRIVATE
    TORSOVA_VIEWER_STAND_IN="$<TARGET_FILE:viewer_stand_in>")
  add_dependencies(torsova_tests viewer_stand_in)
endif()

if(CMAKE_CROSSCOMPILING)
  # Under Wine the tests are listed when CTest runs, not after the build: a
  # Wine started by the build would outlive it and hold the build's pipes, and
  # the test script boots its Wine prefix only after the build. Wine's crash
  # debugger is switched off: it would keep CTest's pipe open until the
  # timeout. A crash then ends the test at once with status 5 and Wine's
  # "Unhandled" line, which fails it even if the status were ever 0. Nor is
  # there Wine's browser, which would take a page the shell is asked to open
  # to the host's desktop.
  gtest_discover_tests(torsova_tests
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES
      ENVIRONMENT "WINEDLLOVERRIDES=winedbg.exe,winebrowser.exe=d"
      FAIL_REGULAR_EXPRESSION "wine: Unhandled|Unhandled exception"
      TIMEOUT 300)
else()
  gtest_discover_tests(torsova_tests DISCOVERY_TIMEOUT 60)
endif()

# The three-view drawing as other programs read it: an XML parser,
# rsvg-convert and Inkscape (skipped, status 77, when those are missing
# outside CI).
if(NOT CMAKE_CROSSCOMPILING)
  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_Interpreter_FOUND)
    add_test(NAME ViewDrawingOpensElsewhere
      COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/tests/view_drawing_test.py"
              "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/tests/data/example_form/expected/3D_BODY.ROT"
              "${PROJECT_SOURCE_DIR}/tests/data/view/lacking_lelb_rkne.ROT")
    set_tests_properties(ViewDrawingOpensElsewhere PROPERTIES SKIP_RETURN_CODE 77)
    # The table of --measures as pandas reads it (skipped, status 77, without
    # pandas outside CI), under Debian's python3 where its python3-pandas is.
    set(pandas_python Python3::Interpreter)
    if(EXISTS /usr/bin/python3)
      set(pandas_python /usr/bin/python3)
    endif()
    add_test(NAME ViewMeasuresReadByPandas
      COMMAND ${pandas_python} "${PROJECT_SOURCE_DIR}/tests/view_measures_csv_test.py"
              "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/tests/data/example_form/expected/3D_BODY.ROT")
    set_tests_properties(ViewMeasuresReadByPandas PROPERTIES SKIP_RETURN_CODE 77)
  else()
    message(STATUS "No python3: the drawing's and the table's tests with other programs are left out")
  endif()
endif()

# The install and the set-up step, tested by shell scripts on the build system.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME install COMMAND bash "${PROJECT_SOURCE_DIR}/tests/install_test" "${PROJECT_BINARY_DIR}")
  add_test(NAME setup COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/setup_test")
endif()
