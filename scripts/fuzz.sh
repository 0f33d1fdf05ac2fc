#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset) and runs them over their seed
# corpora (fuzz/corpus/<target>/). New inputs go to build/fuzz/corpus-<target>/,
# crashes to build/fuzz/artifacts/; the committed seeds are only read.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 20 seconds, every target)
#
# Exits non-zero if a target fails to build or finds a fault.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
seconds=${1:-20}
[[ $# -gt 0 ]] && shift

configure_log=$(mktemp)
if ! cmake --preset fuzz >"$configure_log" 2>&1; then
  cat "$configure_log"; rm -f "$configure_log"
  echo "fuzz: configuring failed" >&2
  exit 1
fi
rm -f "$configure_log"
if ! cmake --build --preset fuzz; then
  echo "fuzz: building the fuzz targets failed" >&2
  exit 1
fi

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for src in fuzz/*.cpp; do
    [[ -e $src ]] && targets+=("$(basename "$src" .cpp)")
  done
fi
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "fuzz: no fuzz targets (fuzz/*.cpp)"
  exit 0
fi

mkdir -p build/fuzz/artifacts
failed=0
for target in "${targets[@]}"; do
  program=build/fuzz/fuzz/$target
  corpus=build/fuzz/corpus-$target
  seeds=fuzz/corpus/$target
  mkdir -p "$corpus"
  [[ -d $seeds ]] || seeds=""
  echo "fuzz: $target for ${seconds}s${seeds:+ from $seeds}"
  if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix=build/fuzz/artifacts/"$target"- "$corpus" ${seeds:+"$seeds"} \
       >build/fuzz/"$target".log 2>&1; then
    echo "FUZZ PASS $target ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' build/fuzz/"$target".log | grep -o '[0-9]*$') runs)"
  else
    tail -n 60 build/fuzz/"$target".log
    echo "FUZZ FAIL $target (log: build/fuzz/$target.log)"
    failed=$((failed + 1))
  fi
done
exit $((failed > 0))
