#!/usr/bin/env bash
# The show's Debian package, made from a build, checked by lintian and
# unpacked into a scratch root. Usage: check_package.sh BUILD-FOLDER
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
for library in libsdl1.2debian libpng16-16 libsdl-mixer1.2 libasound2 libgl1 libglu1-mesa libc6 libstdc++6; do
    grep -qxF "$library" <<<"$names" || fail "does not depend on $library: $depends"
done
grep -q -- '-dev' <<<"$depends" && fail "depends on a development package: $depends"

# Debian's own judgement: not one error or warning.
lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v '^running with root' "$scratch/lintian.log")"

root=$scratch/root
dpkg-deb -x "$deb" "$root" || fail "cannot unpack $deb"
show=$root/usr/games/sleighride
[[ -x $show ]] || fail "no usr/games/sleighride"
version=$(dpkg-deb -f "$deb" Version)
[[ $("$show" --version) == "sleighride $version" ]] || fail "the installed program's --version does not match the package's"

docs=$root/usr/share/doc/sleighride
head -n 1 "$docs/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "no copyright file in Debian's format"
[[ $(zcat "$docs/changelog.gz" | head -n 1) == "sleighride ($version) unstable; urgency=medium" ]] ||
    fail "the changelog does not open with this version"
# The manual page renders without a complaint, and tells of every option
# the program's --help does.
manual=$root/usr/share/man/man6/sleighride.6.gz
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" >"$scratch/manual.txt" 2>"$scratch/manual.err" &&
    [[ ! -s $scratch/manual.err ]] || fail "the manual page: $(cat "$scratch/manual.err")"
for option in $("$show" --help | sed -n 's/^  \(--[a-z]*\).*/\1/p'); do
    grep -q -- "^       $option" "$scratch/manual.txt" || fail "the manual page does not tell of $option"
done
grep -q '^EXIT STATUS' "$scratch/manual.txt" && grep -q '^KEYS' "$scratch/manual.txt" ||
    fail "the manual page has no keys or exit statuses"

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
echo "lintian accepts the package; it holds the show, its manual, copyright, changelog, entry and icon, and depends on Debian's libraries"
