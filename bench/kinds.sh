#!/usr/bin/env bash
# Times heatnet-calc's sizing on one 1400-segment network of each kind a user
# meets (trees light and heavy, a second line from the source, rings, secondary
# sources, numberings and record orders as registers come), all diameters to be
# chosen, and prints one table row per kind: the sized run on one thread and on
# two, its passes solved and foreseen, the passes solved ahead on the second
# thread and taken, the check run of its sized file, the ratio, the share of
# solved passes that 8 and 16 threads would take ahead (counted, not timed: the
# counts do not depend on the machine), the peak memory with 16 threads and the
# step-by-step run. It measures and judges nothing: exit
# status 0 when every run finished, 1 when one failed, 2 for a wrong command line.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/timing.sh"

usage() {
  cat <<'EOF_USAGE'
usage: bench/kinds.sh [--runs N] [--slow S] [--step-limit S] [BUILD_DIR]
  BUILD_DIR       the build with bin/heatnet-calc and bin/heatnet-generate; default
                  $HEATNET_BUILD_DIR, else the build folder beside this script's folder
  --runs N        runs of each calculation for the median (default 3)
  --slow S        a kind whose sized run takes over S seconds runs once (default 10)
  --step-limit S  the step-by-step run is stopped after S seconds (default 60)
  --no-deep       skip the counting runs with 8 and 16 threads
  --only "N M"    only the kinds numbered N, M, ...
EOF_USAGE
}

runs=3
slow=10
deep=1
only=""
step_limit=60
build_dir=${HEATNET_BUILD_DIR:-$(dirname "${BASH_SOURCE[0]}")/../build}
while [ $# -gt 0 ]; do
  case $1 in
    --runs|--slow|--step-limit)
      [ $# -ge 2 ] && [[ $2 =~ ^[1-9][0-9]*$ ]] || { usage >&2; exit 2; }
      case $1 in --runs) runs=$2 ;; --slow) slow=$2 ;; *) step_limit=$2 ;; esac
      shift 2 ;;
    --no-deep) deep=0; shift ;;
    --only) [ $# -ge 2 ] || { usage >&2; exit 2; }; only=" $2 "; shift 2 ;;
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

reshape() { /usr/bin/python3 "$here/reshape_network.py" "$@"; }
breadth_first() { reshape "$1" --breadth-first; }
scatter15() { reshape "$1" --scatter15; }
spread_rings() { reshape "$1" --spread-rings 12; }
star() { reshape "$1" --star; }

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
  "tree numbered breadth-first across branches|--branch-start 100|breadth_first"
  "tree, records shuffled, 15-digit node numbers|--branch-start 100|scatter15"
  "twelve rings spread over the network|--segments 1388|spread_rings"
  "twelve rings spread, a tenth beside a decision|--segments 1388 --near-thresholds 0.1|spread_rings"
  "star: every segment from node 0|--branch-start 100|star"
  "secondary sources cancelling most flow (share 0.45)|--secondary-share 0.45|"
)

rows=()
for index in "${!kinds[@]}"; do
  [ -z "$only" ] || [[ $only == *" $((index + 1)) "* ]] || continue
  IFS='|' read -r name options mend <<<"${kinds[$index]}"
  file=kind$((index + 1)).TXT
  # shellcheck disable=SC2086  # the options are words
  generate $options "$file"
  [ -z "$mend" ] || "$mend" "$file"
  sized_file=${file%.TXT}#.TXT

  # The first sized run tells a slow kind; the statistics of the two-thread run
  # give the passes.
  start=$EPOCHREALTIME
  calculate sized.log "$bin/heatnet-calc" --statistics --threads 1 "$file"
  first=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.6f\n", end - start }')
  calculate sized2.log "$bin/heatnet-calc" --statistics --threads 2 "$file"
  read -r total solved foreseen <<<"$(grep '管径选择共' sized2.log | grep -o '[0-9]\+' | head -3 | tr '\n' ' ')"
  read -r _ taken _ <<<"$(grep '提前求解' sized2.log | grep -o '[0-9]\+' | head -3 | tr '\n' ' ') 0 0 0"
  one_times=() two_times=() check_times=()
  if awk -v t="$first" -v s="$slow" 'BEGIN { exit !(t > s) }'; then
    one_times=("$first")
    two_times=("$(wall_seconds sized.log --threads 2 "$file")")
    check_times=("$(wall_seconds check.log "$sized_file")")
  else
    for ((run = 1; run <= runs; run++)); do
      one_times+=("$(wall_seconds sized.log --threads 1 "$file")")
      two_times+=("$(wall_seconds sized.log --threads 2 "$file")")
      check_times+=("$(wall_seconds check.log "$sized_file")")
    done
  fi
  one=$(printf '%s\n' "${one_times[@]}" | median)
  two=$(printf '%s\n' "${two_times[@]}" | median)
  check=$(printf '%s\n' "${check_times[@]}" | median)
  # Solved passes taken ahead with 8 and 16 threads: a round solves one pass and
  # those taken ahead of it side by side, so solving takes solved / (solved - taken)
  # times less on as many cores.
  ahead="-"
  kb=$(peak_kb sized16.log --statistics --threads 16 "$file")
  if [ "$deep" = 1 ] && [ "$solved" -gt 1 ]; then
    ahead=""
    for threads in 8 16; do
      [ "$threads" = 16 ] || calculate sized8.log "$bin/heatnet-calc" --statistics --threads 8 "$file"
      read -r _ taken_deep _ <<<"$(grep '提前求解' "sized$threads.log" | grep -o '[0-9]\+' | head -3 | tr '\n' ' ') 0 0 0"
      ahead+=$(awk -v s="$solved" -v t="$taken_deep" 'BEGIN { printf "%.1f× ", s / (s - t) }')
    done
  fi

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

  rows+=("$(printf '| %d %s | %.3f s | %.3f s (%d) | %s / %s / %s | %s | %.3f s | %.1f | %s| %.1f MB | %s |' \
    $((index + 1)) "$name" "$one" "$two" "${#two_times[@]}" "$solved" "$foreseen" "$total" "$taken" "$check" \
    "$(awk -v a="$two" -v b="$check" 'BEGIN { print a / b }')" "$ahead" \
    "$(awk -v kb="$kb" 'BEGIN { print kb / 1024 }')" "$step")")
  echo "${rows[-1]}"
done

echo
echo "1400-segment networks by kind (heatnet-generate --seed 1), median of up to $runs runs"
echo "| Kind | --threads 1 | --threads 2 (runs) | Passes solved / foreseen / total | Solved ahead and taken (2 threads) | Check run of #.TXT | Ratio (2 threads) | Solving 8 / 16 threads | Peak memory, 16 threads | Step-by-step |"
echo "|---|---|---|---|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
