#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the man page: groff renders it without a warning, and it names every option that the
# program's --help names. Usage: man_page_check.sh MAN_PAGE PROGRAM
set -euo pipefail
page=$1
program=$2

warnings=$(preconv "$page" | groff -man -ww -z 2>&1)
if [[ -n "$warnings" ]]; then
    printf 'groff warns about %s:\n%s\n' "$page" "$warnings" >&2
    exit 1
fi

# The page as a reader sees it, one long line per paragraph, without bold or underline.
text=$(preconv "$page" | groff -man -Tutf8 -P-cbou -rLL=500n)
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help)
options=$(grep -oE -- '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' <<<"$help" |
    sed -E 's/^[^-]*//' | sort -u)
if [[ -z "$options" ]]; then
    printf '%s --help names no option:\n%s\n' "$program" "$help" >&2
    exit 1
fi
missing=()
for option in $options; do
    grep -qE -- "(^|[^[:alnum:]-])${option}([^[:alnum:]-]|$)" <<<"$text" || missing+=("$option")
done
if ((${#missing[@]} > 0)); then
    echo "The man page does not name these options of --help: ${missing[*]}" >&2
    exit 1
fi
echo "The man page renders cleanly and names all $(wc -w <<<"$options") options of --help."
