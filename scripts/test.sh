#!/usr/bin/env bash
# Sets the machine up, then builds and runs every test: the native build with
# AddressSanitizer and UBSan, both MinGW-w64 cross builds under Wine, and each
# fuzz target briefly. Ends with the line "N passed, N failed" (test programs
# and CTest tests over all builds, fuzz targets, build failures counted as
# failures) and exits non-zero if anything failed.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
started=$SECONDS

passed=0
failed=0
report=()

# A set-up that fails counts as a failure; the builds still run, so that what
# the machine has is tested.
if ! bash scripts/setup.sh; then
  failed=$((failed + 1))
  report+=("set-up failed (see above)")
fi

# run_build PRESET: configure, build (keep going past errors so that what
# builds is still tested), run CTest; adds to the counts.
run_build() {
  local preset=$1 begin=$SECONDS log
  log=$(mktemp)
  echo "=== $preset"
  if ! cmake --preset "$preset" >"$log" 2>&1; then
    cat "$log"; rm -f "$log"
    failed=$((failed + 1))
    report+=("$preset: configuring failed")
    return
  fi
  local build_ok=1
  if ! cmake --build --preset "$preset" -- -k 0; then
    build_ok=0
    failed=$((failed + 1))
    report+=("$preset: build failed (the tests that built still ran)")
  fi
  # The benchmarks are only built here, never run, so that a change cannot
  # break them unnoticed; one native build is enough.
  if [[ $preset == native-debug ]] && ! cmake --build --preset "$preset" --target benchmarks -- -k 0; then
    failed=$((failed + 1))
    report+=("$preset: the benchmarks do not build")
  fi
  ctest --preset "$preset" 2>&1 | tee "$log"
  # "100% tests passed, 0 tests failed out of 12"
  local summary total bad
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ -n $summary ]]; then
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$summary")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    report+=("$preset: $((total - bad)) of $total tests passed$([[ $build_ok -eq 0 ]] && echo ', build failed') ($((SECONDS - begin))s)")
    # CTest lists them as "	  7 - test_desktop (Failed)".
    while read -r line; do
      report+=("  failed: $line")
    done < <(sed -n '/^The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' | sed -E 's/^\s+[0-9]+ - //')
  else
    failed=$((failed + 1))
    report+=("$preset: CTest ran no tests ($((SECONDS - begin))s)")
  fi
  rm -f "$log"
}

for preset in native-debug mingw-i686 mingw-x86_64; do
  run_build "$preset"
done

echo "=== fuzz"
begin=$SECONDS
fuzz_log=$(mktemp)
bash scripts/fuzz.sh "${TAVIR_FUZZ_SECONDS:-20}" 2>&1 | tee "$fuzz_log"
fuzz_status=${PIPESTATUS[0]}
fuzz_passed=$(grep -c '^FUZZ PASS ' "$fuzz_log")
fuzz_failed=$(grep -c '^FUZZ FAIL ' "$fuzz_log")
if [[ $fuzz_status -ne 0 && $fuzz_failed -eq 0 ]]; then
  fuzz_failed=1  # the targets did not build
fi
passed=$((passed + fuzz_passed))
failed=$((failed + fuzz_failed))
report+=("fuzz: $fuzz_passed targets passed, $fuzz_failed failed ($((SECONDS - begin))s)")
rm -f "$fuzz_log"

echo "=== summary ($((SECONDS - started))s)"
printf '%s\n' "${report[@]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
