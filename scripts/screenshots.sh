#!/usr/bin/env bash
# Pictures of the main dialog (at rest and during an export), the about box,
# the options dialog, the file format example, the archive dialog, the icon
# buttons (normal, focused, disabled) and the main dialog in German, taken from the i686 build
# running under Wine on a private Xvfb display: once in the classic look and
# once with Wine's own visual theme ("Light", which every Wine 8 prefix has).
#
#   scripts/screenshots.sh [OUTPUT_DIR]      (default: build/screenshots)
#
# Writes OUTPUT_DIR/{classic,themed}-{main-dialog,main-dialog-progress,about-box,
# options,example,archive,icon-buttons,main-dialog-german}.png.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(mkdir -p "${1:-$repo/build/screenshots}" && cd "${1:-$repo/build/screenshots}" && pwd)
if [[ -f /etc/profile.d/tavir-ccache.sh ]]; then
  source /etc/profile.d/tavir-ccache.sh
fi
cd "$repo"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target test_win_screens
program=$repo/build/mingw-i686/tests/test_win_screens.exe

rm -f "$out"/*.bmp "$out"/*.png
export TAVIR_WINE_DISPLAY=xvfb TAVIR_SCREENSHOT_DIR="Z:$out"
bash scripts/run-under-wine.sh i686 "$program"
TAVIR_SCREENSHOT_THEME='C:\windows\resources\themes\light\light.msstyles' \
  bash scripts/run-under-wine.sh i686 "$program"

for bmp in "$out"/*.bmp; do
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png"
  rm "$bmp"
done
ls "$out"/*.png
