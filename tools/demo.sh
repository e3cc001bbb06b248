#!/usr/bin/env bash
# Runs Belvaro's main job on the sample school: reads data/seneca-ejemplo.xml and
# rebuilds the nine Zeltora tables in demo/ZTEMP, taking every course's level and
# year from data/niveles-ejemplo.csv so that nothing is asked.
#
# Installs missing Debian packages and builds what it needs in build/ (reusing it
# when it is already there). Each step of the round is one function; run them in
# the order at the bottom.
set -euo pipefail

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$raiz"

build=${BELVARO_BUILD:-build}
cli="$build/bin/belvaro-cli"
datos=demo/ZTEMP
seneca=data/seneca-ejemplo.xml
niveles=data/niveles-ejemplo.csv

preparar() {
    tools/instalar-dependencias.sh
    if [[ ! -f "$build/CMakeCache.txt" ]]; then
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    echo "== Compilando belvaro-cli y el catálogo de materias en $build/"
    cmake --build "$build" -j2 --target belvaro-cli belvaro-soluc belvaro_catalogo_dbf >/dev/null
    mkdir -p "$datos"
}

# Séneca to Zeltora: the nine tables in demo/ZTEMP.
exportar() {
    echo "== belvaro-cli exportar $seneca --datos $datos --niveles $niveles"
    "$cli" exportar "$seneca" --datos "$datos" --niveles "$niveles"
    echo
    echo "== Primeras filas de $datos/GRUPOST.DBF"
    "$cli" volcar "$datos/GRUPOST.DBF" | head -n 6
}

# The timetabler's part: belvaro-soluc places the lessons and writes SOLUC.DBF.
horario() {
    echo
    echo "== belvaro-soluc --datos $datos --semilla 1"
    "$build/bin/belvaro-soluc" --datos "$datos" --semilla 1
}

# Zeltora to Séneca: the regular timetables, written beside a copy of the sample.
importar() {
    mkdir -p "$datos/seneca"
    cp "$seneca" "$datos/seneca/"
    local elegido="$datos/seneca/$(basename "$seneca")"
    echo
    echo "== belvaro-cli importar $elegido --datos $datos"
    "$cli" importar "$elegido" --datos "$datos"
    echo
    echo "El fichero para Séneca está en $datos/seneca/ResultadoZeltos$(basename "$seneca")"
}

preparar
exportar
horario
importar
