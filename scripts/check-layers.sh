#!/usr/bin/env bash
# Checks the include rules of src/ without building anything:
#   - a file includes only its own folder and folders lower in the layer list;
#   - only files whose name ends in "Win32" include a header of the Windows SDK.
# Prints one line per broken rule (file:line and the include) and fails if any.
#
# Usage: scripts/check-layers.sh [SRC_DIR]   (default: src/ of this repository)
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly src_dir="${1:-$repo_root/src}"
# Lowest first: a folder may include itself and the folders before it.
readonly layers="common resources imaging forms settings music online about dialog animation startup"
# System headers of the Windows SDK (compared in lower case): the win*, *api
# and ws2* families and the other headers this kind of program reaches for.
readonly windows_headers='^(win[a-z0-9_]*|ws2[a-z0-9_]*|[a-z0-9_]*api|commctrl|commdlg|cderr|dlgs|gdiplus[a-z0-9_]*|mmsystem|mmreg|msacm|mciapi|vfw|shellapi|shlobj[a-z_]*|shlwapi|shtypes|shobjidl[a-z_]*|objbase|objidl[a-z_]*|ole[a-z0-9_]*|unknwn|wtypes[a-z]*|rpc[a-z]*|tchar|uxtheme|versionhelpers|psapi|tlhelp32|lmcons|npapi|scrnsave|richedit|prsht|imm|dbghelp|minwindef|d2d1[a-z0-9_]*|d3d[a-z0-9_]*|dxgi[a-z0-9_]*|dwrite[a-z0-9_]*|wincodec|propidl|mmdeviceapi|audioclient)\.h$'

mapfile -d '' files < <(find "$src_dir" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
((${#files[@]} > 0)) || { echo "check-layers: no sources under $src_dir" >&2; exit 2; }

awk -v layers="$layers" -v winre="$windows_headers" -v root="$src_dir/" '
    BEGIN { n = split(layers, order, " "); for (i = 1; i <= n; i++) rank[order[i]] = i }
    FNR == 1 {
        file = substr(FILENAME, length(root) + 1)
        folder = file; sub(/\/.*/, "", folder)
        base = file; sub(/.*\//, "", base); sub(/\.(h|cpp)$/, "", base)
        if (!(folder in rank)) { print file ": folder \"" folder "\" is not in the layer list"; bad++ }
    }
    /^[ \t]*#[ \t]*include/ {
        if (match($0, /"[^"]*"/)) {
            target = substr($0, RSTART + 1, RLENGTH - 2)
            if (index(target, "/") == 0) next
            up = target; sub(/\/.*/, "", up)
            if (!(up in rank)) {
                print file ":" FNR ": includes \"" target "\" from folder \"" up "\", which is not in the layer list"; bad++
            } else if ((folder in rank) && rank[up] > rank[folder]) {
                print file ":" FNR ": includes \"" target "\": " up "/ lies above " folder "/"; bad++
            }
        } else if (match($0, /<[^>]*>/)) {
            header = tolower(substr($0, RSTART + 1, RLENGTH - 2))
            if (header ~ winre && base !~ /Win32$/) {
                print file ":" FNR ": includes <" substr($0, RSTART + 1, RLENGTH - 2) \
                    ">, a Windows header, but its name does not end in Win32"; bad++
            }
        }
    }
    END {
        if (bad) { print "check-layers: " bad " include rule(s) broken (layers, lowest first: " layers ")"; exit 1 }
    }' "${files[@]}"
