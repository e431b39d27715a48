#!/usr/bin/env bash
# The lint stage of `make test`, failing at the end if any part found something:
#   - the include layers (scripts/check-layers.sh);
#   - clang-format of every .h/.cpp under src/ and tests/ (repo .clang-format);
#   - clang-tidy (.clang-tidy) of the portable core's .cpp files, two at a
#     time, with the compile commands of the native build (configured here
#     when it does not exist yet);
#   - shellcheck of the shell scripts.
set -uo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo_root" || exit 2
readonly jobs=2
failed=()

run() {
    local name=$1
    shift
    echo "-- $name"
    "$@" || failed+=("$name")
}

tidy_core() {
    if [[ ! -f build/native/compile_commands.json ]]; then
        CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}" \
            cmake --preset native --log-level=WARNING >/dev/null || return 1
    fi
    find src -name '*.cpp' ! -name '*Win32.cpp' -print0 | sort -z |
        xargs -0 -P "$jobs" -n 4 clang-tidy -p build/native --quiet \
            --extra-arg=-Wno-unknown-warning-option 2>&1 |
        grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed|^Use -header-filter|^Error while processing'
    return "${PIPESTATUS[2]}"
}

run "include layers" scripts/check-layers.sh
mapfile -d '' sources < <(find src tests \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
run "clang-format" clang-format --dry-run --Werror "${sources[@]}"
run "clang-tidy" tidy_core
# SC2317: functions that run from traps or through a test's `check` look
# unreachable to shellcheck. SC2119: functions with optional arguments.
run "shellcheck" shellcheck -x -P SCRIPTDIR -e SC2317,SC2119 scripts/*.sh tests/e2e/*.sh tests/dist/*.sh tests/win/*.sh tests/bench/*.sh

if ((${#failed[@]} > 0)); then
    echo "lint: findings in: ${failed[*]}" >&2
    exit 1
fi
echo "lint: clean"
