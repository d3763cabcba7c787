# torsova-form: checks a form the way torsova reads it, converts one saved
# with other separators, and writes a blank one. A library of its own on top
# of torsova_core (torsova's stages, the readers and the platform layer), and
# a thin executable.
torsova_add_tool(form torsova-form)
