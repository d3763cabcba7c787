# The viewer's page in headless Chromium driven through Selenium WebDriver:
# tests/browser/page_test.py for any figure, body_page_test.py for the page of
# a body figure, layout_shift_test.py for the page while it loads,
# study_page_test.py for the study page. All run under the first Python that
# can import selenium (Debian's /usr/bin/python3 before others on the PATH).
# Without Chromium, its driver or Selenium they are skipped with a message, or
# fail under CI=true;
# without Python they are left out, which CI does not allow.
if(TARGET torsova_view AND NOT CMAKE_CROSSCOMPILING)
  find_package(Python3 COMPONENTS Interpreter)
  set(browser_python "")
  foreach(candidate /usr/bin/python3 "${Python3_EXECUTABLE}")
    if(NOT browser_python AND EXISTS "${candidate}")
      execute_process(COMMAND "${candidate}" -c "import selenium"
                      RESULT_VARIABLE no_selenium OUTPUT_QUIET ERROR_QUIET)
      if(no_selenium EQUAL 0)
        set(browser_python "${candidate}")
      endif()
    endif()
  endforeach()
  if(NOT browser_python AND Python3_Interpreter_FOUND)
    set(browser_python "${Python3_EXECUTABLE}")  # it reports the missing selenium
  endif()
  if(browser_python)
    add_test(NAME browser_page
      COMMAND "${browser_python}" "${PROJECT_SOURCE_DIR}/tests/browser/page_test.py"
              "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/tests/data/example_form/expected/3D_BODY.ROT")
    set_tests_properties(browser_page PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
    # With figures that torsova writes from variants of the example form.
    add_test(NAME browser_body_page
      COMMAND "${browser_python}" "${PROJECT_SOURCE_DIR}/tests/browser/body_page_test.py"
              "$<TARGET_FILE:torsova>" "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/examples/BodyXYZ.CSV")
    set_tests_properties(browser_body_page PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
    # Nothing moves once the page is first drawn, even when its script comes late.
    add_test(NAME browser_layout_shift
      COMMAND "${browser_python}" "${PROJECT_SOURCE_DIR}/tests/browser/layout_shift_test.py"
              "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/tests/data/example_form/expected/3D_BODY.ROT"
              "${PROJECT_SOURCE_DIR}/tests/data/view/lacking_lelb_rkne.ROT")
    set_tests_properties(browser_layout_shift PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
    # The study page of 200 generated subjects with typing mistakes planted.
    add_test(NAME browser_study_page
      COMMAND "${browser_python}" "${PROJECT_SOURCE_DIR}/tests/browser/study_page_test.py"
              "$<TARGET_FILE:torsova>" "$<TARGET_FILE:torsova_view>"
              "${PROJECT_SOURCE_DIR}/examples/BodyXYZ.CSV")
    set_tests_properties(browser_study_page PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
  elseif("$ENV{CI}" STREQUAL "true")
    message(FATAL_ERROR "python3 is needed for the browser test")
  else()
    message(STATUS "python3 not found: the browser test is left out")
  endif()
endif()
