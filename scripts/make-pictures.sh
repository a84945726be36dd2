#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick and writes them into the tree:
#  - the symbol pictures of the sample installation, examples/Engineering/
#    <Name>_800.gif (60 x 56, what a panel button shows) and <Name>.gif
#    (48 x 44), each a coloured shape over its name on a light background;
#  - the button pictures of the main window and the edit dialog,
#    src/gui/widgets/resources/ok.png, cancel.png and quest.png, on a
#    transparent background.
# The output is committed; run this again only to change a picture.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
symbols="$root/examples/Engineering"
resources="$root/src/gui/widgets/resources"
mkdir -p "$symbols" "$resources"

background='#F4F4F4'
labelColour='#202020'
font='DejaVu-Sans-Condensed-Bold'

# A symbol: its name and the shape, drawn in the 60 x 40 area above the label.
# The small picture draws the same shape scaled to 48 x 32.
symbol() {
    # Round joins: this ImageMagick closes open strokes wider than 2 px with mitred joins.
    local name="$1" shape="stroke-linejoin round $2"
    convert -size 60x56 "xc:$background" -font "$font" -draw "$shape" \
        -pointsize 10 -fill "$labelColour" -gravity south -annotate +0+1 "$name" \
        "$symbols/${name}_800.gif"
    convert -size 48x44 "xc:$background" -font "$font" -draw "scale 0.8,0.8 $shape" \
        -pointsize 8 -fill "$labelColour" -gravity south -annotate +0+1 "$name" \
        "$symbols/${name}.gif"
}

# count copies of a shape, turned in equal steps about the point (30,20).
turned() {
    local shape="$1" count="$2" angle i result=''
    for ((i = 0; i < count; i++)); do
        angle=$((i * 360 / count))
        result+=" push graphic-context translate 30,20 rotate $angle $shape pop graphic-context"
    done
    printf '%s' "$result"
}

symbol Pump "fill '#1E6FD9' circle 30,20 30,5 fill white polygon 24,12 40,20 24,28"
symbol Valve "fill '#C0392B' polygon 10,10 30,22 10,34 polygon 50,10 30,22 50,34
    stroke '#C0392B' stroke-width 3 line 30,22 30,6 line 22,5 38,5"
symbol Fan "fill '#138D75' $(turned "ellipse 0,-9 5,9 0,360" 3) fill '#0B5345' circle 30,20 30,16"
symbol Motor "fill '#34495E' roundrectangle 10,8 44,32 3,3 stroke '#34495E' stroke-width 4
    line 44,20 54,20 stroke none fill white text 20,26 'M'"
symbol Heater "fill '#E74C3C' path 'M 30,2 C 44,12 46,24 41,31 C 37,38 23,38 19,31 C 14,23 20,16 23,10 C 25,17 28,19 30,20 C 32,14 32,8 30,2 Z'
    fill '#F5B041' path 'M 30,22 C 36,26 37,31 34,34 C 32,36 28,36 26,34 C 24,31 26,27 30,22 Z'"
symbol Cooler "fill none stroke '#2E86C1' stroke-width 3 $(turned "line 0,-15 0,15" 3)
    $(turned "line -4,-11 0,-15 line 4,-11 0,-15 line -4,11 0,15 line 4,11 0,15" 3)"
symbol Filter "fill '#8E44AD' polygon 8,6 52,6 34,22 34,36 26,36 26,22"
symbol Tank "fill '#95A5A6' roundrectangle 16,3 44,37 6,6 fill '#3498DB' rectangle 19,20 41,33"
symbol Mixer "fill '#16A085' path 'M 10,20 A 20,15 0 0 0 50,20 Z'
    stroke '#0E6655' stroke-width 3 line 30,2 30,26 line 22,22 38,22"
symbol Conveyor "fill '#A0522D' rectangle 22,6 38,20
    fill none stroke '#424949' stroke-width 2 roundrectangle 5,22 55,34 6,6
    fill '#424949' stroke none circle 12,28 12,25 circle 30,28 30,25 circle 48,28 48,25"
symbol Robot "fill '#607D8B' roundrectangle 16,10 44,36 4,4 stroke '#607D8B' stroke-width 2
    line 30,10 30,4 stroke none circle 30,3 30,1 fill white circle 24,20 24,16 circle 36,20 36,16
    rectangle 23,28 37,31"
symbol Camera "fill '#2C3E50' rectangle 20,7 32,12 roundrectangle 8,11 52,35 4,4
    fill '#85C1E9' circle 30,23 30,14 fill '#2C3E50' circle 30,23 30,19"
symbol Printer "fill white stroke '#5D6D7E' stroke-width 1 rectangle 18,4 42,16
    fill '#5D6D7E' rectangle 8,15 52,31 fill white rectangle 18,26 42,38"
