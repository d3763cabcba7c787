# torsova-view: reads a figure file and writes the interactive page, the
# three-view drawing or the list of what it draws. A library of its own on top
# of torsova_core (the readers and the platform layer), and a thin executable.

# A page's template, script and style embedded as they are, with the hashes
# the page's Content-Security-Policy names them by: the C++ function FUNCTION
# (view/write/embedded_page.h) returns them. The style is the files of the
# list STYLES, and the script SCRIPTS, one after the other, in this order, as
# src/view/page/ holds them.
set(torsova_view_page_dir "${PROJECT_SOURCE_DIR}/src/view/page")
function(torsova_embed_page function template styles placeholders)
  set(output "${CMAKE_BINARY_DIR}/generated/view/${function}.cpp")
  set(scripts)
  foreach(name IN LISTS ARGN)
    list(APPEND scripts "${torsova_view_page_dir}/${name}")
  endforeach()
  list(TRANSFORM styles PREPEND "${torsova_view_page_dir}/")
  # Lists cross the command line with "|" between their items.
  string(REPLACE ";" "|" scripts_argument "${scripts}")
  string(REPLACE ";" "|" styles_argument "${styles}")
  string(REPLACE ";" "|" placeholders_argument "${placeholders}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DFUNCTION=${function}"
            "-DTEMPLATE=${torsova_view_page_dir}/${template}"
            "-DSCRIPTS=${scripts_argument}" "-DSTYLES=${styles_argument}"
            "-DPLACEHOLDERS=${placeholders_argument}" "-DOUTPUT=${output}"
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedPage.cmake"
    DEPENDS "${torsova_view_page_dir}/${template}" ${styles} ${scripts}
            "${PROJECT_SOURCE_DIR}/cmake/EmbedPage.cmake"
    COMMENT "Embedding ${template} with its script and style"
    VERBATIM)
  set_property(DIRECTORY APPEND PROPERTY torsova_view_embedded "${output}")
endfunction()

# The figure page: the 3-D view, the body panel, and the page's start.
set(torsova_figure_page_placeholders
  SCRIPT_HASH=1 STYLE_HASH=1 ROOT_CLASS=1 TITLE=2 COUNTS=1 EXTENT=1 NOT_BODY_HIDDEN=1
  MISSING_HIDDEN=1 MISSING=1 ACROSS_HIDDEN=1 PANEL_HIDDEN=1 MEASURES=1 GAPS_HIDDEN=1
  STYLE=1 DATA=1 SCRIPT=1)
torsova_embed_page(TheFigurePage page.html "colours.css;viewer.css"
  "${torsova_figure_page_placeholders}"
  view3d.js body_panel.js figure_page.js)
# The study page: the same 3-D view and body panel, the study's table, the
# bodies side by side, the scatter plot, the compare view and the page's start.
torsova_embed_page(TheStudyPage study.html "colours.css;study.css"
  "SCRIPT_HASH=1;STYLE_HASH=1;TITLE=2;STYLE=1;DATA=1;SCRIPT=1"
  view3d.js body_panel.js study_data.js study_table.js study_bodies.js study_scatter.js
  study_compare.js study_page.js)
get_property(torsova_view_embedded DIRECTORY PROPERTY torsova_view_embedded)

torsova_add_tool(view torsova-view ${torsova_view_embedded})
