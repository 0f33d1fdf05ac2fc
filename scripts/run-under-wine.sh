#!/usr/bin/env bash
# Runs one cross-built GoogleTest program under Wine, headless, in a private
# Wine prefix per architecture, and judges the run by GoogleTest's summary:
# a Wine that cannot start the program prints nothing and still exits 0.
#
#   scripts/run-under-wine.sh i686|x86_64 PROGRAM.exe [ARGS...]
#
# Environment (all optional):
#   TAVIR_WINEPREFIX_ROOT  where the prefixes live (default: <repo>/build);
#                          the prefix is wineprefix-<arch> inside it.
#   TAVIR_WINE32           the unpacked 32-bit Wine (default /opt/tavir-wine32,
#                          made by scripts/setup.sh).
#   TAVIR_WINE_LOCALE      the Windows user locale, as a Unix locale name
#                          (default en_US.UTF-8).
#   TAVIR_WINE_DISPLAY     "xvfb" runs the program on a private Xvfb display
#                          (for tests that open windows); default: no display.
#   TAVIR_WINE_TIMEOUT     seconds before the run is killed (default 600).
set -euo pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 i686|x86_64 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi
arch=$1
program=$2
shift 2

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix_root=${TAVIR_WINEPREFIX_ROOT:-$repo/build}
wine32=${TAVIR_WINE32:-/opt/tavir-wine32}

case "$arch" in
  x86_64|amd64)
    arch=x86_64
    loader=/usr/lib/wine/wine64
    ;;
  i686|i386|x86)
    arch=i686
    loader=$wine32/usr/lib/wine/wine
    export WINEDLLPATH="$wine32/usr/lib/i386-linux-gnu/wine/i386-unix:$wine32/usr/lib/i386-linux-gnu/wine/i386-windows"
    # 32-bit X11 and FreeType client libraries unpacked beside it.
    export LD_LIBRARY_PATH="$wine32/usr/lib/i386-linux-gnu:$wine32/lib/i386-linux-gnu${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
    ;;
  *)
    echo "run-under-wine: unknown architecture '$arch'" >&2
    exit 2
    ;;
esac
if [[ ! -x $loader ]]; then
  echo "run-under-wine: no Wine loader at $loader (run scripts/setup.sh)" >&2
  exit 1
fi
if [[ ! -f $program ]]; then
  echo "run-under-wine: no program $program" >&2
  exit 1
fi

export WINELOADER=$loader
export WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=$prefix_root/wineprefix-$arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${TAVIR_WINE_LOCALE:-en_US.UTF-8}
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$prefix_root"

log=$(mktemp)
trap 'rm -f "$log"' EXIT

# One prefix is one Windows registry: programs that share it take turns, also
# across builds and engineers. Holding the lock until the wineserver is gone
# means the next run starts its own server, with or without a display.
exec 9>"$prefix_root/wineprefix-$arch.lock"
flock 9

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "run-under-wine: creating the Wine prefix $WINEPREFIX" >&2
  timeout 300 "$loader" wineboot --init </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w || true
fi

# Wine's own fonts (fonts-wine: MS Sans Serif, Tahoma, ...) reach a prefix only
# when it is made; a prefix made before they were installed gets them here, or
# the dialogs fall back to a wider font and their texts are cut off.
if [[ -f /usr/share/wine/fonts/sserife.fon && ! -f $WINEPREFIX/drive_c/windows/Fonts/sserife.fon ]]; then
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

if [[ ${TAVIR_WINE_DISPLAY:-} == xvfb ]] && ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  # Xvfb has no window manager: Wine then draws the frames itself, and does
  # not wait two seconds for a window manager to confirm each hidden window.
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w || true
fi

command=(timeout --kill-after=10 "${TAVIR_WINE_TIMEOUT:-600}" "$loader" "$program" "$@")
if [[ ${TAVIR_WINE_DISPLAY:-} == xvfb ]]; then
  command=(xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "${command[@]}")
fi

set +e
"${command[@]}" </dev/null 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w 2>/dev/null || true

# GoogleTest ends with "[  PASSED  ] N test(s)." and, after failures, lists
# them under "[  FAILED  ]". Wine writes CRLF line ends for the program.
passed=$(tr -d '\r' <"$log" | sed -n 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\{0,1\}\..*/\1/p' | tail -n 1)
if tr -d '\r' <"$log" | grep -q '^\[  FAILED  \]'; then
  echo "run-under-wine: FAILED: GoogleTest reports failing tests" >&2
  exit 1
fi
if [[ -z $passed || $passed -eq 0 ]]; then
  echo "run-under-wine: FAILED: no GoogleTest summary (the program did not run under Wine, or ran no tests; exit status $status)" >&2
  exit 1
fi
if [[ $status -ne 0 ]]; then
  echo "run-under-wine: FAILED: exit status $status after $passed passing tests" >&2
  exit 1
fi
exit 0
