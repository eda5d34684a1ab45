#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build tree into a temporary directory and checks it as a
# distribution would: control fields, file list and modes, the extracted program, the version
# in every place that carries it, and lintian where it is installed.
# Usage: package_check.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1
version=$2
app_id=$3
name=numer-integration

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A strict umask shows whether the package sets its modes itself.
if ! (umask 077 && cpack --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "cpack failed" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$work/out/${name}_${version}_${arch}.deb
if [[ ! -f "$deb" ]]; then
    echo "No ${deb##*/}; cpack made: $(ls "$work/out")" >&2
    exit 1
fi

expect_field() {
    local actual
    actual=$(dpkg-deb -f "$deb" "$1")
    [[ "$actual" == "$2" ]] || fail "$1 is '$actual', not '$2'"
}
expect_field Package "$name"
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Section math
for field in Maintainer Homepage Description; do
    [[ -n "$(dpkg-deb -f "$deb" "$field")" ]] || fail "no $field"
done
grep -qw qt6-translations-l10n <<<"$(dpkg-deb -f "$deb" Recommends)" ||
    fail "Recommends lacks qt6-translations-l10n"

# Every file under /usr, owned by root, 0755 for directories and the program, 0644 for the rest.
expected=("usr/bin/$name" "usr/share/applications/$app_id.desktop"
    "usr/share/metainfo/$app_id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    "usr/share/icons/hicolor/64x64/apps/$app_id.png" "usr/share/icons/hicolor/128x128/apps/$app_id.png"
    "usr/share/man/man1/$name.1.gz" "usr/share/doc/$name/copyright" "usr/share/doc/$name/changelog.gz")
listing=$(dpkg-deb -c "$deb")
for path in "${expected[@]}"; do
    grep -qE " \./${path//./\\.}\$" <<<"$listing" || fail "the package lacks /$path"
done
while read -r mode owner _ _ _ path _; do
    [[ "$owner" == root/root ]] || fail "$path belongs to $owner"
    [[ "$path" == ./ || "$path" == ./usr/* ]] || fail "$path lies outside /usr"
    want=rw-r--r--
    [[ "$mode" == d* || "$path" == "./usr/bin/$name" ]] && want=rwxr-xr-x
    [[ "${mode:1}" == "$want" ]] || fail "$path has mode $mode, not ${mode:0:1}$want"
    [[ "$mode" == [d-]* ]] || fail "$path is neither a file nor a directory"
done <<<"$listing"

root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/$name

# Every ELF file is stripped, and Depends, from dpkg-shlibdeps, names the package of each Qt
# library that one of them needs.
depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *libc6* ]] || fail "Depends lacks libc6: '$depends'"
qt_libraries=
while IFS= read -r -d '' path; do
    description=$(file -b "$path")
    [[ "$description" == ELF* ]] || continue
    [[ "$description" == *", stripped"* ]] || fail "${path#"$root"} is not stripped: $description"
    qt_libraries+=" $(readelf -d "$path" |
        sed -nE 's/.*Shared library: \[libQt6([[:alnum:]]+)\.so\.6\].*/\1/p')"
done < <(find "$root" -type f -print0)
[[ -n "${qt_libraries// /}" ]] || fail "nothing in the package needs a Qt library"
for library in $(tr ' ' '\n' <<<"$qt_libraries" | sort -u); do
    package=libqt6${library,,}6
    grep -qE "(^|, )$package( |,|\$)" <<<"$depends" || fail "Depends lacks $package: '$depends'"
done

# The version agrees everywhere: file name and Version above, the program, metainfo, man page
# and changelog. The program needs no display for it.
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1) ||
    fail "the extracted program failed on --version"
[[ "$said" == "$name $version" ]] || fail "--version says '$said', not '$name $version'"
release=$(sed -nE 's/.*<release version="([^"]*)".*/\1/p' "$root/usr/share/metainfo/$app_id.metainfo.xml")
[[ "$release" == "$version" ]] || fail "the metainfo's release is '$release', not '$version'"
man_title=$(gzip -dc "$root/usr/share/man/man1/$name.1.gz" | grep -m 1 '^\.TH ' || true)
[[ "$man_title" == *"\"Numer-Integration $version\""* ]] ||
    fail "the man page's title is '$man_title', without the version $version"
changelog=$root/usr/share/doc/$name/changelog.gz
gzip -dc "$changelog" >"$work/changelog"
entry=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>"$work/parse.log")
[[ "$entry" == "$version" && ! -s "$work/parse.log" ]] ||
    fail "the changelog is for '$entry', not $version: $(cat "$work/parse.log")"

# The changelog and man page are dated the metainfo's release day, with the right weekday.
release_date=$(sed -nE 's/.*<release [^>]*date="([^"]*)".*/\1/p' "$root/usr/share/metainfo/$app_id.metainfo.xml")
dated=$(dpkg-parsechangelog -l "$work/changelog" -S Date)
[[ "$(LC_ALL=C date -u -R -d "$dated")" == "$dated" ]] || fail "the changelog's date '$dated' is wrong"
[[ "$(LC_ALL=C date -u +%F -d "$dated")" == "$release_date" ]] ||
    fail "the changelog is dated '$dated', the release '$release_date'"
[[ "$man_title" == ".TH NUMER-INTEGRATION 1 $release_date "* ]] ||
    fail "the man page's title '$man_title' lacks the release date $release_date"

# gzip -n leaves the timestamp at bytes 4 to 7 zero, so the package builds reproducibly.
for compressed in "$root/usr/share/man/man1/$name.1.gz" "$changelog"; do
    gzip -t "$compressed" || fail "${compressed#"$root"} is not a gzip file"
    stamp=$(od -An -tx1 -j4 -N4 "$compressed" | tr -d ' ')
    [[ "$stamp" == 00000000 ]] || fail "${compressed#"$root"} carries a timestamp"
done

copyright=$root/usr/share/doc/$name/copyright
[[ "$(head -n 1 "$copyright")" == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
    fail "the copyright file is not in the machine-readable format"
for line in "Copyright: 2026 Numer-Integration contributors" "License: GPL-3+" \
    '"/usr/share/common-licenses/GPL-3"'; do
    grep -qF -- "$line" "$copyright" || fail "the copyright file lacks $line"
done

if command -v lintian >/dev/null; then
    report=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
    [[ -z "$report" ]] || printf 'lintian:\n%s\n' "$report"
    if grep -q '^E: ' <<<"$report"; then
        fail "lintian reports errors"
    fi
else
    echo "lintian is not installed: not run."
fi

if ((failures > 0)); then
    echo "$failures checks of ${deb##*/} failed." >&2
    exit 1
fi
echo "${deb##*/} holds what it should, and its version agrees everywhere."
