#!/usr/bin/env bash
# Calculates COUNT generated looped networks (20 to 400 segments, 1 to 15 rings,
# some with secondary sources, given diameters or flows beside the limits) with
# passes solved ahead on 2 and on 4 threads and step by step, and counts the
# networks whose outputs or messages differ. Prints one line per disagreement and
# a summary; exit status 1 when any network disagrees.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/timing.sh"
count=${1:-1000}
first=${2:-1}
locate_bin "${HEATNET_BUILD_DIR:-$(dirname "${BASH_SOURCE[0]}")/../build}"
work=$(mktemp -d "${TMPDIR:-/tmp}/heatnet-campaign-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

outputs() {  # outputs DIR: every file the calculation wrote and what it said
  (cd "$1" && cat net_OUT.TXT 'net#.TXT' net.dxf messages 2>/dev/null | md5sum)
}
disagreements=0 stopped=0 passes=0 taken=0
for ((seed = first; seed < first + count; seed++)); do
  options=(--segments $((20 + seed * 37 % 381)) --loops $((1 + seed % 15)) --seed "$seed")
  case $((seed % 5)) in
    1) options+=(--secondary-share 0.1) ;;
    2) options+=(--given-share 0.3) ;;
    3) options+=(--near-thresholds 0.2) ;;
  esac
  rm -rf step two four && mkdir step two four
  "$bin/heatnet-generate" "${options[@]}" step/net.TXT >/dev/null
  cp step/net.TXT two/ && cp step/net.TXT four/
  status=0
  (cd step && "$bin/heatnet-calc" --step-by-step net.TXT 2>messages) || status=$?
  (cd two && "$bin/heatnet-calc" --threads 2 --statistics net.TXT 2>messages.all) || true
  (cd four && "$bin/heatnet-calc" --threads 4 net.TXT 2>messages) || true
  grep -v '^heatnet-calc: \(管径选择共\|其他线程\|第[0-9]*遍后\)' two/messages.all > two/messages || true
  [ "$status" -eq 0 ] || stopped=$((stopped + 1))
  read -r p _ <<<"$(grep -o '管径选择共[0-9]*' two/messages.all | grep -o '[0-9]*') 0"
  read -r _ t _ <<<"$(grep '其他线程' two/messages.all | grep -o '[0-9]\+' | head -2 | tr '\n' ' ') 0 0"
  passes=$((passes + p)) taken=$((taken + t))
  reference=$(outputs step)
  [ $((seed % 100)) -ne 0 ] || echo "seed $seed: $disagreements disagreements so far" >&2
  for run in two four; do
    if [ "$(outputs $run)" != "$reference" ]; then
      disagreements=$((disagreements + 1))
      echo "differs from step by step: heatnet-generate ${options[*]} (run: $run threads)"
    fi
  done
done
echo "looped networks: $count (seeds $first..$((first + count - 1))), stopped by a message: $stopped," \
     "passes: $passes, taken ahead on 2 threads: $taken, disagreements with step by step: $disagreements"
[ "$disagreements" -eq 0 ]
