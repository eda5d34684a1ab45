#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing need on Debian or Ubuntu.
# Installs only the packages that are missing; does nothing when all are there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config libmuparser-dev libeigen3-dev
    libgtest-dev
    qt6-base-dev qt6-svg-dev libgl-dev
    qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
    fonts-dejavu-core locales
    desktop-file-utils appstream
)
if [[ "${1:-}" == "--test" ]]; then
    # Sanitizer and fuzzing runtime, benchmarks, their comparison library and an X server
    # for the start-up benchmark; the package's build and checks.
    packages+=(clang libclang-rt-14-dev libbenchmark-dev libboost-dev xvfb xauth
        dpkg-dev file lintian groff-base)
fi

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

# The window tests run under these locales.
if [[ "${1:-}" == "--test" ]]; then
    wanted=(de_DE.UTF-8 en_US.UTF-8 fr_FR.UTF-8 de_CH.UTF-8)
    have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
    generate=()
    for name in "${wanted[@]}"; do
        short=$(tr '[:upper:]' '[:lower:]' <<<"${name/UTF-8/utf8}")
        grep -qx "$short" <<<"$have" || generate+=("$name")
    done
    if ((${#generate[@]} > 0)); then
        for name in "${generate[@]}"; do
            as_root sed -i "s/^# *\\(${name} UTF-8\\)/\\1/" /etc/locale.gen
            grep -q "^${name} UTF-8" /etc/locale.gen ||
                echo "${name} UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        done
        as_root locale-gen
    fi
fi
