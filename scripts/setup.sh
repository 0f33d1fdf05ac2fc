#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, as root.
# Idempotent: what is already there is skipped quickly.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"
ensure_root "${BASH_SOURCE[0]}" "$@"
export DEBIAN_FRONTEND=noninteractive

packages=(
  build-essential cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
  googletest libgtest-dev libsqlite3-dev sqlite3 libcli11-dev libical-dev libfreexl-dev
  python3 python3-icalendar python3-dateutil python3-xlrd python3-vobject
  mingw-w64 mingw-w64-tools wine wine64 libwine-dev xvfb xauth locales
  fonts-wine  # MS Sans Serif, Tahoma & co.: the dialogs' fonts under Wine
  libc6-i386  # the C library of the 32-bit Wine loader
  help2man    # the man page of tavir, made from its --help at build time
  nsis        # the add-in's Windows installer (makensis)
)
wine32_dir=${TAVIR_WINE32:-/opt/tavir-wine32}
locales_needed=(en_US.UTF-8 en_GB.UTF-8 de_DE.UTF-8 fr_FR.UTF-8)

apt_updated=0
apt_update() {
  if [[ $apt_updated -eq 0 ]]; then
    echo "setup: apt-get update"
    # A mirror caught mid-sync fails one index (often i386 security); what
    # we need is in the others, so go on and let the install say if not.
    apt-get update -q >/dev/null || echo "setup: apt-get update reported errors; continuing" >&2
    apt_updated=1
  fi
}

is_installed() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]
}

missing=()
for p in "${packages[@]}"; do
  is_installed "$p" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  apt_update
  echo "setup: installing ${missing[*]}"
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Locales: Wine takes the Windows user locale from LC_ALL.
missing_locales=()
for l in "${locales_needed[@]}"; do
  short=$(echo "${l%%.*}.utf8")
  locale -a 2>/dev/null | grep -qix "$short" || missing_locales+=("$l")
done
if [[ ${#missing_locales[@]} -gt 0 ]]; then
  echo "setup: generating locales ${missing_locales[*]}"
  for l in "${missing_locales[@]}"; do
    if grep -q "^# *$l UTF-8" /etc/locale.gen; then
      sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^$l UTF-8" /etc/locale.gen; then
      echo "$l UTF-8" >>/etc/locale.gen
    fi
  done
  locale-gen >/dev/null
fi

# 32-bit Wine for the i686 tests. `apt-get install wine32:i386` fails on
# these mirrors (amd64 and i386 versions differ), so the packages are
# unpacked into a private folder beside the system's 64-bit Wine instead,
# with the 32-bit X11 and FreeType client libraries that windows need.
wine32_packages=(
  libx11-6 libxext6 libxcb1 libxau6 libxdmcp6 libbsd0 libmd0 libxrender1 libxrandr2
  libxi6 libxfixes3 libxcursor1 libxinerama1 libxcomposite1
  libfreetype6 libpng16-16 zlib1g libbrotli1 libfontconfig1 libexpat1
)
wine_version=$(dpkg-query -W -f='${Version}' wine64)
wine32_marker=$wine32_dir/.unpacked-$wine_version
if [[ ! -f $wine32_marker ]]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    apt_updated=0
  fi
  apt_update
  download=$(mktemp -d)
  chown _apt "$download" 2>/dev/null || true  # apt's sandbox user writes the files
  echo "setup: unpacking wine32 $wine_version into $wine32_dir"
  wanted=("wine32:i386=$wine_version" "libwine:i386=$wine_version")
  for p in "${wine32_packages[@]}"; do
    wanted+=("$p:i386")
  done
  (cd "$download" && apt-get download -q "${wanted[@]}")
  rm -rf "$wine32_dir.new"
  mkdir -p "$wine32_dir.new"
  for deb in "$download"/*.deb; do
    dpkg -x "$deb" "$wine32_dir.new"
  done
  rm -rf "$download" "$wine32_dir"
  touch "$wine32_dir.new/.unpacked-$wine_version"
  mv "$wine32_dir.new" "$wine32_dir"
fi
# The 32-bit loader starts 64-bit helpers through the wine64 beside it.
ln -sfn /usr/lib/wine/wine64 "$wine32_dir/usr/lib/wine/wine64"
# It looks for Wine's fonts beside itself; the unpacked folder is empty.
if [[ ! -L $wine32_dir/usr/share/wine/fonts ]]; then
  rm -rf "$wine32_dir/usr/share/wine/fonts"
  ln -s /usr/share/wine/fonts "$wine32_dir/usr/share/wine/fonts"
fi

# LibreOffice Calc (headless) opens the written workbooks in a later check.
if ! is_installed libreoffice-calc-nogui && ! is_installed libreoffice-calc; then
  apt_update
  echo "setup: installing LibreOffice Calc"
  apt-get install -y -q --no-install-recommends libreoffice-calc-nogui ||
    apt-get install -y -q --no-install-recommends libreoffice-calc
fi

echo "setup: done"
