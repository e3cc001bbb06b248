#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Belvaro need.
# Safe to run again: when every package is already present it says nothing and
# touches nothing. Needs root (or sudo) only when something is missing.
set -euo pipefail

paquetes=(
    # compiler and build
    build-essential cmake g++ pkg-config git
    # libraries of the program and its tests
    libxml2-dev libgtest-dev qt6-base-dev
    # interoperability tests and the sample generator (Debian's own interpreter)
    python3 python3-dbfread python3-dbf
    # desktop tests without a screen
    xvfb xauth x11-utils xdotool imagemagick
    # chmcmd, which compiles the help file
    fp-utils
    # fuzzing and memory checks
    clang libclang-rt-14-dev valgrind
)

faltan=()
for p in "${paquetes[@]}"; do
    estado=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    if [[ "$estado" != "install ok installed" ]]; then
        faltan+=("$p")
    fi
done

if ((${#faltan[@]} == 0)); then
    exit 0
fi

echo "Instalando: ${faltan[*]}"
sudo_=()
if ((EUID != 0)); then
    if ! command -v sudo >/dev/null; then
        echo "Faltan paquetes y no soy root ni hay sudo: ${faltan[*]}" >&2
        exit 1
    fi
    sudo_=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_[@]}" apt-get update -qq
"${sudo_[@]}" apt-get install -y -qq "${faltan[@]}" >/dev/null
echo "Paquetes instalados."
