#!/usr/bin/env bash
# Configures and builds one CMake preset (native, native-asan, win64, win32)
# with at most two compile jobs. A new build folder gets Ninja; an existing
# one keeps the generator it was made with.
#
# Usage: scripts/build-preset.sh PRESET [TARGET...]
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 PRESET [TARGET...]" >&2
    exit 2
fi
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
readonly preset=$1
shift
readonly build_jobs=2

cd "$repo_root"
if [[ -f "build/$preset/CMakeCache.txt" ]]; then
    env -u CMAKE_GENERATOR cmake --preset "$preset" --log-level=WARNING >/dev/null
else
    CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}" \
        cmake --preset "$preset" --log-level=WARNING >/dev/null
fi
targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
cmake --build --preset "$preset" -j "$build_jobs" "${targets[@]}"
