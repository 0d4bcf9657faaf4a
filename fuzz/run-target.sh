#!/usr/bin/env bash
# Runs one fuzz target for SECONDS from its seed corpus (fuzz/corpus/NAME, never modified) and its
# dictionary (fuzz/dict/NAME.dict), with the input size the target needs. Exits non-zero on any
# finding (a crash, undefined behaviour, a leak, a time-out) and then shows the report and the
# input that caused it.
#   fuzz/run-target.sh build-fuzz/bin/fuzz_kvd_reader 20
# RUNS=N stops after N inputs instead (within the time given, which then bounds it).
set -uo pipefail
target=$1
seconds=${2:-20}
name=$(basename "$target")
name=${name#fuzz_}
here=$(cd "$(dirname "$0")" && pwd)

# Large enough for the largest valid input of each target.
case "$name" in
  kvd_reader) max_len=80000 ;;          # selector byte and a whole 78590-byte kvd file
  frame_parser) max_len=8400 ;;         # a largest frame, stuffed, with room around it
  material_database) max_len=5200 ;;    # the 4800-byte image and ten pipe sections
  reply_parsers) max_len=4097 ;;        # selector byte and the largest message
  decode_block) max_len=2810 ;;         # one data-block record
  kv3_reader) max_len=235881 ;;         # selector byte and a whole 235880-byte kv3 file
  kvr_reader) max_len=5958 ;;           # selector byte and a whole 5957-byte regression file
  wav_reader | scenario_parser) max_len=16384 ;;
  *) max_len=4096 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/findings"
seeds=()
[ -d "$here/corpus/$name" ] && seeds+=("$here/corpus/$name")
dict=()
[ -f "$here/dict/$name.dict" ] && dict+=("-dict=$here/dict/$name.dict")

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
runs=()
[ -n "${RUNS:-}" ] && runs+=("-runs=$RUNS")
"$target" -max_total_time="$seconds" "${runs[@]}" -max_len="$max_len" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$work/findings/" "${dict[@]}" "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1
status=$?
findings=$(ls "$work/findings")
if [ "$status" -ne 0 ] || [ -n "$findings" ] || grep -q "runtime error:" "$work/log"; then
  echo "FAIL $name (status $status)"
  grep -n -m1 -A40 -E "ERROR: |runtime error:|==[0-9]+==" "$work/log" || tail -n 40 "$work/log"
  for finding in "$work"/findings/*; do
    [ -f "$finding" ] || continue
    echo "-- input $(basename "$finding") ($(stat -c %s "$finding") bytes), first 256 bytes:"
    head -c 256 "$finding" | od -A x -t x1z | head -n 20
  done
  exit 1
fi
echo "ok $name: $(grep -E '^#[0-9]+.*(DONE|pulse)' "$work/log" | tail -n 1)"
