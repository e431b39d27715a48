#!/usr/bin/env bash
# Everything CI checks, in order, stopping at the first failure:
#   1. the tool packages (scripts/install-deps.sh)
#   1a. lint: include layers, clang-format, clang-tidy, shellcheck (scripts/lint.sh)
#   2. native build + unit tests (GoogleTest)
#   3. native build with AddressSanitizer/UBSan + unit tests, then the
#      libFuzzer targets for a few seconds each (scripts/run-fuzz.sh)
#   4. 64-bit Windows build (brumo.scr, Wine tests, e2e helper)
#   5. 32-bit Windows build (compile check only)
#   6. Wine tests and end-to-end runs of brumo.scr under Wine + Xvfb
#   7. the release files (scripts/dist.sh) and their test, the setup program
#      under Wine in a fresh prefix (tests/dist/test_installer.sh)
# Prints the ctest summaries and how long each stage took.
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
cd "$repo_root"

stage_names=()
stage_seconds=()
current_stage=""

report() {
    local rc=$? i
    trap - EXIT
    echo
    echo "== stage times =="
    for i in "${!stage_names[@]}"; do
        printf '  %-48s %4d s\n' "${stage_names[i]}" "${stage_seconds[i]}"
    done
    if [[ $rc -ne 0 && -n "$current_stage" ]]; then
        echo "FAILED in stage: $current_stage"
    fi
    exit "$rc"
}
trap report EXIT

# stage NAME COMMAND...: runs one step and records its duration.
stage() {
    local name=$1 start=$SECONDS
    shift
    current_stage=$name
    echo
    echo "== $name =="
    "$@"
    stage_names+=("$name")
    stage_seconds+=($((SECONDS - start)))
    current_stage=""
}

stage "tool packages" scripts/install-deps.sh
stage "lint" scripts/lint.sh
stage "native: build" scripts/build-preset.sh native
stage "native: unit tests" ctest --test-dir build/native --output-on-failure
stage "native-asan: build" scripts/build-preset.sh native-asan
stage "native-asan: unit tests" ctest --test-dir build/native-asan --output-on-failure
stage "fuzz: build and short runs" scripts/run-fuzz.sh
stage "win64: build" scripts/build-preset.sh win64
stage "win32: build (compile check)" scripts/build-preset.sh win32
stage "win64: Wine tests and end-to-end runs" \
    scripts/with-wine.sh ctest --test-dir build/win64 --output-on-failure
stage "dist: release builds, archives and setup program" scripts/dist.sh
stage "dist: archives, setup and uninstall under Wine" tests/dist/test_installer.sh
