# Release packages with `cpack`: torsova_<version>_<arch>.deb from a Linux
# build, torsova-<version>-win64.zip (flat) from the Windows build. Both hold
# what cmake/Install.cmake installs; the version is the project's.
set(TORSOVA_PACKAGE_MAINTAINER "Torsova maintainers <maintainers@torsova.example>"
  CACHE STRING "Maintainer named in the release packages")

set(CPACK_PACKAGE_NAME torsova)
set(CPACK_PACKAGE_VENDOR Torsova)
set(CPACK_PACKAGE_CONTACT "${TORSOVA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns body landmark measurements into a stick figure")
set(CPACK_PACKAGE_DESCRIPTION
  "Torsova reads a form of anatomical landmarks (BodyXYZ.CSV: a title, then one
row per landmark with its label and its x, y and z coordinates), checks it
cell by cell and label by label, explains on a short console page what is
wrong if anything is, and otherwise writes the stick figure of the body as
3D_BODY.ROT for a three-dimensional line-figure viewer. torsova-view shows
that figure file as an interactive web page, in which the figure can be
turned and zoomed, or as an SVG drawing of its front, side and top views.
torsova-form tells every fault of a form at once, each in its spreadsheet
cell, and converts a form saved with semicolons or decimal commas.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
