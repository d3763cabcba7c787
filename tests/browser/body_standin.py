"""STAND-IN for the C++ side's "body" key in the page's figure data, used only
until torsova-view writes it itself. It follows the page's data contract: it
recognises a body figure written by torsova, names its points, finds the
missing landmarks and the lines across them, and computes the measures.
ensure_body() leaves a page alone when its data already has a "body" key, so
the tests and the pictures use the real output as soon as there is one."""

import json
import math
import re

# The landmarks in their fixed order, then the two computed points.
kNames = [
    ("CRAN", "cranium"), ("RSHO", "right shoulder"), ("RELB", "right elbow"),
    ("RWRI", "right wrist"), ("RFNG", "right finger"), ("LSHO", "left shoulder"),
    ("LELB", "left elbow"), ("LWRI", "left wrist"), ("LFNG", "left finger"),
    ("RPEL", "right pelvis"), ("RKNE", "right knee"), ("RANK", "right ankle"),
    ("RTOE", "right toe"), ("LPEL", "left pelvis"), ("LKNE", "left knee"),
    ("LANK", "left ankle"), ("LTOE", "left toe"), ("TAIL", "tail"),
    ("NECK", "neck (computed)"), ("SACR", "sacrum (computed)"),
]
# The figure's 26 stroke lines: (landmark, code or None for a flagged one).
kStrokes = [
    ("CRAN", -7), ("CRAN", 0), ("NECK", 7), ("SACR", 7), ("LSHO", 0), ("RSHO", 7),
    ("LPEL", 0), ("RPEL", 7), ("LSHO", 0), ("LELB", None), ("LWRI", None),
    ("LFNG", None), ("RSHO", 0), ("RELB", None), ("RWRI", None), ("RFNG", None),
    ("LPEL", 0), ("LKNE", None), ("LANK", None), ("LTOE", None), ("RPEL", 0),
    ("RKNE", None), ("RANK", None), ("RTOE", None), ("SACR", 0), ("TAIL", None),
]
kSingle = [("height", "height"), ("head", "head"), ("trunk", "trunk"),
           ("shoulder_breadth", "shoulder breadth"), ("pelvis_breadth", "pelvis breadth")]
kPaired = [("upper_arm", "upper arm", "SHO", "ELB"), ("forearm", "forearm", "ELB", "WRI"),
           ("hand", "hand", "WRI", "FNG"), ("thigh", "thigh", "PEL", "KNE"),
           ("shank", "shank", "KNE", "ANK"), ("foot", "foot", "ANK", "TOE")]
kSingleEnds = {"head": ("CRAN", "NECK"), "trunk": ("NECK", "SACR"),
               "shoulder_breadth": ("RSHO", "LSHO"), "pelvis_breadth": ("RPEL", "LPEL"),
               "tail": ("SACR", "TAIL")}


def point_lines(text):
    """The figure's point lines as (a, h, d, code), None when a line is not
    one of the four numbers of a point line."""
    found = []
    for line in text.splitlines():
        if not line.strip() or line.startswith("#") or line.startswith("s "):
            continue
        fields = line.split()
        if len(fields) != 4:
            return None
        found.append(tuple(float(f) for f in fields[:3]) + (int(float(fields[3])),))
    return found


def body_of(text):
    """The body data of a figure's text, or None for a figure that is not a
    body figure."""
    if not text.startswith("#3D body file created by Torsova.\n") and \
       not text.startswith("#3D body file created by Torsova.\r\n"):
        return None
    lines = point_lines(text)
    if lines is None or len(lines) != 30 or any(l[3] != -7 for l in lines[26:]):
        return None
    at, missing = {}, set()
    for (code, fixed), line in zip(kStrokes, lines):
        if fixed is not None and line[3] != fixed or fixed is None and line[3] not in (0, 7):
            return None
        if fixed is None and line[3] == 0:
            missing.add(code)
        elif fixed != -7:
            at[code] = list(line[:3])
    head, neck = lines[1][:3], at["NECK"]
    at["CRAN"] = [2 * c - n for c, n in zip(head, neck)]
    for code in missing:
        at.pop(code, None)

    across, segment, previous = [], 0, None
    for index, line in enumerate(lines):
        if line[3] == 7 and index > 0:
            if kStrokes[previous][1] is None and kStrokes[previous][0] in missing:
                across.append(segment)
            segment += 1
        previous = index

    def distance(p, q):
        if p not in at or q not in at:
            return None
        return math.dist(at[p], at[q])

    def two(value):
        return None if value is None else "%.2f" % value

    measures = []
    feet = [at[c][1] for c in ("RANK", "RTOE", "LANK", "LTOE") if c in at]
    height = at["CRAN"][1] - min(feet) if feet else None
    for key, name in kSingle:
        value = height if key == "height" else distance(*kSingleEnds[key])
        measures.append({"id": key, "name": name, "value": two(value)})
    for key, name, start, end in kPaired:
        right, left = distance("R" + start, "R" + end), distance("L" + start, "L" + end)
        row = {"id": key, "name": name, "right": two(right), "left": two(left),
               "difference": None, "warning": None}
        if right is not None and left is not None and right + left > 0:
            share = (right - left) / ((right + left) / 2) * 100
            row["difference"] = "0.0" if round(share, 1) == 0 else "%+.1f" % share
            if abs(share) > 10:
                row["warning"] = "the sides differ by %d %%: check the form" % round(abs(share))
        measures.append(row)
    measures.append({"id": "tail", "name": "tail", "value": two(distance(*kSingleEnds["tail"]))})
    return {
        "points": [{"code": c, "name": n, "at": at.get(c)} for c, n in kNames],
        "missing": [c for c, _ in kNames if c in missing],
        "across": across,
        "measures": measures,
    }


def as_page_json(value):
    text = json.dumps(value, ensure_ascii=False, separators=(",", ":"))
    for char, escape in (("<", "\\u003c"), (">", "\\u003e"), ("&", "\\u0026"),
                         ("\u2028", "\\u2028"), ("\u2029", "\\u2029")):
        text = text.replace(char, escape)
    return text


def ensure_body(page, figure):
    """Adds the body data of `figure` to the page file `page`, unless the
    page's data has a "body" key already. True when it added it."""
    with open(page, encoding="utf-8", newline="") as file:
        text = file.read()
    found = re.search(r'(<script type="application/json" id="figure-data">)(.*?)(</script>)',
                      text, re.S)
    if found is None:
        raise ValueError(page + " holds no figure data")
    if "body" in json.loads(found.group(2)):
        return False
    with open(figure, encoding="utf-8", newline="") as file:
        body = body_of(file.read())
    data = found.group(2)
    data = data[:data.rindex("}")] + ',"body":' + as_page_json(body) + "}"
    with open(page, "w", encoding="utf-8", newline="") as file:
        file.write(text[:found.start(2)] + data + text[found.end(2):])
    return True


if __name__ == "__main__":
    import sys
    if len(sys.argv) != 3:
        sys.exit("usage: body_standin.py PAGE FIGURE")
    ensure_body(sys.argv[1], sys.argv[2])
