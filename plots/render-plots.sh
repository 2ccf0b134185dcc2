#!/usr/bin/env bash
# Runs the programs in a scratch folder and renders their output files as
# PNG figures with gnuplot. With accuracy_report, also the figures of the
# errors against the exact values.
#   render-plots.sh GRADIENT_TIMING BISECTION_COMPARE BISECTION_NEWTON EXP_BISECTION OUT_DIR [ACCURACY_REPORT]
set -euo pipefail
if (($# != 5 && $# != 6)); then
  echo "usage: $0 GRADIENT_TIMING BISECTION_COMPARE BISECTION_NEWTON EXP_BISECTION OUT_DIR [ACCURACY_REPORT]" >&2
  exit 2
fi
gradient_timing=$(realpath "$1") bisection_compare=$(realpath "$2")
bisection_newton=$(realpath "$3") exp_bisection=$(realpath "$4") out=$(realpath -m "$5")
accuracy_report=${6:+$(realpath "$6")}
here=$(cd "$(dirname "$0")" && pwd)
command -v gnuplot >/dev/null || { echo "$0: gnuplot not found (Debian package gnuplot-nox)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out" "$scratch"/{timing,compare,newton,accuracy}

(cd "$scratch/timing" && "$gradient_timing" >/dev/null)
(cd "$scratch/compare" && "$bisection_compare" >/dev/null)
(cd "$scratch/newton" && "$bisection_newton" >/dev/null)
"$exp_bisection" >"$scratch/exp_bisection.txt"
# One line per abscissa: x, closed form, x, finite difference, x, autodiff.
(cd "$scratch/timing" && paste -d ' ' realgradients.txt finitegradients.txt autodiffgradients.txt) \
  >"$scratch/gradients.txt"

render() {
  local figure=$1
  gnuplot -e "data='$scratch'; out='$out/$figure.png'" "$here/$figure.gp"
  echo "$out/$figure.png"
}
render derivatives
render derivative_errors
render exp_bisection
if [[ -n $accuracy_report ]]; then
  (cd "$scratch/accuracy" && "$accuracy_report" >/dev/null)
  render evaluator_errors
  render finite_difference_steps
  render convergence
else
  echo "$0: no accuracy_report (it needs MPFR): evaluator_errors, finite_difference_steps and convergence not rendered" >&2
fi
