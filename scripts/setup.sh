#!/usr/bin/env bash
# Sets up Kelvane on Debian 12 (run as root): installs the Debian packages that are missing,
# builds, then either starts the program ("run", the default) or runs the whole test suite
# headless ("test"). Extra arguments after "run" go to Kelvane.
set -euo pipefail

mode=${1:-run}
[ $# -gt 0 ] && shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELVANE_BUILD_DIR:-$here/build}

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
    libsqlite3-dev
    fonts-farsiweb fonts-dejavu-core
    xvfb xauth
)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"

case "$mode" in
run)
    program="$build/program/Kelvane"
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        exec "$program" "$@"
    fi
    echo "No display found: starting Kelvane on a virtual X display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x900x24" "$program" "$@"
    ;;
test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
