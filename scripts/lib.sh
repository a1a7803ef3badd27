# Shared by the project's scripts: where the tree is, and installing Debian packages on demand.

VELDRUN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Packages that building and testing need on a fresh Debian 12.
VELDRUN_BUILD_PACKAGES=(
    g++ cmake ninja-build
    libboost-thread-dev libboost-program-options-dev
    libgtest-dev
    qt6-base-dev fonts-dejavu-core
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
)

# What the tests of the desktop program add: an X server, synthetic keys and window properties
# for the runs in a real window, a Wayland compositor and Qt's plugin for it, the validators of
# the desktop entry and AppStream file, the desktop's file type table, the manual page reader,
# the Debian packaging tools, the tools that make the small file systems on which output
# faults are tried, a real encoder and multiplexer (GStreamer) that makes clips for the
# check of recordings, a session bus with the accessibility bus and Python's AT-SPI client
# for reading the window as a screen reader does, and the locales the translated runs start
# under, with the C library's own translations and a font with Japanese characters.
VELDRUN_DESKTOP_TEST_PACKAGES=(
    xvfb openbox xdotool x11-utils
    dbus at-spi2-core python3-pyatspi
    weston qt6-wayland
    desktop-file-utils appstream shared-mime-info man-db
    dpkg-dev file
    dosfstools e2fsprogs btrfs-progs xfsprogs mount
    gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly
    locales libc-l10n fonts-noto-cjk
)

# Installs those of the given packages that are missing, through sudo when not root.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build FLAVOUR [cmake options...]: configures and builds out of tree in build/FLAVOUR.
build() {
    local flavour="$1"
    shift
    cmake -S "$VELDRUN_ROOT" -B "$VELDRUN_ROOT/build/$flavour" -G Ninja "$@" >/dev/null
    cmake --build "$VELDRUN_ROOT/build/$flavour"
}

# make_bench_inputs FOLDER COUNT SIZE_MIB: random inputs for the benchmarks, kept between runs;
# their paths go to the array bench_inputs.
make_bench_inputs() {
    local dir="$1" count="$2" size_mib="$3" i input
    mkdir -p "$dir"
    bench_inputs=()
    for i in $(seq 1 "$count"); do
        input="$dir/input-$i.mts"
        if [ "$(stat -c %s "$input" 2>/dev/null || echo 0)" -ne $((size_mib << 20)) ]; then
            head -c $((size_mib << 20)) /dev/urandom >"$input"
        fi
        bench_inputs+=("$input")
    done
}
