# A command-line tool beside torsova, from src/DIR: its sources (all but its
# tests and main.cpp) and the generated ones given after OUTPUT as the library
# torsova_DIR_core on top of torsova_core, which its tests link too, and the
# thin executable torsova_DIR from src/DIR/main.cpp, named OUTPUT.
function(torsova_add_tool dir output)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$|src/${dir}/main\\.cpp$")
  add_library(torsova_${dir}_core STATIC ${sources} ${ARGN})
  target_link_libraries(torsova_${dir}_core PUBLIC torsova_core)
  target_compile_definitions(torsova_${dir}_core PRIVATE TORSOVA_VERSION="${PROJECT_VERSION}")
  if(WIN32)
    # The wide command line and the shell's "open" (through COM).
    target_link_libraries(torsova_${dir}_core PUBLIC shell32 ole32)
  endif()
  add_executable(torsova_${dir} "${PROJECT_SOURCE_DIR}/src/${dir}/main.cpp")
  target_link_libraries(torsova_${dir} PRIVATE torsova_${dir}_core)
  set_target_properties(torsova_${dir} PROPERTIES OUTPUT_NAME ${output})
endfunction()
