#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and this
# machine lacks. Safe to run again: it does nothing when all is present.
# Usage: install-deps.sh [--fuzz]
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-serialport-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the curve fits (linear algebra, Levenberg–Marquardt)
  libeigen3-dev
  fontconfig libfontconfig-dev fonts-dejavu-core
  xvfb xdotool poppler-utils
  libxcb1-dev # the start-up benchmark watches the X server for the window's map
  time # peak memory in the benchmarks
  # file-type registration and its tests, the .deb
  xdg-utils shared-mime-info desktop-file-utils libfile-mimeinfo-perl libglib2.0-bin dpkg-dev
  # the icons drawn from the SVG; the package's checks (lintian, hardening-check,
  # the AppStream file, man pages); the CSV read back as pandas reads it
  librsvg2-bin lintian devscripts appstream man-db gzip python3-pandas
  # Excel workbooks (xlsx); openpyxl reads them back in the tests, under a
  # Polish locale made from the package locales
  libxlsxwriter-dev python3-openpyxl locales
)
# --fuzz: also clang with libFuzzer and the sanitizer runtimes (fuzz/run);
# the normal build and ./test never need them.
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo="sudo"; else
    echo "Brak uprawnień: uruchom jako root albo zainstaluj sudo (brakuje: ${missing[*]})." >&2
    exit 1
  fi
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
