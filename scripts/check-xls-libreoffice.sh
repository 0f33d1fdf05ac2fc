#!/usr/bin/env bash
# Has LibreOffice read a workbook written through ExcelFile and the spreadsheet
# stand-in: the interchange test writes it with the CSV that LibreOffice must
# show for it, LibreOffice converts the workbook to CSV headless, and the two
# are compared. Usage: scripts/check-xls-libreoffice.sh [BUILD_DIR]
# Needs soffice (Debian: libreoffice-calc-nogui, --no-install-recommends).
set -euo pipefail

build=${1:-build/native-debug}
test_program="$build/tests/test_spreadsheet"
if [[ ! -x $test_program ]]; then
  echo "check-xls-libreoffice: $test_program not found; build the target test_spreadsheet first" >&2
  exit 2
fi
if ! command -v soffice >/dev/null; then
  echo "check-xls-libreoffice: soffice not found; install libreoffice-calc-nogui" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
TAVIR_XLS_KEEP=$work "$test_program" --gtest_filter='ExcelInterchangeTest.*' >"$work/test.log" 2>&1 || {
  cat "$work/test.log" >&2
  exit 1
}
# A private profile: a running LibreOffice of the user must not take the job.
# The CSV options: comma, double quote, UTF-8, and cell contents as shown, so
# that the workbook's date and time formats are part of the comparison.
soffice -env:UserInstallation="file://$work/profile" --headless \
  --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true' \
  --outdir "$work/csv" "$work/interchange.xls" >"$work/soffice.log" 2>&1
if diff --strip-trailing-cr -u "$work/interchange-expected.csv" "$work/csv/interchange.csv"; then
  echo "check-xls-libreoffice: LibreOffice reads every value as written"
else
  echo "check-xls-libreoffice: LibreOffice shows the workbook differently (above)" >&2
  exit 1
fi
