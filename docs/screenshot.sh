#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/screenshot.png, the window after two calculations (0 to 1 from 1 in 10 and in
# 20 steps), docs/screenshot-course.png, the course of the first of them opened with Return on
# its line, and docs/screenshot-convergence.png, the page "Konvergenz" of that course once its
# study is done: each framed by openbox on Xvfb, under a German locale.
# Needs xvfb, openbox, xdotool and imagemagick. Run from the top of the tree.
set -eu
program=${1:-build/release/numer-integration}
display=:73

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
# Passing through the list makes its first line the current one.
xdotool key --delay 50 Tab Tab; xdotool type --delay 50 '20'
xdotool key --delay 50 shift+Tab shift+Tab space
sleep 1
import -frame -window "$window" docs/screenshot.png

xdotool key --delay 50 Tab Return
course=$(xdotool search --sync --onlyvisible --name '^Verlauf' | head -n 1)
xdotool windowactivate --sync "$course"
sleep 2
import -frame -window "$course" docs/screenshot-course.png

# Ctrl+Tab goes from page to page; the study starts when its page shows and takes about a second.
xdotool key --delay 200 ctrl+Tab ctrl+Tab
sleep 4
import -frame -window "$course" docs/screenshot-convergence.png
