#!/usr/bin/env bash
# Inspects a built druno_<version>_<arch>.deb: its files, its Depends against the libraries
# the programs load, lintian's findings, and the desktop entry and metainfo it installs.
# Usage: packaging/check-package.sh druno_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

echo "== control"
dpkg-deb --info "$deb"
echo "== files"
dpkg-deb --contents "$deb" | tee "$work/contents"
dpkg-deb --extract "$deb" "$work/root"

expected=(
    usr/games/druno
    usr/games/druno-kvo
    usr/share/applications/druno.desktop
    usr/share/metainfo/org.brantel.druno.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/druno.svg
    usr/share/man/man6/druno.6.gz
    usr/share/man/man6/druno-kvo.6.gz
    usr/share/man/de/man6/druno.6.gz
    usr/share/doc/druno/copyright
    usr/share/doc/druno/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/druno.png")
done
for path in "${expected[@]}"; do
    [[ -f "$work/root/$path" ]] || fail "$path is missing"
done
for size in 16 22 24 32 48 64 128 256; do
    png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/druno.png"
    [[ -f "$png" ]] || continue
    file "$png" | grep -q ", $size x $size," || fail "the ${size}x${size} icon has another size"
done
name=$(dpkg-deb --field "$deb" Package)
version=$(dpkg-deb --field "$deb" Version)
arch=$(dpkg-deb --field "$deb" Architecture)
[[ $(basename "$deb") == "${name}_${version}_${arch}.deb" ]] ||
    fail "the file name does not follow name_version_arch.deb"
[[ $name == druno ]] || fail "the package is called $name"

# Every library the two programs load must come from a package that Depends names.
echo "== Depends against the programs' libraries"
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The package names of Depends, one a line, without versions or alternatives' bars.
depends_names=$(sed 's/(.*)//; s/^ *//; s/ *$//' <<<"${depends//[,|]/$'\n'}")
names_package() {
    grep -Fxq -- "$1" <<<"$depends_names"
}
libraries=$(ldconfig -p)
for exe in "$work/root/usr/games/druno" "$work/root/usr/games/druno-kvo"; do
    while read -r soname; do
        lib=$(awk -v so="$soname" '$1 == so && !found {found = $NF} END {print found}' <<<"$libraries")
        [[ -n $lib ]] || { fail "$(basename "$exe") needs $soname, which is not installed"; continue; }
        owner=$(dpkg -S "$(realpath "$lib")" 2>/dev/null || dpkg -S "$lib" 2>/dev/null || true)
        owner=${owner%%:*}
        [[ -n $owner ]] || { fail "no package owns $lib"; continue; }
        names_package "$owner" ||
            fail "$(basename "$exe") needs $soname from $owner, which Depends does not name"
    done < <(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
done
for runtime in qt6-qpa-plugins libqt6sql6-sqlite fonts-liberation; do
    names_package "$runtime" || fail "Depends does not name $runtime"
done
# The Wayland platform plugin, without which a desktop with no X server cannot show the game,
# and Qt's translations of its own texts.
recommends=$(dpkg-deb --field "$deb" Recommends)
echo "Recommends: $recommends"
for recommended in qt6-wayland qt6-translations-l10n; do
    grep -Eq "(^|[ ,|])$recommended(\$|[ ,|(])" <<<"$recommends" ||
        fail "Recommends does not name $recommended"
done

echo "== desktop-file-validate"
# desktop-file-validate prints warnings and still ends with 0: the wrapper fails on them.
"$(dirname "$0")/validate.sh" desktop-file-validate \
    "$work/root/usr/share/applications/druno.desktop" || fail "desktop entry"
echo "== appstreamcli validate"
appstreamcli validate --no-net --strict --pedantic \
    "$work/root/usr/share/metainfo/org.brantel.druno.metainfo.xml" || fail "metainfo"

echo "== lintian"
# Findings that are explained stand in packaging/lintian-overrides, with the reason.
lintian --fail-on error,warning --info --display-level '>=info' "$deb" || fail "lintian"

if [[ $failed -ne 0 ]]; then
    echo "the package check failed"
    exit 1
fi
echo "PASS: $(basename "$deb") holds its files, Depends covers its libraries, lintian and the validators are content"
