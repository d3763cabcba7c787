#!/usr/bin/env python3
"""The table of --measures as pandas reads it, with and without --bom: the
first column is still "figure" after the byte-order mark, a title such as
"Müller" arrives as itself, and a title of digits stays text when the title
column is read as text. Without pandas the test is skipped (status 77),
unless CI=true, where that is a failure.

Usage: view_measures_csv_test.py TORSOVA_VIEW FIGURE
"""
import os
import subprocess
import sys
import tempfile


def main():
    viewer, figure = sys.argv[1], sys.argv[2]
    try:
        import pandas
    except ImportError:
        if os.environ.get("CI") == "true":
            print("pandas is missing (package python3-pandas)")
            return 1
        print("skipped: pandas is missing (package python3-pandas)")
        return 77
    with open(figure, "rb") as file:
        example = file.read()
    titles = ["M\u00fcller", "0042"]
    with tempfile.TemporaryDirectory() as folder:
        figures = []
        for n, title in enumerate(titles):
            path = os.path.join(folder, "subject%d.ROT" % n)
            with open(path, "wb") as file:
                file.write(example.replace(b"#Example subject (adult male)", b"#" + title.encode()))
            figures.append(path)
        for marked in (False, True):
            table = os.path.join(folder, "study%s.csv" % ("-bom" if marked else ""))
            with open(table, "wb") as out:
                subprocess.run([viewer, "--measures"] + (["--bom"] if marked else []) + figures,
                               check=True, stdout=out)
            read = pandas.read_csv(table, dtype={"title": str})
            what = "with --bom" if marked else "without --bom"
            assert list(read.columns[:3]) == ["figure", "title", "height"], \
                f"{what}: the columns begin {list(read.columns[:3])}"
            assert list(read["title"]) == titles, f"{what}: the titles read {list(read['title'])}"
            assert list(read["height"]) == [171.2, 171.2], f"{what}: the heights {list(read['height'])}"
    print("pandas reads the table of measures with and without its byte-order mark")
    return 0


if __name__ == "__main__":
    sys.exit(main())
