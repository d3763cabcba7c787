# The one test binary: unit tests beside their code under src/, end-to-end tests
# and shared fakes under tests/.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE torsova_test_sources CONFIGURE_DEPENDS
  src/*_test.cpp tests/*.cpp)
list(FILTER torsova_test_sources EXCLUDE REGEX "_posix\\.cpp$|_windows\\.cpp$")
if(WIN32)
  file(GLOB_RECURSE torsova_test_platform_sources CONFIGURE_DEPENDS tests/*_windows.cpp)
else()
  file(GLOB_RECURSE torsova_test_platform_sources CONFIGURE_DEPENDS tests/*_posix.cpp)
endif()

add_executable(torsova_tests ${torsova_test_sources} ${torsova_test_platform_sources})
target_include_directories(torsova_tests PRIVATE tests)
target_link_libraries(torsova_tests PRIVATE torsova_core GTest::gtest GTest::gtest_main)
target_compile_definitions(torsova_tests PRIVATE
  TORSOVA_BINARY="$<TARGET_FILE:torsova>"
  TORSOVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(torsova_tests torsova)
gtest_discover_tests(torsova_tests DISCOVERY_TIMEOUT 60)
