#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build folder.
#   run_fuzz.sh BUILD SECONDS [TARGET...]   fuzz each target for SECONDS on a fresh copy of its
#                                           committed seeds
#   run_fuzz.sh BUILD replay [TARGET...]    run each target once over its committed seeds
# The committed seeds are never written. Crashes, hangs and logs go to BUILD/fuzz-work/; the
# run fails when any target found one.
set -u
build=$(cd "$1" && pwd) mode=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(project_xml project_stream geometry_stream ini units_file
                                     coil_makers designation specification air_text command_line)
work=$build/fuzz-work
mkdir -p "$work/logs"
failed=()
for t in "${targets[@]}"; do
  exe=$build/tests/fuzz/fuzz_$t
  seeds=$here/$t
  log=$work/logs/$t.log
  if [ ! -x "$exe" ] || [ ! -d "$seeds" ]; then
    echo "fuzz $t: no target or no seeds"; failed+=("$t"); continue
  fi
  crashes=$work/crashes/$t
  rm -rf "$crashes" && mkdir -p "$crashes"
  # The target's settings folders and input files, gone after the run.
  scratch=$work/tmp/$t
  rm -rf "$scratch" && mkdir -p "$scratch"
  export TMPDIR=$scratch
  if [ "$mode" = replay ]; then
    # Files named one by one are each run once, and nothing is written beside them.
    "$exe" -artifact_prefix="$crashes/" "$seeds"/* >"$log" 2>&1
    status=$?
    echo "replay $t: $(ls "$seeds" | wc -l) seeds, exit $status"
  else
    corpus=$work/corpus/$t
    rm -rf "$corpus" && mkdir -p "$corpus" && cp "$seeds"/* "$corpus"/
    "$exe" -max_total_time="$mode" -timeout=20 -print_final_stats=1 \
           -artifact_prefix="$crashes/" "$corpus" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz $t: ${runs:-?} runs, ${speed:-?} exec/s, exit $status"
  fi
  rm -rf "$scratch"
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$crashes")" ]; then
    echo "fuzz $t: FAILED, see $log and $crashes/"
    tail -n 30 "$log"
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]}"
  exit 1
fi
