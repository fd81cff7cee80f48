#!/usr/bin/env bash
# Installs the build as a user would (cmake --install into a fresh ~/.local)
# and builds the .deb, and checks:
#  - every file lands in its freedesktop place in both;
#  - the user install alone ties .rap to the program: xdg-mime names the type
#    of a .rap file and welkor-lumo.desktop as its program, and that entry
#    starts the installed program with PATH not leading to it;
#  - man finds both manual pages through PATH;
#  - lintian takes the .deb with no error and no warning, its programs carry
#    the hardening, its AppStream file validates.
#   tests/install/check-install.sh <build-dir>
set -euo pipefail
build="$1"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
started=""
cleanup() {
  if [ -n "$started" ]; then kill "$started" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$*"; exit 1; }

for tool in xdg-mime gio man lintian hardening-check appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
done

expected=(
  bin/welkor-lumo
  bin/welkor-lumo-cli
  lib/welkor-lumo/modules/welkor-lumo-print.so
  lib/welkor-lumo/modules/welkor-lumo-serial.so
  "share/welkor-lumo/Brosalin 1.html"
  share/applications/welkor-lumo.desktop
  share/mime/packages/welkor-lumo.xml
  share/icons/hicolor/scalable/apps/welkor-lumo.svg
  share/metainfo/pl.marvant.welkor_lumo.metainfo.xml
  share/man/man1/welkor-lumo.1.gz
  share/man/man1/welkor-lumo-cli.1.gz
  share/doc/welkor-lumo/copyright
  share/doc/welkor-lumo/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/welkor-lumo.png")
done
# The logo goes along when the build has drawn it.
if [ -f "$build/src/app/Marvant.bmp" ]; then expected+=(share/welkor-lumo/Marvant.bmp); fi

# ---- A user's install --------------------------------------------------------
# A home of its own, seen by the desktop tools alone (no folders of this
# machine). Its name holds characters the desktop entry has to quote; no
# blank, for xdg-mime splits its folder lists at blanks.
home="$work/użytkownik(\$1)"
prefix="$home/.local"
export XDG_DATA_HOME="$prefix/share" XDG_CONFIG_HOME="$home/.config" XDG_DATA_DIRS="$work/system/share"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID MANPATH
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_DIRS"

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/welkor-lumo" ] || fail "the program is not executable"
"$prefix/bin/welkor-lumo-cli" --help >/dev/null || fail "the installed welkor-lumo-cli does not run"
entry="$prefix/share/applications/welkor-lumo.desktop"
desktop-file-validate "$entry"

# No further step: the install refreshed the prefix's databases.
report="$work/płytka żółta 2.rap"
cp "$root/examples/pomiar_przyklad.rap" "$report"
type="$(xdg-mime query filetype "$report" 2>/dev/null || true)"
[ "$type" = application/x-welkor-rap ] || fail "xdg-mime query filetype gives '$type'"
default="$(xdg-mime query default application/x-welkor-rap 2>/dev/null || true)"
[ "$default" = welkor-lumo.desktop ] || fail "xdg-mime query default application/x-welkor-rap gives '$default'"
# xdg-mime and GIO also read the entries themselves; tools that read only
# the desktop entry cache find the program there.
grep -qx 'application/x-welkor-rap=welkor-lumo.desktop;' "$prefix/share/applications/mimeinfo.cache" \
  || fail "the desktop entry cache does not name the program for application/x-welkor-rap"

# The entry starts the installed program with the report, though PATH does
# not lead to it, as a desktop started before ~/.local/bin existed would.
program="$prefix/bin/welkor-lumo"
PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen gio launch "$entry" "$report" >/dev/null 2>&1 \
  || fail "gio launch of the installed entry failed: $(grep '^Exec=' "$entry")"
for _ in $(seq 100); do
  for proc in /proc/[0-9]*; do
    if [ "$(readlink "$proc/exe" 2>/dev/null)" = "$program" ]; then started="${proc#/proc/}"; break 2; fi
  done
  sleep 0.1
done
[ -n "$started" ] || fail "the desktop entry did not start $program: $(grep '^Exec=' "$entry")"
mapfile -d '' arguments <"/proc/$started/cmdline"
[ "${arguments[1]:-}" = "$report" ] || fail "the program was started with '${arguments[1]:-}', not the report"
kill "$started"
started=""

# man finds the pages beside the programs it finds on PATH.
for page in welkor-lumo welkor-lumo-cli; do
  found="$(PATH="$prefix/bin:/usr/bin:/bin" man -w "$page")"
  [ "$found" = "$prefix/share/man/man1/$page.1.gz" ] || fail "man -w $page gives '$found'"
done

# ---- The package -------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/welkor-lumo_*.deb)"
contents="$(dpkg-deb -c "$deb")"
for file in "${expected[@]}"; do
  grep -qF "./usr/$file" <<<"$contents" || fail "not in the package: $file"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
dpkg-deb -x "$deb" "$work/deb"
# The workbook library is loaded when a workbook is written, not linked: the
# package must name it, and neither program may pull it in at start.
dpkg-deb -f "$deb" Depends | grep -q libxlsxwriter || fail "the package does not depend on libxlsxwriter"
for program in welkor-lumo welkor-lumo-cli; do
  if readelf -d "$work/deb/usr/bin/$program" | grep -q 'NEEDED.*xlsxwriter'; then
    fail "$program links libxlsxwriter at start"
  fi
done
# In /usr the entry starts the program by name, as every packaged program does.
grep -qx 'Exec=welkor-lumo %f' "$work/deb/usr/share/applications/welkor-lumo.desktop" \
  || fail "the packaged entry: $(grep '^Exec=' "$work/deb/usr/share/applications/welkor-lumo.desktop")"

lint="$(lintian --fail-on error,warning "$deb" 2>&1)" || fail "lintian finds errors or warnings in the package: $lint"
if grep -E '^[EW]: ' <<<"$lint"; then fail "lintian finds errors or warnings in the package"; fi
appstreamcli validate --no-net "$work/deb/usr/share/metainfo/pl.marvant.welkor_lumo.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net "$work/deb/usr/share/metainfo/pl.marvant.welkor_lumo.metainfo.xml"; exit 1; }
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")"
hardening="$(sed -n 's/^WELKOR_HARDENING:[A-Z]*=//p' "$build/CMakeCache.txt")"
case "$hardening:$build_type" in
  OFF:*) echo "built with WELKOR_HARDENING=OFF: hardening not checked" ;;
  # Control-flow protection is compiled in, but Debian 12's C start files
  # carry no CET note, so no program linked there is marked (/usr/bin/ls
  # neither): that one check is left out.
  *:Release|*:RelWithDebInfo|*:MinSizeRel)
    hardening-check --nocfprotection "$work/deb/usr/bin/welkor-lumo" "$work/deb/usr/bin/welkor-lumo-cli" >/dev/null \
      || { hardening-check --nocfprotection "$work/deb/usr/bin/welkor-lumo" "$work/deb/usr/bin/welkor-lumo-cli"; exit 1; } ;;
  *) echo "a $build_type build is not hardened: hardening not checked" ;;
esac
echo "installed and packaged: ${#expected[@]} files; lintian, AppStream and hardening checks passed"
