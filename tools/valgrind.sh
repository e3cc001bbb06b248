#!/usr/bin/env bash
# Runs belvaro-cli under valgrind's memcheck on the sample (export, the stand-in
# timetable, import) and on a few bad inputs, from a normal build (no sanitizers).
# Fails on any memory error or leak (definite, indirect or possible).
#
#   tools/valgrind.sh [CARPETA_DE_COMPILACION]   (by default build/)
set -euo pipefail

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$raiz/build}
[[ "$build" = /* ]] || build="$raiz/$build"

if ! command -v valgrind >/dev/null; then
    echo "tools/valgrind.sh: falta valgrind (tools/instalar-dependencias.sh lo instala)" >&2
    exit 1
fi
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$raiz" -B "$build" -DBELVARO_GUI=OFF >/dev/null
fi
if grep -q '^BELVARO_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "tools/valgrind.sh: $build está compilado con sanitizers; valgrind necesita una compilación normal" >&2
    exit 1
fi
cmake --build "$build" -j"${BELVARO_TRABAJOS:-2}" --target belvaro-cli belvaro-soluc belvaro_catalogo_dbf

trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
mkdir -p "$trabajo/entrada"
cp "$raiz/data/seneca-ejemplo.xml" "$trabajo/entrada/seneca.xml"
datos="$trabajo/ZTEMP"
cli="$build/bin/belvaro-cli"

fallos=0
# pasar NOMBRE SALIDA_ESPERADA PROGRAMA ARGUMENTOS...
pasar() {
    local nombre=$1 esperada=$2
    shift 2
    local registro="$trabajo/$nombre.valgrind"
    local estado=0
    valgrind --quiet --leak-check=full --show-leak-kinds=definite,indirect,possible \
        --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=1 \
        --log-file="$registro" "$@" >"$trabajo/$nombre.salida" 2>&1 </dev/null || estado=$?
    if [[ -s "$registro" ]]; then
        fallos=1
        echo "$nombre: VALGRIND ENCONTRÓ ERRORES (estado $estado)"
        head -40 "$registro"
    elif ((estado != esperada)); then
        fallos=1
        echo "$nombre: salida $estado, se esperaba $esperada"
        tail -5 "$trabajo/$nombre.salida"
    else
        echo "$nombre: limpio (salida $estado)"
    fi
}

pasar exportar 0 "$cli" exportar "$trabajo/entrada/seneca.xml" --datos "$datos" \
    --niveles "$raiz/data/niveles-ejemplo.csv"
pasar soluc 0 "$build/bin/belvaro-soluc" --datos "$datos"
pasar importar 0 "$cli" importar "$trabajo/entrada/seneca.xml" --datos "$datos"

# Bad inputs: each must be refused cleanly too.
head -c 50000 "$raiz/data/seneca-ejemplo.xml" >"$trabajo/truncado.xml"
pasar xml_truncado 1 "$cli" exportar "$trabajo/truncado.xml" --datos "$datos" \
    --niveles "$raiz/data/niveles-ejemplo.csv"
{
    echo '<?xml version="1.0"?><!DOCTYPE S [<!ENTITY a "xxxxxxxxxx">'
    for i in 1 2 3 4 5 6 7 8 9; do
        p=$((i - 1))
        echo "<!ENTITY a$i \"&a$p;&a$p;&a$p;&a$p;&a$p;&a$p;&a$p;&a$p;&a$p;&a$p;\">" | sed 's/a0/a/g'
    done
    echo ']><S><BLOQUE_DATOS><grupo_datos><dato>&a9;</dato></grupo_datos></BLOQUE_DATOS></S>'
} >"$trabajo/bomba.xml"
pasar xml_bomba 1 "$cli" exportar "$trabajo/bomba.xml" --datos "$datos"
printf '502925;ESO\n' >"$trabajo/niveles-malos.csv"
pasar niveles_malos 1 "$cli" exportar "$trabajo/entrada/seneca.xml" --datos "$datos" \
    --niveles "$trabajo/niveles-malos.csv"
mv "$datos/SOLUC.DBF" "$trabajo/SOLUC.DBF.aparte"
pasar soluc_ausente 1 "$cli" importar "$trabajo/entrada/seneca.xml" --datos "$datos"
head -c 700 "$trabajo/SOLUC.DBF.aparte" >"$datos/SOLUC.DBF"
pasar soluc_truncada 1 "$cli" importar "$trabajo/entrada/seneca.xml" --datos "$datos"

if ((fallos)); then
    echo "valgrind: FALLOS"
    exit 1
fi
echo "valgrind: todo limpio"
