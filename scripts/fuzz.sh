#!/usr/bin/env bash
# Runs the libFuzzer targets of build/fuzz for a bounded time each, two at a
# time, starting from the committed seed corpora (tests/fuzz/corpus/<target>).
# New inputs go to build/fuzz/corpus/<target>, findings to build/fuzz/findings.
#   fuzz.sh [seconds per target] [target...]   (default 20 s, every target)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
bin=build/fuzz/tests/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
mkdir -p build/fuzz/findings build/fuzz/logs

run_one() {
  local t=$1 seconds=$2 bin=$3
  mkdir -p "build/fuzz/corpus/$t"
  "$bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$t-" "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t" \
    > "build/fuzz/logs/$t.log" 2>&1
  local rc=$?
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "build/fuzz/logs/$t.log" | grep -o '[0-9]*$')
  if [ $rc -eq 0 ]; then
    echo "$t: ${runs:-?} executions in ${seconds}s, nothing found"
  else
    echo "$t: FAILED (exit $rc), see build/fuzz/logs/$t.log"
    tail -n 30 "build/fuzz/logs/$t.log"
  fi
  return $rc
}
export -f run_one

printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$bin"
