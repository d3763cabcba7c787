# The viewer's page in headless Chromium (tests/browser/page_test.py). Without
# Chromium the test is skipped with a message, or fails under CI=true; without
# Python it is left out, which CI does not allow.
if(TARGET torsova_view AND NOT CMAKE_CROSSCOMPILING)
  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_Interpreter_FOUND)
    add_test(NAME browser_page
      COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/tests/browser/page_test.py"
              "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/tests/data/example_form/expected/3D_BODY.ROT")
    set_tests_properties(browser_page PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
  elseif("$ENV{CI}" STREQUAL "true")
    message(FATAL_ERROR "python3 is needed for the browser test")
  else()
    message(STATUS "python3 not found: the browser test is left out")
  endif()
endif()
