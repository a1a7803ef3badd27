#!/usr/bin/env bash
# Installs the build into a scratch prefix and makes the Debian package from it, then checks
# what a desktop needs: the programs, a valid desktop entry and AppStream file that name the
# program's own id, open the clips' file types and carry the licence, icons of the sizes their
# folders promise, manual pages that render without warnings, and the licence files.
#
# Usage: install-and-package.sh BUILD_DIR SOURCE_DIR
# Needs desktop-file-validate (desktop-file-utils), appstreamcli (appstream), dpkg-shlibdeps
# (dpkg-dev), file, man (man-db) and the type table of shared-mime-info. Exits 77 (skipped)
# when they are missing, except under CI.
set -euo pipefail

build="$1"
tree="$2"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools desktop-file-validate appstreamcli dpkg-shlibdeps dpkg-deb file cpack man gzip \
    update-mime-database
mime_globs=/usr/share/mime/globs2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# The id by which the running program names its desktop entry.
id="$(sed -n 's/.*kDesktopFileName\[\] = "\([^"]*\)".*/\1/p' "$tree/ui/CVeldrunApp.cpp")"
[ -n "$id" ] || fail "no desktop file name in ui/CVeldrunApp.cpp"
version="$("$build/cli/veldrun-cli" --version | awk '{print $2}')"

# Width and height of a PNG, from its header.
png_size() {
    local bytes
    read -r -a bytes < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(((bytes[2] << 8) | bytes[3]))x$(((bytes[6] << 8) | bytes[7]))"
}

# The file types that the desktop's type table gives the camcorder's clip names.
clip_types() {
    local extension
    for extension in mts m2ts m2t; do
        awk -F: -v glob="*.$extension" 'tolower($3) == glob {print $2}' "$mime_globs"
    done | sort -u
}
types="$(clip_types)"
[ -n "$types" ] || fail "shared-mime-info knows no type of .mts, .m2ts or .m2t"

# check_tree ROOT: the installed files below ROOT (a prefix, or an unpacked package's /usr).
check_tree() {
    local root="$1" size desktop metainfo type page report
    for program in veldrun veldrun-cli; do
        [ -x "$root/bin/$program" ] || fail "$root/bin/$program missing"
    done

    desktop="$root/share/applications/$id.desktop"
    [ -f "$desktop" ] || fail "no desktop entry $id.desktop"
    desktop-file-validate "$desktop" || fail "desktop entry invalid"
    # %F: the file manager hands over every chosen file, as local paths, in one start.
    grep -qx "Exec=veldrun %F" "$desktop" || fail "Exec is not the installed program with %F"
    grep -qx "Icon=$id" "$desktop" || fail "Icon is not $id"
    grep -qx "Terminal=false" "$desktop" || fail "Terminal is not false"
    grep -qx "Categories=AudioVideo;Video;" "$desktop" || fail "wrong Categories"
    for type in $types; do
        grep -q "^MimeType=\(.*;\)\?$type;" "$desktop" || fail "MimeType lacks $type"
    done
    # The class of the program's windows on X11; the end-to-end test compares it with xprop's.
    grep -qx "StartupWMClass=veldrun" "$desktop" || fail "StartupWMClass is not veldrun"

    metainfo="$root/share/metainfo/$id.metainfo.xml"
    [ -f "$metainfo" ] || fail "no metainfo $id.metainfo.xml"
    # Debian 12's validator predates <developer> and reports it as information only; it and
    # the upper case of the id (the desktop entry's name) are no warnings.
    report="$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1)" ||
        fail "metainfo invalid: $report"
    if grep -q "^[EW]:" <<<"$report"; then
        fail "metainfo has warnings: $report"
    fi
    grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $id.desktop"
    grep -q "<release version=\"$version\" date=\"[0-9-]*\">" "$metainfo" ||
        fail "metainfo lacks a dated release $version"
    grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" ||
        fail "metainfo lacks the project licence"
    grep -q "<metadata_license>CC0-1.0</metadata_license>" "$metainfo" ||
        fail "metainfo lacks the metadata licence"
    for program in veldrun veldrun-cli; do
        grep -q "<binary>$program</binary>" "$metainfo" || fail "metainfo does not provide $program"
    done

    for page in veldrun veldrun-cli; do
        page="$root/share/man/man1/$page.1.gz"
        [ -f "$page" ] || fail "no manual page $page"
        report="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
        [ -z "$report" ] || fail "$page renders with warnings: $report"
        LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^EXIT STATUS" ||
            fail "$page has no exit status"
    done
    grep -qx "License: GPL-3.0-or-later" "$root/share/doc/veldrun/copyright" ||
        fail "no copyright file naming the licence"

    for size in 16 32 48; do
        local icon="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
        [ -f "$icon" ] || fail "no ${size}x${size} icon"
        [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
    done
    grep -q "<svg" "$root/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
}

# The licence's full text, as Debian's base-files has it.
cmp "$tree/LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the GPL 3 text"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"
echo "install: ok"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb="$(ls "$work"/package/*.deb)"
[ "$(dpkg-deb -f "$deb" Package)" = veldrun ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
[ "$(dpkg-deb -f "$deb" Section)" = video ] || fail "section"
depends="$(dpkg-deb -f "$deb" Depends)"
# Qt's translations of its own buttons and file dialog are read at run time, like its plugins.
for library in libqt6widgets6 libboost-thread qt6-qpa-plugins qt6-translations-l10n; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
# Without Qt's Wayland plugin a Wayland session runs the program through XWayland.
[[ "$(dpkg-deb -f "$deb" Recommends)" == *qt6-wayland* ]] ||
    fail "Recommends lacks qt6-wayland: $(dpkg-deb -f "$deb" Recommends)"
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr"
[ "$("$work/unpacked/usr/bin/veldrun-cli" --version)" = "veldrun-cli $version" ] ||
    fail "the packaged veldrun-cli does not run"
echo "package: ok ($(basename "$deb"); Depends: $depends)"
