"""A generated study for the study page's tests, benchmark and pictures:
forms of varied bodies (taller and shorter, each landmark a little off the
example form's place) with chosen typing mistakes planted, and the figures
torsova writes for them, one folder per subject (s001/3D_BODY.ROT, ...)."""

import os
import random
import subprocess

# What a planted mistake does to a form's rows {label: [x, y, z]}.
PLANTED = {
    "knees_high": lambda rows: [rows[k].__setitem__(2, rows[k][2] + 40) for k in ("RKNE", "LKNE")],
    "millimetres": lambda rows: [row.__setitem__(i, row[i] * 10) for row in rows.values() for i in range(3)],
    "right_elbow_up": lambda rows: rows["RELB"].__setitem__(2, rows["RELB"][2] + 18),
    "no_right_knee": lambda rows: rows.pop("RKNE"),
}


def example_rows(example_form):
    with open(example_form, encoding="ascii") as file:
        lines = file.read().splitlines()[2:]
    return [(line.split(",")[0], [float(v) for v in line.split(",")[1:4]]) for line in lines if line]


def form_text(index, example, planted=None, size=None):
    """The form of subject `index`: its size and small offsets drawn from the index."""
    draw = random.Random(index)
    scale = size if size is not None else draw.uniform(0.87, 1.13)
    rows = {label: [v * scale + draw.uniform(-0.3, 0.3) for v in at] for label, at in example}
    if planted:
        PLANTED[planted](rows)
    lines = ["Subject %03d,,," % index, "Label,X,Y,Z"]
    lines += ["%s,%.1f,%.1f,%.1f" % (label, *at) for label, at in rows.items()]
    return "".join(line + "\r\n" for line in lines)


def write_study(torsova, folder, example_form, count, planted=None, sizes=None):
    """Figures of `count` subjects under `folder`, with {index: mistake} planted
    and {index: size} fixed; returns their paths relative to `folder`."""
    example = example_rows(example_form)
    paths = []
    for index in range(1, count + 1):
        subject = os.path.join(folder, "s%03d" % index)
        os.makedirs(subject, exist_ok=True)
        with open(os.path.join(subject, "BodyXYZ.CSV"), "w", newline="") as file:
            file.write(form_text(index, example, (planted or {}).get(index), (sizes or {}).get(index)))
        subprocess.run([torsova], cwd=subject, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        paths.append(os.path.join("s%03d" % index, "3D_BODY.ROT"))
    return paths
