#!/usr/bin/env bash
# Paints the demo show's pictures with ImageMagick, and writes its Flash movie,
# into the folder given.
set -euo pipefail
out=${1:?usage: make_pictures.sh FOLDER}
mkdir -p "$out"
magick=/usr/bin/convert   # the real ImageMagick, not a stand-in earlier on PATH

"$magick" -size 1280x800 gradient:'#0b1d4a-#f49a3c' \
  -fill '#ffe27a' -draw 'circle 900,520 900,420' \
  -fill '#1c2b26' -draw 'polygon 0,800 0,560 260,430 520,610 760,470 1040,640 1280,520 1280,800' \
  -quality 90 "$out/evening.jpg"
"$magick" -size 900x600 -seed 7 plasma:'#2a6f97-#a9d6e5' -blur 0x2 "$out/sea.png"
"$magick" -size 800x600 radial-gradient:'#fef9e7-#d35400' \
  -fill '#6c3483' -draw 'roundrectangle 150,150 650,450 40,40' \
  -fill white -pointsize 64 -gravity center -annotate +0+0 'Slide Show' "$out/title.bmp"
"$magick" -size 600x600 xc:white -fill '#c0392b' -draw 'circle 300,300 300,80' \
  -fill '#f1c40f' -draw 'circle 300,300 300,180' -type TrueColor "BMP3:$out/logo.bmp"
"$magick" -size 700x500 -seed 11 plasma:'#145a32-#abebc6' -colors 64 "$out/meadow.gif"
"$(dirname "$0")/../tools/make_movie.py" "$out/movie.swf" --size 400x300 --fps 12 --frames 36 \
  --background 1B2631 --shapes --compression C
