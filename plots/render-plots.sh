#!/usr/bin/env bash
# Runs the programs in a scratch folder and renders their output files as
# PNG figures with gnuplot. With accuracy_report, also the figures of the
# errors against the exact values.
#   render-plots.sh PROGRAMS_FILE OUT_DIR
# PROGRAMS_FILE is a build's programs.txt: per line a program's name and the
# command that runs it, separated by tabs. Beside it, the build's
# experiments.gp gives the scripts the experiments' constants.
set -euo pipefail
if (($# != 2)); then
  echo "usage: $0 PROGRAMS_FILE OUT_DIR" >&2
  exit 2
fi
programs_file=$(realpath "$1") out=$(realpath -m "$2")
experiments=$(dirname "$programs_file")/experiments.gp
[[ -f $experiments ]] || { echo "$0: no $experiments beside the programs' list" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
command -v gnuplot >/dev/null || { echo "$0: gnuplot not found (Debian package gnuplot-nox)" >&2; exit 1; }

declare -A command_of
while IFS=$'\t' read -r name command; do
  command_of[$name]=$command
done <"$programs_file"
# Runs a program in the current folder.
run() {
  local -a words
  IFS=$'\t' read -r -a words <<<"${command_of[$1]}"
  "${words[@]}"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out" "$scratch"/{timing,compare,newton,accuracy}

(cd "$scratch/timing" && run gradient_timing >/dev/null)
(cd "$scratch/compare" && run bisection_compare >/dev/null)
(cd "$scratch/newton" && run bisection_newton >/dev/null)
run exp_bisection >"$scratch/exp_bisection.txt"
# One line per abscissa: x, closed form, x, finite difference, x, autodiff.
(cd "$scratch/timing" && paste -d ' ' realgradients.txt finitegradients.txt autodiffgradients.txt) \
  >"$scratch/gradients.txt"

render() {
  local figure=$1
  gnuplot -e "data='$scratch'; out='$out/$figure.png'; load '$experiments'" "$here/$figure.gp"
  echo "$out/$figure.png"
}
render derivatives
render derivative_errors
render exp_bisection
if [[ -n ${command_of[accuracy_report]:-} ]]; then
  (cd "$scratch/accuracy" && run accuracy_report >/dev/null)
  render evaluator_errors
  render finite_difference_steps
  render convergence
else
  echo "$0: no accuracy_report (it needs MPFR): evaluator_errors, finite_difference_steps and convergence not rendered" >&2
fi
