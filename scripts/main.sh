#!/usr/bin/env bash
# The main job: sets the machine up, builds the `tavir` program (native
# release), imports examples/sample.csv into a fresh stand-alone datebook and
# exports it to CSV, iCalendar, vCalendar and Excel files under out/, then
# prints the datebook's count line.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release

tavir=build/native-release/src/cli/tavir
if [[ ! -x $tavir ]]; then
  echo "main: the command-line program is not built yet (src/cli/main.cpp does not exist); nothing was imported or exported." >&2
  exit 1
fi

mkdir -p out
datebook=out/datebook.sqlite
registry=out/registry.reg
rm -f "$datebook" "$registry" out/sample.csv out/sample.ics out/sample.vcs out/sample.xls
# The sample is UTF-8 text with United States dates.
export TAVIR_LOCALE=en-US LC_ALL=C.UTF-8
run() { "$tavir" --datebook "$datebook" --registry "$registry" "$@"; }

run import examples/sample.csv
# The full format: every appointment once, repeating ones with their rule.
for file in out/sample.csv out/sample.ics out/sample.xls; do
  run export "$file"
done
# vCalendar files hold single occurrences: the simple format, 30 days around today.
run options fullformat 0
run export out/sample.vcs
run options fullformat 1
run count
