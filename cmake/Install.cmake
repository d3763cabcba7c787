# What `cmake --install` puts where. On Linux: the programs in bin, the README
# and the example form in share/doc/torsova, the manual pages (compressed) in
# share/man/man1. For Windows: one flat folder to unpack beside Gyrovex.exe,
# with the README as text with CR LF line ends.
include(GNUInstallDirs)
# The programs' targets, and their manual pages by the programs' file names.
set(torsova_programs torsova torsova_view torsova_form)
set(torsova_manual_pages torsova torsova-view torsova-form)

if(WIN32)
  # Copied as it is but for the line ends (configure_file would expand @words@).
  file(READ README.md readme)
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE "${PROJECT_BINARY_DIR}/README.txt" "${readme}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS README.md)
  install(TARGETS ${torsova_programs} RUNTIME DESTINATION .)
  install(FILES "${PROJECT_BINARY_DIR}/README.txt" examples/BodyXYZ.CSV DESTINATION .)
  return()
endif()

install(TARGETS ${torsova_programs} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES README.md examples/BodyXYZ.CSV DESTINATION "${CMAKE_INSTALL_DOCDIR}")

# gzip -n: no name or time in the header, so the same page gives the same bytes.
find_program(TORSOVA_GZIP gzip REQUIRED)
set(torsova_man_pages)
foreach(name IN LISTS torsova_manual_pages)
  set(page "${PROJECT_BINARY_DIR}/man/${name}.1")
  add_custom_command(OUTPUT "${page}.gz"
    COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/man/${name}.1" "${page}"
    COMMAND "${TORSOVA_GZIP}" -9nf "${page}"
    DEPENDS "man/${name}.1"
    VERBATIM)
  list(APPEND torsova_man_pages "${page}.gz")
endforeach()
add_custom_target(torsova_man_pages ALL DEPENDS ${torsova_man_pages})
install(FILES ${torsova_man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
