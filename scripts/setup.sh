#!/usr/bin/env bash
# Sets up a Debian 12 machine for Ovra, builds it and runs it or its tests.
#
#   scripts/setup.sh run    install what is missing, build Release, start the
#                           workstation with the simulated master box available
#   scripts/setup.sh test   install what is missing, build, run the whole test
#                           suite, make the Debian package from that build and
#                           check it (lintian, AppStream, desktop entry), run
#                           the core tests under ASan/UBSan, then each fuzz
#                           target for 60 s
#   scripts/setup.sh package
#                           install what is missing, build Release without the
#                           tests, make the Debian package build/ovra_*.deb
#                           and check it
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(
    build-essential cmake ninja-build pkg-config ccache git python3
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-scxml-dev qt6-websockets-dev qt6-charts-dev
    qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    libhidapi-dev libsqlite3-dev libcpp-httplib-dev libcsv-dev libpq-dev postgresql
    libgl1-mesa-dev libxkbcommon-dev
    clang libclang-rt-dev
    python3-pandas python3-yaml
    curl chromium python3-websockets wrk xvfb libxcb1-dev
    dpkg-dev file lintian appstream desktop-file-utils
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Paths inside the checkout are hashed relative to it, so a second clone (as
# CI makes) reuses what ccache already compiled.
export CCACHE_BASEDIR="$here"
export CCACHE_NOHASHDIR=1
# Precompiled headers are cacheable only with these relaxations.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

# Prints how long each step took, so a slow step shows in CI's output.
step_start=$SECONDS
step() {
    echo "== $* (after $((SECONDS - step_start)) s)"
}

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$dir" -j2
}

mode=${1:-}
case "$mode" in
run)
    install_missing
    configure_and_build build -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF
    export OVRA_ENABLE_SIMULATION=1
    exec ./build/bin/ovra
    ;;
test)
    step "installing missing packages"
    install_missing
    step "building"
    # A build folder that `run` or `package` configured without tests gets
    # them back.
    configure_and_build build -DOVRA_BUILD_TESTS=ON -DOVRA_BUILD_BENCH=ON
    step "running the test suite"
    (cd build && ctest --output-on-failure --no-tests=error -j2)
    step "making and checking the Debian package"
    bash scripts/check-package.sh build
    # The core library, its tests and the libFuzzer targets in one clang
    # build with AddressSanitizer and UndefinedBehaviorSanitizer: the core
    # tests run once more under the sanitizers, then every fuzz target for
    # 60 s; a finding fails the run.
    step "building with sanitizers and the fuzzers"
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DOVRA_FUZZ=ON -DOVRA_CORE_ONLY=ON
    step "running the core tests with sanitizers"
    (cd build-asan && ctest --output-on-failure -j2 -L core)
    step "running the fuzzers"
    bash scripts/run-fuzzers.sh build-asan 60
    step "done"
    ;;
package)
    step "installing missing packages"
    install_missing
    step "building"
    configure_and_build build -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF
    step "making and checking the Debian package"
    bash scripts/check-package.sh build
    step "done"
    ;;
*)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac
