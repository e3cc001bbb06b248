#!/usr/bin/env bash
# Runs the libFuzzer targets for a bounded time each and fails when one crashes.
#
#   tools/fuzz.sh SEGUNDOS [OBJETIVO...]   each target (or those named) for SEGUNDOS
#   tools/fuzz.sh --corto                  25 seconds each (the test command's run)
#
# Builds with clang in build-fuzz/ (ASan, UBSan and the fuzzer's coverage). Seeds come
# from fuzz/corpus/<target>/; what the runs learn is kept in build-fuzz/corpus/<target>/
# so that later runs start from it. A crashing input is left in
# build-fuzz/hallazgos/<target>/ and the script exits with 1.
set -euo pipefail

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$raiz/build-fuzz"
todos=(fuzz_xml fuzz_dbf fuzz_niveles fuzz_resultado)

if [[ $# -lt 1 ]]; then
    echo "Uso: tools/fuzz.sh SEGUNDOS|--corto [OBJETIVO...]" >&2
    exit 2
fi
segundos=$1
shift
[[ "$segundos" == --corto ]] && segundos=25
if ! [[ "$segundos" =~ ^[0-9]+$ ]] || ((segundos < 1)); then
    echo "tools/fuzz.sh: \"$segundos\" no es un número de segundos" >&2
    exit 2
fi
objetivos=("$@")
((${#objetivos[@]})) || objetivos=("${todos[@]}")

if ! command -v clang++ >/dev/null; then
    echo "tools/fuzz.sh: falta clang (tools/instalar-dependencias.sh lo instala)" >&2
    exit 1
fi
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    CC=clang CXX=clang++ cmake -S "$raiz" -B "$build" -DBELVARO_FUZZ=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"${BELVARO_TRABAJOS:-2}" --target "${objetivos[@]}"

# Largest input each target is given: XML may be long, the others are small files.
declare -A largo=([fuzz_xml]=65536 [fuzz_dbf]=16384 [fuzz_niveles]=4096 [fuzz_resultado]=4096)
declare -A diccionario=([fuzz_xml]="$raiz/fuzz/xml.dict")

fallos=0
for objetivo in "${objetivos[@]}"; do
    corpus="$build/corpus/$objetivo"
    hallazgos="$build/hallazgos/$objetivo"
    registro="$build/fuzz-$objetivo.log"
    mkdir -p "$corpus" "$hallazgos"
    opciones=(-max_total_time="$segundos" -max_len="${largo[$objetivo]:-8192}" -timeout=30
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$hallazgos/")
    if [[ -n "${diccionario[$objetivo]:-}" ]]; then
        opciones+=(-dict="${diccionario[$objetivo]}")
    fi
    estado=0
    "$build/bin/$objetivo" "${opciones[@]}" "$corpus" "$raiz/fuzz/corpus/$objetivo" \
        >"$registro" 2>&1 || estado=$?
    ejecuciones=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$registro" | grep -o '[0-9]*$' || true)
    cobertura=$(grep -o 'cov: [0-9]*' "$registro" | tail -1 || true)
    if ((estado != 0)); then
        fallos=1
        echo "$objetivo: FALLO (estado $estado) tras ${ejecuciones:-?} ejecuciones; ver $registro y $hallazgos/"
        grep -E 'ERROR|SUMMARY|Test unit written' "$registro" | head -5 || true
    else
        echo "$objetivo: ${segundos} s, ${ejecuciones:-?} ejecuciones, ${cobertura:-cov: ?}, sin fallos"
    fi
done
exit "$fallos"
