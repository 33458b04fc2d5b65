#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz/ (clang 14, ASan + UBSan) and runs each for
# SECONDS (default 60), as many at once as there are cores, starting from the seeds in
# tests/fuzz/corpus/ and from what earlier runs found (kept in build-fuzz/fuzz/corpus/).  Fails
# when a target crashes, leaks or hangs; the input that did it is left in
# build-fuzz/fuzz/artifacts/TARGET/.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]      targets: exchange direct_command script
#                                            param_table profiles param_file cli_args
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
vexa_install_fuzz_deps

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(exchange direct_command script param_table profiles param_file cli_args)

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DVEXA_FUZZ=ON -DVEXA_BUILD_TESTS=OFF -DVEXA_BUILD_BENCH=OFF -DVEXA_BUILD_DESKTOP=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work=$build/fuzz

# One target's run; its summary line goes to $work/logs/TARGET.summary, its status is the exit code.
run_target() {
  local target=$1
  local seeds=tests/fuzz/corpus/$target corpus=$work/corpus/$target
  local artifacts=$work/artifacts/$target log=$work/logs/$target.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  rm -f "$work/logs/$target.summary"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$artifacts/")
  case $target in
    exchange|direct_command) options+=(-dict=tests/fuzz/dict/frame.dict -max_len=4096) ;;
    script) options+=(-dict=tests/fuzz/dict/script.dict -max_len=4096) ;;
    *) options+=(-max_len=16384) ;;
  esac
  local status=0
  "$build/bin/fuzz_$target" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  local runs last cov ft corp rss result
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*' || echo "?")
  ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*' || echo "?")
  corp=$(grep -o 'corp: [0-9]*' <<<"$last" | grep -o '[0-9]*' || echo "?")
  rss=$(grep -o 'stat::peak_rss_mb: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  result=ok
  [ "$status" -eq 0 ] || result="FAILED ($status)"
  printf '%-15s %12s %7s %7s %7s %8s  %s\n' "$target" "$runs" "$cov" "$ft" "$corp" "$rss" \
    "$result" >"$work/logs/$target.summary"
  return "$status"
}

# As many targets at once as there are cores: each is one single-threaded process.
mkdir -p "$work/logs"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  echo "== fuzz_$target: ${seconds} s (log: $work/logs/$target.log)"
  run_target "$target" &
done
wait

echo
printf '%-15s %12s %7s %7s %7s %8s  %s\n' target executions cov ft corpus rss_mb result
failed=()
for target in "${targets[@]}"; do
  summary=$work/logs/$target.summary
  if [ ! -f "$summary" ] || grep -q FAILED "$summary"; then
    failed+=("$target")
    [ -f "$summary" ] && cat "$summary"
    grep -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error|Test unit written' \
      "$work/logs/$target.log" | head -5 || true
  else
    cat "$summary"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo
  echo "Failed: ${failed[*]}.  The inputs are in $work/artifacts/<target>/; copy each into"
  echo "tests/fuzz/regressions/<target>/ so that the suite replays it, then fix the engine."
  exit 1
fi
