#!/usr/bin/env bash
# Installs the Debian packages Vortan needs and does nothing when they are already there.
#   install-deps.sh run    what building and running the program needs
#   install-deps.sh test   that, plus the test toolchain (the default)
# apt's output goes to build/logs/apt.log; one line says what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-test}
# qt6-l10n-tools and qt6-tools-dev: lrelease and the Qt6LinguistTools CMake package for the English .qm.
run_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
          qt6-l10n-tools qt6-tools-dev fonts-ipafont-gothic xvfb xauth libcups2-dev)
# dpkg-dev and file: cpack -G DEB finds the package's library dependencies with them.
test_pkgs=(clang clang-format libclang-rt-14-dev googletest libgtest-dev cups-daemon cups-client
           dpkg-dev file)
case "$what" in
    run) pkgs=("${run_pkgs[@]}") ;;
    test) pkgs=("${run_pkgs[@]}" "${test_pkgs[@]}") ;;
    *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "packages: all there"
    exit 0
fi
mkdir -p build/logs
log=build/logs/apt.log
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "packages: installing ${#missing[@]} (${missing[*]}); details in $log"
if ! { $SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive \
        $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    echo "packages: FAILED, the end of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
fi
echo "packages: installed"
