# torsova-form: checks a form the way torsova reads it, converts one saved
# with other separators, and writes a blank one. A library of its own on top
# of torsova_core (torsova's stages, the readers and the platform layer), and
# a thin executable.
file(GLOB_RECURSE torsova_form_sources CONFIGURE_DEPENDS src/form/*.cpp)
list(FILTER torsova_form_sources EXCLUDE REGEX "_test\\.cpp$|src/form/main\\.cpp$")
add_library(torsova_form_core STATIC ${torsova_form_sources})
target_link_libraries(torsova_form_core PUBLIC torsova_core)
target_compile_definitions(torsova_form_core PRIVATE TORSOVA_VERSION="${PROJECT_VERSION}")
if(WIN32)
  # The wide command line, and the shell's "open" that shares its file.
  target_link_libraries(torsova_form_core PUBLIC shell32 ole32)
endif()

add_executable(torsova_form src/form/main.cpp)
target_link_libraries(torsova_form PRIVATE torsova_form_core)
set_target_properties(torsova_form PROPERTIES OUTPUT_NAME torsova-form)
