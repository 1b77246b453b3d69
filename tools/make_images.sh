#!/bin/sh
# Makes the four pictures of the repair page into web/ (or into
# the directory given as the first argument) with ImageMagick's convert:
#
#   scanning.gif  200x200, animated and looping: busy indicator (a ring of
#                 twelve dots whose bright head turns clockwise)
#   pass.png      512x512 with transparency: green ring around a green check
#   fail.png      1280x1280 with transparency: red ring around a red cross
#   bg.jpg        612x344: plain light grey
#
# The shapes are drawn at four times the final size and scaled down, which
# gives smooth edges, and the strokes are thick enough to read at 40x40.
# The output is byte-for-byte reproducible (no time stamps are written).
# Needs: convert (Debian package imagemagick).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../web"}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

png_opts="-strip -define png:exclude-chunks=date,time"

# ---------------------------------------------------------------- pass.png
# 512x512, drawn at 2048x2048. Ring: centre 1024, radius 880, stroke 150.
# Check mark: a polyline with round caps and joins.
convert -size 2048x2048 xc:none \
  -fill none -stroke '#2e9e3e' -strokewidth 150 \
  -draw "circle 1024,1024 1024,144" \
  -stroke '#2e9e3e' -strokewidth 190 -draw "stroke-linecap round stroke-linejoin round polyline 600,1070 900,1370 1470,720" \
  -resize 512x512 $png_opts PNG32:"$out/pass.png"

# ---------------------------------------------------------------- fail.png
# 1280x1280, drawn at 2560x2560. Ring: centre 1280, radius 1100, stroke 190.
# Cross: two strokes with round caps.
convert -size 2560x2560 xc:none \
  -fill none -stroke '#c8232c' -strokewidth 190 \
  -draw "circle 1280,1280 1280,180" \
  -strokewidth 230 \
  -draw "stroke-linecap round line 860,860 1700,1700" \
  -draw "stroke-linecap round line 1700,860 860,1700" \
  -resize 1280x1280 $png_opts PNG32:"$out/fail.png"

# ------------------------------------------------------------ scanning.gif
# 200x200, drawn at 800x800: twelve dots on a circle of radius 270 around
# the centre (400,400), dot radius 62. In frame f the dot f is the darkest
# (the head) and the dots behind it fade towards light grey; 12 frames of
# 80 ms, looping forever. Transparent background, so it sits on the grey
# overlay and on the action page alike.
shades="#1e1e1e #2c2c2c #3b3b3b #4a4a4a #595959 #686868 #777777 #868686 #959595 #a4a4a4 #b3b3b3 #c2c2c2"
frame=0
while [ "$frame" -lt 12 ]; do
  draw=""
  dot=0
  while [ "$dot" -lt 12 ]; do
    # Distance behind the head, 0..11.
    behind=$(( (frame - dot + 12) % 12 ))
    shade=$(echo "$shades" | cut -d' ' -f$((behind + 1)))
    # Dot position: angle 30 degrees per dot, dot 0 at the top, clockwise.
    pos=$(awk -v d="$dot" 'BEGIN { a = d * 3.14159265358979 / 6; printf "%d,%d %d,%d", 400 + 270 * sin(a), 400 - 270 * cos(a), 400 + 270 * sin(a) + 62, 400 - 270 * cos(a) }')
    draw="$draw fill $shade circle $pos"
    dot=$((dot + 1))
  done
  convert -size 800x800 xc:none -stroke none -draw "$draw" -resize 200x200 \
    $png_opts PNG32:"$tmp/frame$(printf %02d "$frame").png"
  frame=$((frame + 1))
done
# Binary transparency for GIF: pixels at least half opaque keep their
# colour, the rest become transparent.
convert -delay 8 -dispose Background "$tmp"/frame*.png \
  -channel A -threshold 50% +channel \
  -loop 0 "$out/scanning.gif"

# ------------------------------------------------------------------ bg.jpg
convert -size 612x344 xc:'#d4d4d4' -type TrueColor -strip -quality 92 "$out/bg.jpg"

echo "made scanning.gif pass.png fail.png bg.jpg in $out"
