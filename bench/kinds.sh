#!/usr/bin/env bash
# Times heatnet-calc's sizing on one 1400-segment network of each kind a user
# meets (trees light and heavy, a second line from the source, rings, secondary
# sources), all diameters to be chosen, and prints one table row per kind: the
# sized run, its passes solved, the check run of its sized file, their ratio, the
# peak memory and the step-by-step run. It measures and judges nothing: exit
# status 0 when every run finished, 1 when one failed, 2 for a wrong command line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/timing.sh"

usage() {
  cat <<'EOF_USAGE'
usage: bench/kinds.sh [--runs N] [--slow S] [--step-limit S] [BUILD_DIR]
  BUILD_DIR       the build with bin/heatnet-calc and bin/heatnet-generate; default
                  $HEATNET_BUILD_DIR, else the build folder beside this script's folder
  --runs N        runs of each calculation for the median (default 3)
  --slow S        a kind whose sized run takes over S seconds runs once (default 10)
  --step-limit S  the step-by-step run is stopped after S seconds (default 60)
EOF_USAGE
}

runs=3
slow=10
step_limit=60
build_dir=${HEATNET_BUILD_DIR:-$(dirname "${BASH_SOURCE[0]}")/../build}
while [ $# -gt 0 ]; do
  case $1 in
    --runs|--slow|--step-limit)
      [ $# -ge 2 ] && [[ $2 =~ ^[1-9][0-9]*$ ]] || { usage >&2; exit 2; }
      case $1 in --runs) runs=$2 ;; --slow) slow=$2 ;; *) step_limit=$2 ;; esac
      shift 2 ;;
    -h|--help) usage; exit 0 ;;
    -*) usage >&2; exit 2 ;;
    *) build_dir=$1; shift ;;
  esac
done

locate_bin "$build_dir" timeout

work=$(mktemp -d "${TMPDIR:-/tmp}/heatnet-kinds-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

generate() { "$bin/heatnet-generate" --segments 1400 --seed 1 "$@"; }

# The data file is node-count line, branch-zone line, the segments
# (D , L , Le , start , end), then the loads (node , MW); lines end in CR LF.
# heavy_main_line FILE: the node ending the main line (the chain 0-1-2-... below
# the branch zone) takes 1200 MW, so that every main-line segment carries more
# than a 1200 mm pipe passes under 90 Pa/m (about 14600 t/h at 130/70 C) and the
# sizing meets the largest pipe along the whole main line.
heavy_main_line() {
  awk 'NR == 2 { pipes = $3 } NR == 3 { zone = $1 }
       NR >= 4 && NR < 4 + pipes && $9 + 0 < zone && $9 + 0 > end { end = $9 + 0 }
       { line[NR] = $0 }
       END { for (i = 1; i <= NR; ++i) {
               split(line[i], f, " ")
               if (i >= 4 + pipes && f[1] + 0 == end) printf " %d , 1200 \r\n", end
               else print line[i] } }' "$1" > "$1.new" && mv "$1.new" "$1"
}
# second_line_from_source FILE: the first branch (the segment ending at the branch
# zone's first node) is hung from the source, node 0, instead of the main line.
second_line_from_source() {
  awk 'NR == 2 { pipes = $3 } NR == 3 { zone = $1 }
       NR >= 4 && NR < 4 + pipes && $9 + 0 == zone { printf " %s , %s , %s , 0 , %s \r\n", $1, $3, $5, $9; next }
       { print }' "$1" > "$1.new" && mv "$1.new" "$1"
}

# name | heatnet-generate options | post-processing
kinds=(
  "light tree|--branch-start 100|"
  "heavy tree, main line 175 segments|--branch-start 200|"
  "heavy main line above 90 Pa/m at 1200 mm|--branch-start 200|heavy_main_line"
  "second line from the source|--branch-start 100|second_line_from_source"
  "one ring, branches from 1000|--segments 1399 --loops 1 --branch-start 1000|"
  "twelve rings|--segments 1388 --loops 12|"
  "secondary sources (share 0.1)|--secondary-share 0.1|"
  "light tree, a tenth of the segments beside a decision|--branch-start 100 --near-thresholds 0.1|"
  "secondary sources, a tenth beside a decision|--secondary-share 0.1 --near-thresholds 0.1|"
)

rows=()
for index in "${!kinds[@]}"; do
  IFS='|' read -r name options mend <<<"${kinds[$index]}"
  file=kind$((index + 1)).TXT
  # shellcheck disable=SC2086  # the options are words
  generate $options "$file"
  [ -z "$mend" ] || "$mend" "$file"
  sized_file=${file%.TXT}#.TXT

  # The first sized run, under GNU time, gives the peak memory and tells a slow kind.
  start=$EPOCHREALTIME
  kb=$(peak_kb sized.log --statistics "$file")
  first=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.6f\n", end - start }')
  passes=$(grep '^heatnet-calc: ' sized.log | grep -o '[0-9]\+' | head -2 | tr '\n' ' ')
  read -r total solved <<<"$passes"
  sized_times=() check_times=()
  if awk -v t="$first" -v s="$slow" 'BEGIN { exit !(t > s) }'; then
    sized_times=("$first")
    check_times=("$(wall_seconds check.log "$sized_file")")
  else
    for ((run = 1; run <= runs; run++)); do
      sized_times+=("$(wall_seconds sized.log "$file")")
      check_times+=("$(wall_seconds check.log "$sized_file")")
    done
  fi
  sized=$(printf '%s\n' "${sized_times[@]}" | median)
  check=$(printf '%s\n' "${check_times[@]}" | median)

  # Its own folder, so that it writes beside a copy of the same data file.
  rm -rf step && mkdir step && cp "$file" step/
  start=$EPOCHREALTIME
  if (cd step && timeout "$step_limit" "$bin/heatnet-calc" --step-by-step "$file" 2>step.log); then
    step=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.1f s", end - start }')
    for output in "${file%.TXT}_OUT.TXT" "$sized_file" "${file%.TXT}.dxf"; do
      cmp -s "$output" "step/$output" || step="$step, outputs differ"
    done
  else
    [ $? -eq 124 ] || { echo "kinds.sh: step-by-step run of $name failed" >&2; exit 1; }
    step="> $step_limit s"
  fi

  rows+=("$(printf '| %d %s | %.3f s (%d) | %s / %s | %.3f s | %.1f | %.1f MB | %s |' \
    $((index + 1)) "$name" "$sized" "${#sized_times[@]}" "$solved" "$total" "$check" \
    "$(awk -v a="$sized" -v b="$check" 'BEGIN { print a / b }')" \
    "$(awk -v kb="$kb" 'BEGIN { print kb / 1024 }')" "$step")")
  echo "${rows[-1]}"
done

echo
echo "1400-segment networks by kind (heatnet-generate --seed 1), median of up to $runs runs"
echo "| Kind | Sized run (runs) | Passes solved / total | Check run of #.TXT | Ratio | Peak memory | Step-by-step |"
echo "|---|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
