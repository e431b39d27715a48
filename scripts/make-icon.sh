#!/usr/bin/env bash
# Draws the application icon src/resources/brumo.ico with ImageMagick: a white
# six-armed snowflake over a night-blue rounded tile, with a snow drift along
# the bottom and a few falling flakes. Every size is drawn from the same vector
# description at 4x its size and scaled down; the small sizes drop the
# branches and the loose flakes and use thicker strokes so they stay crisp.
#
# Usage: scripts/make-icon.sh [output.ico]
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
readonly repo_root
readonly output="${1:-$repo_root/src/resources/brumo.ico}"
readonly sizes=(16 32 48 256)
readonly supersample=4

work_dir="$(mktemp -d)"
trap 'rm -rf "$work_dir"' EXIT

# Prints the MVG drawing of the tile in a canvas of $1 pixels.
# $2: "small" draws the simplified variant.
icon_mvg() {
    awk -v S="$1" -v variant="$2" 'BEGIN {
        pi = atan2(0, -1)
        small = (variant == "small")
        u = S / 256.0                     # drawing unit: 1/256 of the tile
        cx = 128 * u; cy = (small ? 104 : 112) * u   # flake centre, above the middle
        arm = (small ? 80 : 84) * u
        stroke = (small ? 26 : 14) * u

        # Snow drift: two overlapping hills, clipped by the tile below.
        printf "fill #f4f8ff stroke none\n"
        printf "ellipse %f,%f %f,%f 0,360\n", 70*u, 262*u, 120*u, 58*u
        printf "ellipse %f,%f %f,%f 0,360\n", 200*u, 270*u, 110*u, 60*u

        # Flake arms (and, in the large variant, two branches per arm).
        printf "stroke #ffffff fill none stroke-linecap round stroke-width %f\n", stroke
        for (k = 0; k < 6; k++) {
            a = pi / 2 + k * pi / 3
            ex = cx + arm * cos(a); ey = cy - arm * sin(a)
            printf "line %f,%f %f,%f\n", cx, cy, ex, ey
            if (!small) {
                bx = cx + 0.55 * arm * cos(a); by = cy - 0.55 * arm * sin(a)
                for (s = -1; s <= 1; s += 2) {
                    b = a + s * pi / 4
                    printf "line %f,%f %f,%f\n", bx, by, bx + 0.32 * arm * cos(b), by - 0.32 * arm * sin(b)
                }
            }
        }
        printf "stroke none fill #ffffff\n"
        printf "circle %f,%f %f,%f\n", cx, cy, cx + stroke, cy

        # A few loose flakes falling beside the big one.
        if (!small) {
            n = split("34,40,7 222,36,6 216,150,8 40,168,6 98,206,5 176,214,5", p, " ")
            for (i = 1; i <= n; i++) {
                split(p[i], q, ",")
                printf "circle %f,%f %f,%f\n", q[1]*u, q[2]*u, (q[1]+q[3])*u, q[2]*u
            }
        }
    }'
}

for size in "${sizes[@]}"; do
    big=$((size * supersample))
    variant=large
    ((size <= 32)) && variant=small
    radius=$((big * 44 / 256))
    # Night sky tile: vertical gradient, rounded corners through an alpha mask.
    convert -size "${big}x${big}" gradient:'#10244a-#3f79b5' \
        -draw "$(icon_mvg "$big" "$variant")" \
        \( -size "${big}x${big}" xc:black -fill white \
        -draw "roundrectangle 0,0 $((big - 1)),$((big - 1)) $radius,$radius" \) \
        -alpha off -compose CopyOpacity -composite \
        -filter Lanczos -resize "${size}x${size}" \
        -depth 8 "PNG32:$work_dir/icon-$size.png"
done

pngs=()
for size in "${sizes[@]}"; do
    pngs+=("$work_dir/icon-$size.png")
done
convert "${pngs[@]}" "$work_dir/brumo.ico"
mv "$work_dir/brumo.ico" "$output"
echo "make-icon: wrote $output ($(identify -format '%wx%h ' "$output"))"
