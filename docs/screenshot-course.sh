#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/screenshot-course.png: the course window of 0 to 1 from 1 in 10 steps, framed
# by openbox on Xvfb, under a German locale, opened with Return on the result line.
# Needs xvfb, openbox, xdotool and imagemagick. Run from the top of the tree.
set -eu
program=${1:-build/release/numer-integration}
output=${2:-docs/screenshot-course.png}
display=:74

Xvfb "$display" -screen 0 1400x1000x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb"' EXIT
export DISPLAY="$display"
sleep 1
openbox &
sleep 1

LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$program" &
app=$!
trap 'kill "$app"; kill "$xvfb"' EXIT
window=$(xdotool search --sync --onlyvisible --name '^Numer-Integration$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 1

# Focus starts in the lower bound; Tab selects the text of the entry it moves to.
xdotool key --delay 50 ctrl+a; xdotool type --delay 50 '0'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab Tab Tab; xdotool type --delay 50 '10'
xdotool key --delay 50 shift+Tab shift+Tab space
# The list takes the focus with its first line current; Return opens that line's course.
xdotool key --delay 50 Tab Return
course=$(xdotool search --sync --onlyvisible --name '^Verlauf' | head -n 1)
xdotool windowactivate --sync "$course"
sleep 2

import -frame -window "$course" "$output"
