# The viewer's page in headless Chromium (tests/browser/page_test.py and
# body_page_test.py). Without
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
    # The page of a body figure through Selenium WebDriver, with figures that
    # torsova writes from variants of the example form. Selenium may live only
    # in the system's Python when another one comes first on the path.
    set(selenium_python "${Python3_EXECUTABLE}")
    execute_process(COMMAND "${selenium_python}" -c "import selenium"
                    RESULT_VARIABLE no_selenium OUTPUT_QUIET ERROR_QUIET)
    if(no_selenium AND EXISTS /usr/bin/python3)
      set(selenium_python /usr/bin/python3)
    endif()
    add_test(NAME browser_body_page
      COMMAND "${selenium_python}" "${PROJECT_SOURCE_DIR}/tests/browser/body_page_test.py"
              "$<TARGET_FILE:torsova>" "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/examples/BodyXYZ.CSV")
    set_tests_properties(browser_body_page PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
  elseif("$ENV{CI}" STREQUAL "true")
    message(FATAL_ERROR "python3 is needed for the browser test")
  else()
    message(STATUS "python3 not found: the browser test is left out")
  endif()
endif()
