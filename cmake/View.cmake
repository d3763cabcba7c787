# torsova-view: reads a figure file and writes the interactive page, the
# three-view drawing or the list of what it draws. A library of its own on top
# of torsova_core (the readers and the platform layer), and a thin executable.

# The page's template, script and style are embedded as they are, with the
# hashes the page's Content-Security-Policy names them by.
set(torsova_view_page_dir "${PROJECT_SOURCE_DIR}/src/view/page")
set(torsova_view_embedded "${CMAKE_BINARY_DIR}/generated/view/embedded_page.cpp")
add_custom_command(
  OUTPUT "${torsova_view_embedded}"
  COMMAND "${CMAKE_COMMAND}" "-DPAGE_DIR=${torsova_view_page_dir}"
          "-DOUTPUT=${torsova_view_embedded}" -P "${PROJECT_SOURCE_DIR}/cmake/EmbedPage.cmake"
  DEPENDS "${torsova_view_page_dir}/page.html" "${torsova_view_page_dir}/viewer.js"
          "${torsova_view_page_dir}/viewer.css" "${PROJECT_SOURCE_DIR}/cmake/EmbedPage.cmake"
  COMMENT "Embedding the viewer's page, script and style"
  VERBATIM)

file(GLOB_RECURSE torsova_view_sources CONFIGURE_DEPENDS src/view/*.cpp)
list(FILTER torsova_view_sources EXCLUDE REGEX "_test\\.cpp$|src/view/main\\.cpp$")
add_library(torsova_view_core STATIC ${torsova_view_sources} "${torsova_view_embedded}")
target_link_libraries(torsova_view_core PUBLIC torsova_core)
target_compile_definitions(torsova_view_core PRIVATE TORSOVA_VERSION="${PROJECT_VERSION}")
if(WIN32)
  # The wide command line and the shell's "open" (through COM).
  target_link_libraries(torsova_view_core PUBLIC shell32 ole32)
endif()

add_executable(torsova_view src/view/main.cpp)
target_link_libraries(torsova_view PRIVATE torsova_view_core)
set_target_properties(torsova_view PROPERTIES OUTPUT_NAME torsova-view)
