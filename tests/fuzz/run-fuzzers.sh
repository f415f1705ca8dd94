#!/usr/bin/env bash
# Runs every fuzz target of BUILD for SECONDS each (default 60), starting from
# the seed corpora of the repository. New inputs collect in BUILD/fuzz-corpus,
# crashes in BUILD/fuzz-artifacts. Fails when any target finds a crash, a
# leak, a sanitizer report or a broken invariant.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: run-fuzzers.sh BUILD [SECONDS]}" && pwd)
seconds=${2:-60}

# target  max_len  seed folders (besides tests/fuzz/corpus/TARGET)
targets=(
  "image         16384 examples"
  "settings       4096"
  "data_message   8192 examples"
  "board_parser   8192"
  "reply_matcher    64"
  "led_font      65536 fonts"
  "timeline      16384 examples"
  "route_csv      8192"
  "route_layout   4096"
  "gtfs_csv       8192"
  "gtfs_feed     16384"
  "destination_set 65536"
  "sign_profile   8192"
  "release_note   8192"
  "server_address 4096"
  "abbreviation_csv 8192"
  "bus_csv        8192"
  "legibility_rules 8192 rules"
)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for entry in "${targets[@]}"; do
  read -r name max_len extra <<<"$entry"
  exe="$build/fuzz_$name"
  corpus="$build/fuzz-corpus/$name"
  artifacts="$build/fuzz-artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  seeds=("$root/tests/fuzz/corpus/$name")
  for dir in $extra; do seeds+=("$root/$dir"); done
  echo "== fuzz_$name for ${seconds}s"
  start=$SECONDS
  # -timeout: one input taking this long is a finding (a hang), not noise.
  "$exe" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -max_len="$max_len" \
    -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" >"$build/fuzz-$name.log" 2>&1
  status=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz-$name.log" | sed 's/^/   /'
  echo "   took $((SECONDS - start))s, exit $status"
  if [ $status -ne 0 ]; then
    failed+=("fuzz_$name")
    tail -n 60 "$build/fuzz-$name.log"
    ls "$artifacts" | sed 's/^/   artifact: /'
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: no faults in ${#targets[@]} targets"
