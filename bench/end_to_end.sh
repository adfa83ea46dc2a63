#!/usr/bin/env bash
# Times heatnet-calc on the generated 1400-segment network the way a user runs it:
# the sizing run and the check run of its sized file, interleaved so that a slow
# spell of the machine hits both alike. Exit status 0 when every target holds,
# 1 when one does not or a run failed, 2 for a wrong command line.
set -euo pipefail
script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$script_dir/timing.sh"

usage() {
  cat <<'EOF'
usage: bench/end_to_end.sh [--runs N] [--step-by-step] [--kinds] [BUILD_DIR]
  BUILD_DIR      the build with bin/heatnet-calc and bin/heatnet-generate; default
                 $HEATNET_BUILD_DIR, else the build folder beside this script's folder
  --runs N       runs of each calculation (default 7)
  --step-by-step also times one step-by-step run (tens of seconds) and compares its
                 report, sized file and diagram with the foreseen run's
  --kinds        then also times one 1400-segment network of each kind (heavy trees,
                 rings, secondary sources, ...) with bench/kinds.sh (several minutes)
targets: median sized run / median check run <= 3, sized run < 1 s, peak memory < 64 MB
EOF
}

runs=7
step_by_step=0
kinds=0
build_dir=${HEATNET_BUILD_DIR:-$(dirname "${BASH_SOURCE[0]}")/../build}
while [ $# -gt 0 ]; do
  case $1 in
    --runs)
      [ $# -ge 2 ] && [[ $2 =~ ^[1-9][0-9]*$ ]] || { usage >&2; exit 2; }
      runs=$2
      shift 2 ;;
    --step-by-step) step_by_step=1; shift ;;
    --kinds) kinds=1; shift ;;
    -h|--help) usage; exit 0 ;;
    -*) usage >&2; exit 2 ;;
    *) build_dir=$1; shift ;;
  esac
done

locate_bin "$build_dir"

work=$(mktemp -d "${TMPDIR:-/tmp}/heatnet-e2e-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$bin/heatnet-generate" --segments 1400 --seed 1 net1400.TXT

sized_times=() check_times=() sized_peak_kb=0
for ((run = 1; run <= runs; run++)); do
  # A failed run ends the script from within the command substitution.
  sized_times+=("$(wall_seconds sized.log --statistics net1400.TXT)")
  [ "$run" -eq 1 ] && statistics=$(grep '^heatnet-calc: ' sized.log || true)
  check_times+=("$(wall_seconds check.log 'net1400#.TXT')")
  kb=$(peak_kb sized.log net1400.TXT)
  [ "$kb" -gt "$sized_peak_kb" ] && sized_peak_kb=$kb
  printf 'run %d: sized %.3f s, check %.3f s, sized peak %d kB\n' \
    "$run" "${sized_times[-1]}" "${check_times[-1]}" "$kb"
done

sized_median=$(printf '%s\n' "${sized_times[@]}" | median)
check_median=$(printf '%s\n' "${check_times[@]}" | median)
ratio=$(awk -v a="$sized_median" -v b="$check_median" 'BEGIN { printf "%.2f", a / b }')
peak_mb=$(awk -v kb="$sized_peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }')

echo
echo "1400-segment network (heatnet-generate --segments 1400 --seed 1), $runs runs each"
printf 'sized run  heatnet-calc --statistics net1400.TXT   median %.3f s\n' "$sized_median"
printf "check run  heatnet-calc 'net1400#.TXT'             median %.3f s\n" "$check_median"
echo "ratio of medians (sized / check): $ratio"
echo "peak memory of the sized run: $peak_mb MB"
echo "${statistics:-no pass statistics line}"

all_held=1
verdict() {  # verdict CONDITION-HELD TEXT
  if [ "$1" -eq 1 ]; then echo "PASS  $2"; else echo "FAIL  $2"; all_held=0; fi
}
held() { awk "BEGIN { exit !($1) }" && echo 1 || echo 0; }

if [ "$step_by_step" -eq 1 ]; then
  # Its own folder, so that it writes beside a copy of the same data file.
  mkdir step
  cp net1400.TXT step/
  step_seconds=$(cd step && wall_seconds step.log --step-by-step net1400.TXT)
  printf 'step-by-step run  heatnet-calc --step-by-step net1400.TXT   %.1f s\n' "$step_seconds"
  identical=1
  for output in net1400_OUT.TXT 'net1400#.TXT' net1400.dxf; do
    cmp "$output" "step/$output" || identical=0
  done
fi

echo
verdict "$(held "$ratio <= 3")" "ratio of medians <= 3 ($ratio)"
verdict "$(held "$sized_median < 1")" "sized run < 1 s ($(printf '%.3f' "$sized_median") s)"
verdict "$(held "$peak_mb < 64")" "peak memory < 64 MB ($peak_mb MB)"
if [ "$step_by_step" -eq 1 ]; then
  verdict "$identical" "step-by-step report, sized file and diagram identical to the foreseen run's"
fi
if [ "$kinds" -eq 1 ]; then
  echo
  "$script_dir/kinds.sh" "${bin%/bin}" || all_held=0
fi
[ "$all_held" -eq 1 ]
