#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/screenshot.png, the window after two calculations from 0 to 1 from 1 in 10 steps,
# the default one and y' = x+y with Heun's method; docs/screenshot-course.png, the course of the
# first of them opened with Return on its line, with its fourth pass selected; and
# docs/screenshot-convergence.png, the page "Konvergenz" of that course once its study is done;
# and docs/screenshot-system.png, the phase plane of the pendulum computed with Euler's method
# above the same with the classical Runge-Kutta method, from the window for systems; and
# docs/screenshot-adaptive.png, the page "Konvergenz" of the default equation from 0 to 1 from 1
# with Dormand-Prince at the start tolerance; and docs/screenshot-stability.png, the page
# "Stabilität" of RK4 on y' = -50*(y-cos(x)) from 0 to 1 from 1 in 15 steps, whose h·λ ≈ −3,33
# lies outside RK4's region: each framed by openbox on Xvfb, under a German locale.
# Needs xvfb, openbox, xdotool and imagemagick. Run from the top of the tree.
set -eu
program=${1:-build/release/numer-integration}
display=:73
shots=$(mktemp -d)

Xvfb "$display" -screen 0 1400x1000x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb"; rm -rf "$shots"' EXIT
export DISPLAY="$display"
sleep 1
openbox &
sleep 1

LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$program" &
app=$!
trap 'kill "$app"; kill "$xvfb"; rm -rf "$shots"' EXIT
window=$(xdotool search --sync --onlyvisible --name '^Numer-Integration$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 1

# Focus starts in the lower bound; Tab selects the text of the entry or box it moves to.
xdotool key --delay 50 ctrl+a; xdotool type --delay 50 '0'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab Tab Tab; xdotool type --delay 50 '10'
# The first line with the default equation and method: round the Tab cycle, past "System…",
# to the button.
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab space
# Passing through the list makes its first line the current one. Then x+y typed over the
# default equation, and Heun, second among the methods.
xdotool key --delay 50 Tab Tab Tab; xdotool type --delay 50 'x+y'
xdotool key --delay 50 Tab Home Down
xdotool key --delay 50 Tab Tab Tab Tab Tab space
sleep 1
import -frame -window "$window" docs/screenshot.png

# The course of the first line, with the pass of its fourth row selected.
xdotool key --delay 50 Tab Return
course=$(xdotool search --sync --onlyvisible --name '^Verlauf' | head -n 1)
xdotool windowactivate --sync "$course"
sleep 2
xdotool key --delay 100 Down Down Down
sleep 1
import -frame -window "$course" docs/screenshot-course.png

# Ctrl+Tab goes from page to page; the study starts when its page shows and takes about a second.
xdotool key --delay 200 ctrl+Tab ctrl+Tab
sleep 4
import -frame -window "$course" docs/screenshot-convergence.png

# The pendulum, second among the examples, with Euler's method and then RK4, each a line in the
# main window, from a program started afresh.
kill "$app"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$program" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Numer-Integration$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 1
# Back from the lower bound round the Tab cycle to "System…".
xdotool key --delay 50 shift+Tab space
system=$(xdotool search --sync --onlyvisible --name '^Differentialgleichungssystem' | head -n 1)
xdotool windowactivate --sync "$system"
sleep 1
# The focus starts in the formula; the example box is two fields before it, the method box
# eight after that, and "Berechnen" follows it. Euler is the first method, RK4 the fifth.
xdotool key --delay 80 shift+Tab shift+Tab Down
xdotool key --delay 80 Tab Tab Tab Tab Tab Tab Tab Tab Home Tab space
xdotool key --delay 80 shift+Tab Home Down Down Down Down Tab space
sleep 1
# The main window's result list is four fields back from "System…"; each line's course opens
# on Verlauf, and Ctrl+Tab shows Phasenebene.
xdotool windowactivate --sync "$window"
xdotool key --delay 80 shift+Tab shift+Tab shift+Tab shift+Tab Home Return
for method in euler rk4; do
    plane=$(xdotool search --sync --onlyvisible --name '^Verlauf' | tail -n 1)
    xdotool windowactivate --sync "$plane"
    xdotool windowsize --sync "$plane" 1360 600
    xdotool key --delay 200 ctrl+Tab
    sleep 2
    import -frame -window "$plane" "$shots/$method.png"
    xdotool windowminimize --sync "$plane"
    if [ "$method" = euler ]; then
        xdotool windowactivate --sync "$window"
        xdotool key --delay 80 Down Return
        sleep 2
    fi
done
convert "$shots/euler.png" "$shots/rk4.png" -append docs/screenshot-system.png

# The default equation with Dormand-Prince, the last method, at its start tolerance 1E-6, from a
# program started afresh; its course's third page shows the tolerance study beside the fixed step.
kill "$app"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$program" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Numer-Integration$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 1
xdotool key --delay 50 ctrl+a; xdotool type --delay 50 '0'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
# On to the method box past the button, the list, the count and the equation; then round the
# cycle past "System…" and the three numbers to the button.
xdotool key --delay 50 Tab Tab Tab Tab Tab End
xdotool key --delay 50 Tab Tab Tab Tab Tab space
sleep 1
xdotool key --delay 50 Tab Return
adaptive=$(xdotool search --sync --onlyvisible --name '^Verlauf' | head -n 1)
xdotool windowactivate --sync "$adaptive"
xdotool windowsize --sync "$adaptive" 1360 900
xdotool key --delay 200 ctrl+Tab ctrl+Tab
sleep 8
import -frame -window "$adaptive" docs/screenshot-adaptive.png

# The stiff equation y' = -50*(y-cos(x)) with RK4, the fifth method, in 15 steps, from a program
# started afresh; its course's fourth page is "Stabilität".
kill "$app"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$program" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Numer-Integration$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 1
xdotool key --delay 50 ctrl+a; xdotool type --delay 50 '0'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab; xdotool type --delay 50 '1'
xdotool key --delay 50 Tab Tab Tab; xdotool type --delay 50 '15'
xdotool key --delay 50 Tab; xdotool type --delay 50 -- '-50*(y-cos(x))'
xdotool key --delay 50 Tab Home Down Down Down Down
xdotool key --delay 50 Tab Tab Tab Tab Tab space
sleep 1
xdotool key --delay 50 Tab Return
stability=$(xdotool search --sync --onlyvisible --name '^Verlauf' | head -n 1)
xdotool windowactivate --sync "$stability"
xdotool windowsize --sync "$stability" 900 860
xdotool key --delay 200 ctrl+Tab ctrl+Tab ctrl+Tab
sleep 2
import -frame -window "$stability" docs/screenshot-stability.png