symbol Scale "fill none stroke '#B7950B' stroke-width 3 line 30,6 30,34 line 20,36 40,36
    line 10,10 50,10 stroke-width 1 line 10,10 5,22 line 10,10 15,22 line 50,10 45,22
    line 50,10 55,22 stroke none fill '#D4AC0D' path 'M 4,22 A 6,4 0 0 0 16,22 Z'
    path 'M 44,22 A 6,4 0 0 0 56,22 Z'"
symbol Sensor "fill '#27AE60' circle 16,20 16,15 fill none stroke '#27AE60' stroke-width 3
    path 'M 22,12 A 10,10 0 0 1 22,28' path 'M 27,7 A 16,16 0 0 1 27,33'
    path 'M 32,2 A 22,22 0 0 1 32,38'"
symbol Light "fill '#F4D03F' stroke '#B7950B' stroke-width 1 circle 30,15 30,3
    fill '#7F8C8D' stroke none rectangle 25,26 35,36"
symbol Alarm "fill '#E74C3C' polygon 30,3 53,37 7,37
    fill white font-size 22 font '$font' text 26,34 '!'"
symbol Gear "fill '#7F8C8D' $(turned "rectangle -3,-17 3,-10" 8) circle 30,20 30,7
    fill '$background' circle 30,20 30,15"
symbol Wrench "fill '#566573' stroke '#566573' stroke-width 6 line 16,34 36,14 stroke none
    circle 40,10 40,1 fill '$background' polygon 40,10 46,0 54,4"
symbol Oil "fill '#7E5109' polygon 30,3 20,21 40,21 circle 30,25 30,14"
symbol Water "fill none stroke '#2E86C1' stroke-width 3
    path 'M 6,10 Q 13,4 20,10 T 34,10 T 48,10 T 62,10'
    path 'M 6,20 Q 13,14 20,20 T 34,20 T 48,20 T 62,20'
    path 'M 6,30 Q 13,24 20,30 T 34,30 T 48,30 T 62,30'"
symbol Air "fill none stroke '#5DADE2' stroke-width 3 path 'M 4,12 H 40 A 5,5 0 1 0 35,7'
    path 'M 4,21 H 50 A 5,5 0 1 0 45,16' path 'M 4,30 H 36 A 5,5 0 1 1 31,35'"
symbol Power "fill '#F1C40F' stroke '#7D6608' stroke-width 1
    polygon 35,2 16,22 28,22 23,38 44,16 32,16 40,2"
symbol Network "stroke '#1B4F72' stroke-width 2 line 30,8 12,31 line 30,8 48,31 line 12,31 48,31
    stroke none fill '#2980B9' circle 30,8 30,2 circle 12,31 12,25 circle 48,31 48,25"
symbol Database "fill '#1ABC9C' rectangle 16,8 44,32 ellipse 30,32 14,5 0,180
    fill '#76D7C4' ellipse 30,8 14,5 0,360 fill none stroke '#117A65' stroke-width 1
    ellipse 30,16 14,5 0,180 ellipse 30,24 14,5 0,180"
symbol Chart "fill '#E67E22' rectangle 14,22 22,36 rectangle 26,12 34,36 rectangle 38,4 46,36
    stroke '#424949' stroke-width 2 line 10,2 10,37 line 10,37 54,37"
symbol Clock "fill white stroke '#1C2833' stroke-width 3 circle 30,20 30,3 stroke-width 2
    line 30,20 30,9 line 30,20 38,24"
symbol Book "fill '#1D8348' polygon 7,8 30,12 53,8 53,34 30,38 7,34 fill white
    polygon 10,9 29,13 29,35 10,31 polygon 50,9 31,13 31,35 50,31"
symbol Help "fill '#2471A3' circle 30,20 30,3 fill white font '$font' font-size 26 text 23,30 '?'"
symbol Tools "stroke '#7B241C' stroke-width 4 line 14,36 42,8 stroke '#566573' line 46,36 18,8
    stroke none fill '#566573' rectangle 10,3 26,10 fill '#7B241C' circle 45,6 45,1"

# The button pictures. PNG keeps no date, so the files change only with the drawing.
convert -size 44x36 xc:none -fill none -stroke '#00A000' -strokewidth 7 \
    -draw "stroke-linecap round stroke-linejoin round polyline 6,19 17,29 38,6" \
    -strip -define png:exclude-chunks=date,time "PNG32:$resources/ok.png"
convert -size 37x39 xc:none -fill none -stroke '#D00000' -strokewidth 7 \
    -draw "stroke-linecap round line 6,6 31,33 line 31,6 6,33" \
    -strip -define png:exclude-chunks=date,time "PNG32:$resources/cancel.png"
convert -size 41x45 xc:none -fill black -stroke none \
    -font DejaVu-Sans-Bold -pointsize 34 -draw "text 17,31 '?'" \
    -stroke black -strokewidth 3 -draw "line 18,32 8,42" \
    -stroke none -draw "polygon 1,44 3,33 12,42" \
    -strip -define png:exclude-chunks=date,time "PNG32:$resources/quest.png"
