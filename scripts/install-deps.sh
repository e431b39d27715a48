#!/usr/bin/env bash
# Installs the tool packages the build and the tests need on Debian 12, and
# only those that are missing (apt is not touched when everything is there).
# Must run as root, or as a user who can use sudo.
set -euo pipefail

readonly required_packages=(
    make cmake ninja-build g++ procps
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64
    xvfb imagemagick xdotool x11-utils
    googletest libbenchmark-dev
    clang libclang-rt-14-dev
    clang-format clang-tidy shellcheck
    nsis zip unzip
)

is_installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]
}

as_root() {
    if [[ $EUID -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "install-deps: root is needed to install: ${missing[*]}" >&2
        exit 1
    fi
}

missing=()
for pkg in "${required_packages[@]}"; do
    is_installed "$pkg" || missing+=("$pkg")
done

if [[ ${#missing[@]} -eq 0 && -x /usr/bin/wine ]]; then
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
echo "install-deps: installing ${missing[*]}"
as_root apt-get update -qq
if [[ ${#missing[@]} -gt 0 ]]; then
    as_root apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# wine64 alone brings only the loader; the "wine" command is the wine package's.
if [[ ! -x /usr/bin/wine ]]; then
    echo "install-deps: /usr/bin/wine is missing after the install" >&2
    exit 1
fi
