#!/usr/bin/env bash
# Installs the build into a scratch prefix and makes the Debian package from it, then checks
# what a desktop needs: the programs, a valid desktop entry and AppStream file that name the
# program's own id, and icons of the sizes their folders promise.
#
# Usage: install-and-package.sh BUILD_DIR SOURCE_DIR
# Needs desktop-file-validate (desktop-file-utils), appstreamcli (appstream), dpkg-shlibdeps
# (dpkg-dev) and file. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

build="$1"
tree="$2"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools desktop-file-validate appstreamcli dpkg-shlibdeps dpkg-deb file cpack

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

# check_tree ROOT: the installed files below ROOT (a prefix, or an unpacked package's /usr).
check_tree() {
    local root="$1" size desktop metainfo
    for program in veldrun veldrun-cli; do
        [ -x "$root/bin/$program" ] || fail "$root/bin/$program missing"
    done

    desktop="$root/share/applications/$id.desktop"
    [ -f "$desktop" ] || fail "no desktop entry $id.desktop"
    desktop-file-validate "$desktop" || fail "desktop entry invalid"
    grep -qx "Exec=veldrun" "$desktop" || fail "Exec is not the installed program alone"
    grep -qx "Icon=$id" "$desktop" || fail "Icon is not $id"
    grep -qx "Terminal=false" "$desktop" || fail "Terminal is not false"
    grep -qx "Categories=AudioVideo;Video;" "$desktop" || fail "wrong Categories"

    metainfo="$root/share/metainfo/$id.metainfo.xml"
    [ -f "$metainfo" ] || fail "no metainfo $id.metainfo.xml"
    appstreamcli validate --no-net "$metainfo" || fail "metainfo invalid"
    grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo lacks release $version"

    for size in 16 32 48; do
        local icon="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
        [ -f "$icon" ] || fail "no ${size}x${size} icon"
        [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
    done
    grep -q "<svg" "$root/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
}

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
for library in libqt6widgets6 libboost-thread qt6-qpa-plugins; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr"
[ "$("$work/unpacked/usr/bin/veldrun-cli" --version)" = "veldrun-cli $version" ] ||
    fail "the packaged veldrun-cli does not run"
echo "package: ok ($(basename "$deb"); Depends: $depends)"
