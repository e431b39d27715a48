#!/usr/bin/env bash
# `make dist`: the release files, in out/:
#   brumo-VERSION-win64-setup.exe  the setup program (installer/brumo.nsi)
#   brumo-VERSION-win64.zip        brumo.scr (64-bit) and ReadMe.txt
#   brumo-VERSION-win32.zip        brumo.scr (32-bit) and ReadMe.txt
#   SHA256SUMS                     the checksums of these three
# brumo.scr comes from the release presets, which keep the default server
# names (the win64 test build talks to a local one), stripped of symbols.
# VERSION is the CMake project version. The same commit gives the same
# brumo.scr and archives: the files carry the time of the last commit
# (SOURCE_DATE_EPOCH, unless it is set already, is also the programs' link
# time), the archives hold no extra attributes.
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
cd "$repo_root"

# The version is written once, in project() of CMakeLists.txt.
version="$(sed -n 's/^project(Brumo VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)"
readonly version
if [[ -z "$version" ]]; then
    echo "dist: no project version found in CMakeLists.txt" >&2
    exit 1
fi
readonly out="$repo_root/out" stage="$repo_root/build/dist"
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 946684800)}"
export SOURCE_DATE_EPOCH

rm -rf "$stage"
mkdir -p "$stage" "$out"
rm -f "$out"/brumo-*-win*.exe "$out"/brumo-*-win*.zip "$out/SHA256SUMS"

# stage_archive NAME BITS TRIPLET: builds one release preset and zips it.
stage_archive() {
    local name=$1 bits=$2 triplet=$3 dir="$stage/$1"
    scripts/build-preset.sh "$name-release" brumo
    mkdir -p "$dir"
    "$triplet-strip" -o "$dir/brumo.scr" "build/$name-release/brumo.scr"
    # Notepad of every Windows version reads UTF-8 with a byte order mark and CR LF.
    { printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e "s/@BITS@/$bits/" -e 's/$/\r/' \
        installer/ReadMe.txt; } >"$dir/ReadMe.txt"
    touch -d "@$SOURCE_DATE_EPOCH" "$dir/brumo.scr" "$dir/ReadMe.txt"
    (cd "$dir" && TZ=UTC zip -q -X "$out/brumo-$version-$name.zip" brumo.scr ReadMe.txt)
}

stage_archive win64 64-bit x86_64-w64-mingw32
stage_archive win32 32-bit i686-w64-mingw32
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DSCR=$stage/win64/brumo.scr" \
    "-DOUTFILE=$out/brumo-$version-win64-setup.exe" installer/brumo.nsi
(cd "$out" && sha256sum "brumo-$version-win64-setup.exe" "brumo-$version-win64.zip" \
    "brumo-$version-win32.zip" >SHA256SUMS)
echo "dist: in out/:"
(cd "$out" && ls -l "brumo-$version-"* SHA256SUMS)
