# Checks shared by tests/install_test and tests/package_test (sourced): a
# scratch folder removed on exit, file lists and the example run.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
golden="$(cd "${BASH_SOURCE[0]%/*}" && pwd)/data/example_form"

fail() {
  echo "FAIL $*" >&2
  exit 1
}

# expect_list WHAT EXPECTED...: standard input, sorted, must be exactly EXPECTED.
expect_list() {
  local what=$1 actual expected
  shift
  actual=$(sort)
  expected=$(printf '%s\n' "$@" | sort)
  [ "$actual" = "$expected" ] || fail "$what: expected
$expected
got
$actual"
}

# expect_example_run PROGRAM DOC_DIR: PROGRAM, run with one key in a new folder
# holding DOC_DIR's example form, ends as the golden run of that form does and
# leaves exactly its files. The folder stays in $run_folder for what follows.
expect_example_run() {
  local program=$1 status=0
  run_folder=$(mktemp -d "$scratch/run.XXXXXX")
  cp "$2/BodyXYZ.CSV" "$run_folder/"
  (cd "$run_folder" && "$program" <<<k >"$scratch/console") || status=$?
  [ "$status" = "$(<"$golden/status")" ] || fail "$program: exit status $status"
  cmp "$scratch/console" "$golden/console" || fail "$program: console differs"
  diff -r "$golden/expected" "$run_folder" || fail "$program: files differ from the golden run"
}

# expect_viewer_run PROGRAM: the viewer PROGRAM, in $run_folder, lists the
# example figure as drawn and writes its page beside it.
expect_viewer_run() {
  local program=$1
  (cd "$run_folder" && "$program" --list) | cmp - "$golden/../view/example_form.csv" ||
    fail "$program: the figure's list differs"
  (cd "$run_folder" && "$program" >/dev/null) || fail "$program: no page"
  [ -s "$run_folder/3D_BODY.html" ] || fail "$program: no 3D_BODY.html"
}

# expect_form_check PROGRAM: torsova-form PROGRAM, in $run_folder, accepts the
# example form and writes nothing.
expect_form_check() {
  local program=$1 before
  before=$(ls "$run_folder")
  [ "$(cd "$run_folder" && "$program" check)" = \
    "torsova accepts this form, with no warnings; every landmark is in the form" ] ||
    fail "$program: does not accept the example form"
  [ "$(ls "$run_folder")" = "$before" ] || fail "$program: check wrote a file"
}
