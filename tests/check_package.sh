#!/usr/bin/env bash
# The show's Debian package, made from a build and unpacked into a scratch
# root. Usage: check_package.sh BUILD-FOLDER
set -uo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$scratch/cpack.log")"
deb=$(ls "$scratch"/sleighride_*.deb 2>/dev/null | head -n 1)
[[ -n $deb ]] || fail "no package made"

depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for library in libsdl1.2debian libpng16-16 libsdl-mixer1.2 libgl1 libglu1-mesa libc6 libstdc++6; do
    grep -qxF "$library" <<<"$names" || fail "does not depend on $library: $depends"
done
grep -q -- '-dev' <<<"$depends" && fail "depends on a development package: $depends"

root=$scratch/root
dpkg-deb -x "$deb" "$root" || fail "cannot unpack $deb"
[[ -x $root/usr/bin/sleighride ]] || fail "no usr/bin/sleighride"
[[ $("$root/usr/bin/sleighride" --version) == "sleighride $(dpkg-deb -f "$deb" Version)" ]] ||
    fail "the installed program's --version does not match the package's"
entry=$root/usr/share/applications/sleighride.desktop
[[ -f $entry ]] || fail "no desktop entry"
grep -qx 'Exec=sleighride' "$entry" && grep -qx 'Icon=sleighride' "$entry" || fail "the entry does not start the show with its icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the desktop entry is not valid"
fi
icon=$root/usr/share/icons/hicolor/256x256/apps/sleighride.png
[[ -f $icon ]] || fail "no icon"
# A PNG's signature, then its header chunk: width and height, 4 bytes each.
[[ $(od -An -tx1 -N24 "$icon" | tr -d ' \n') == 89504e470d0a1a0a0000000d4948445200000100'00000100' ]] ||
    fail "the icon is not a 256 x 256 PNG"
echo "the package holds the show, its entry and its icon, and depends on Debian's libraries"
