#!/usr/bin/env bash
# Screenshots of the dialogs from the running i686 build under Wine, as PNG
# files for a person to look at:
#
#   scripts/screenshots.sh [FOLDER]     (default: build/screenshots)
#
# Builds test_win (preset mingw-i686), runs the tests that show the dialogs
# on a private Xvfb display with TAVIR_SCREENSHOTS set, and converts what
# they saved to PNG with ImageMagick.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$repo/build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
raw=$(mktemp -d)
trap 'rm -rf "$raw"' EXIT

cd "$repo"
if [[ ! -f build/mingw-i686/CMakeCache.txt ]]; then
  cmake --preset mingw-i686 >/dev/null
fi
cmake --build --preset mingw-i686 --target test_win

# The main dialog at rest and with its progress bar, and the about box.
export TAVIR_SCREENSHOTS="Z:$raw"
export TAVIR_WINE_DISPLAY=xvfb
export GTEST_FILTER="${TAVIR_SCREENSHOT_TESTS:-MainDialogTest.OpensWithTheUserAndTheCountLine:MainDialogTest.ProgressBarShowsOnlyWhileAnOperationRuns:MainDialogTest.CtrlOFromAnyControlAndTheMenuOpenTheirDialogs}"
bash scripts/run-under-wine.sh i686 build/mingw-i686/tests/test_win.exe >/dev/null

shopt -s nullglob
shots=("$raw"/*.bmp)
if [[ ${#shots[@]} -eq 0 ]]; then
  echo "screenshots: the tests saved no screenshot" >&2
  exit 1
fi
for shot in "${shots[@]}"; do
  name=$(basename "$shot" .bmp)
  /usr/bin/convert "$shot" "$out/$name.png"
  echo "$out/$name.png"
done
