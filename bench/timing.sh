# Timing helpers shared by the bench scripts; sourced, with $bin set to the
# folder holding heatnet-calc. A failed run ends the calling script with status 1.
#
# The wall time comes from the shell's microsecond clock around the bare run:
# GNU time's %e has only hundredths, too coarse for a run of some 50 ms, and
# timing the run under GNU time would add its own start-up (several ms here) to
# every run and flatter a ratio. So the peak memory is taken from a run of its own.

locate_bin() {  # locate_bin BUILD_DIR [TOOL...]: sets $bin, ending the script when a tool is missing
  [ -d "$1" ] || { echo "${0##*/}: no build folder $1" >&2; exit 2; }
  bin=$(cd "$1" && pwd)/bin
  shift
  local tool
  for tool in "$bin/heatnet-calc" "$bin/heatnet-generate" /usr/bin/time "$@"; do
    command -v "$tool" >/dev/null || { echo "${0##*/}: $tool not found" >&2; exit 2; }
  done
}
calculate() {  # calculate LOG COMMAND...: runs it, its messages going to LOG
  local log=$1
  shift
  if ! "$@" 2>"$log"; then
    echo "${0##*/}: ${*#"$bin/"} failed:" >&2
    cat "$log" >&2
    exit 1
  fi
}
wall_seconds() {  # wall_seconds LOG ARGUMENTS...: prints the seconds of heatnet-calc ARGUMENTS
  local log=$1
  shift
  local start=$EPOCHREALTIME
  calculate "$log" "$bin/heatnet-calc" "$@"
  local end=$EPOCHREALTIME
  awk -v start="$start" -v end="$end" 'BEGIN { printf "%.6f\n", end - start }'
}
peak_kb() {  # peak_kb LOG ARGUMENTS...: prints the maximum resident set in kB
  local log=$1
  shift
  calculate "$log" /usr/bin/time -f '%e %M' -o time.out "$bin/heatnet-calc" "$@"
  awk 'END { print $2 }' time.out
}
median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
