#!/usr/bin/env bash
# Installs what the build needs (Debian 12), builds, then runs the program or the tests.
#   ./build.sh run     start Bladetrace
#   ./build.sh test    build and run the whole test suite
#   ./build.sh bench   build and run the benchmarks
#   ./build.sh package build the Debian package; its path goes to standard output
#   ./build.sh packages  list the Debian packages it installs, one a line
# A second argument picks the CMake preset (dev, ci, asan); the default is dev.
# Installing and building report on standard error; standard output is the program's.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev libchm-dev fp-utils xvfb xauth openbox x11-utils
    dpkg-dev file)

action=${1:-}
preset=${2:-dev}
case "$action" in
run | test | bench | package) ;;
packages)
    printf '%s\n' "${packages[@]}"
    exit 0
    ;;
*)
    echo "usage: ./build.sh run|test|bench|package|packages [dev|ci|asan]" >&2
    exit 2
    ;;
esac

install_missing() {
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# The window's benchmark measures what a user waits for: a real X server with a window
# manager, so the window gets a frame and every paint goes through the server.
on_virtual_desktop() {
    xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
        openbox >/dev/null 2>&1 &
        wm=$!
        for _ in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
            sleep 0.1
        done
        "$@"
        status=$?
        kill "$wm"
        exit "$status"' bench "$@"
}

install_missing
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" >&2
bin="build/$preset/bin"

case "$action" in
test)
    ctest --preset "$preset" -j "$(nproc)"
    ;;
package)
    cmake --build --preset "$preset" --target package >&2
    ls -t "$PWD/build/$preset"/bladetrace_*.deb | head -n 1
    ;;
bench)
    for b in "$bin"/bench_*; do
        case "$(basename "$b")" in
        bench_gui_*) on_virtual_desktop "$b" ;;
        *) "$b" ;;
        esac
    done
    ;;
run)
    if [ -x "$bin/bladetrace" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
        exec "$bin/bladetrace"
    fi
    [ -x "$bin/bladetrace" ] && echo "No display found: running the batch tool on the sample pair instead." >&2
    exec "$bin/bladetrace-batch" "$bin/pylon 1.bmp" "$bin/pylon 2.bmp" \
        --diameter 0.185 --rpm 15000 --speed 50 --thickness 20,10
    ;;
esac
