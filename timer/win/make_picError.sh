#!/bin/sh
# Regenerates picError.bmp, the fallback wallpaper compiled into MBTimer
# (320 x 240, 8-bit palette, uncompressed). Needs ImageMagick 6 and the IPA fonts.
set -e
cd "$(dirname "$0")"
convert -size 320x240 xc:'#1E3264' -fill '#F0C800' \
  -draw 'rectangle 0,0 319,9' -draw 'rectangle 0,230 319,239' -draw 'rectangle 0,0 9,239' -draw 'rectangle 310,0 319,239' \
  -fill none -stroke '#F0C800' -strokewidth 3 -draw 'rectangle 120,40 200,100' -stroke none \
  -fill '#3CB44B' -draw 'polygon 124,96 150,62 170,84 180,72 196,96' -fill '#FFFFFF' -draw 'circle 182,56 187,56' \
  -font /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf -fill white -pointsize 34 -gravity north -annotate +0+118 'MBTimer' \
  -pointsize 20 -annotate +0+168 '壁紙の画像がありません' -colors 256 -type Palette -compress none BMP3:picError.bmp
