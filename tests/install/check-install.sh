#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds the .deb, and checks
# that every file lands in its freedesktop place in both.
#   tests/install/check-install.sh <build-dir>
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

expected=(
  bin/welkor-lumo
  bin/welkor-lumo-cli
  "share/welkor-lumo/Brosalin 1.html"
  share/applications/welkor-lumo.desktop
  share/mime/packages/welkor-lumo.xml
  share/icons/hicolor/scalable/apps/welkor-lumo.svg
)
# The logo goes along when the build has drawn it.
if [ -f "$build/src/app/Marvant.bmp" ]; then expected+=(share/welkor-lumo/Marvant.bmp); fi

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in "${expected[@]}"; do
  [ -f "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -x "$work/prefix/bin/welkor-lumo" ] || { echo "the program is not executable"; exit 1; }
"$work/prefix/bin/welkor-lumo-cli" --help >/dev/null || { echo "the installed welkor-lumo-cli does not run"; exit 1; }
desktop-file-validate "$work/prefix/share/applications/welkor-lumo.desktop"
# The MIME package is one the database takes.
mkdir -p "$work/mime/packages"
cp "$work/prefix/share/mime/packages/welkor-lumo.xml" "$work/mime/packages/"
update-mime-database "$work/mime"
grep -q ':application/x-welkor-rap:\*\.rap' "$work/mime/globs2" || { echo "the MIME database lacks *.rap"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/welkor-lumo_*.deb)"
contents="$(dpkg-deb -c "$deb")"
for file in "${expected[@]}"; do
  grep -qF "./usr/$file" <<<"$contents" || { echo "not in the package: $file"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "the package does not depend on Qt"; exit 1; }
echo "installed and packaged: ${#expected[@]} files"
