#!/usr/bin/env bash
# Builds Belvaro and runs every test, twice: a normal build in build/ (with the
# desktop program when Qt 6 is present) and a build with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/; then belvaro-cli under valgrind and a
# short run of the fuzz targets. Installs missing Debian packages first.
# Exits with 0 only when both builds compile and every test passes.
#
#   tools/probar.sh            both builds
#   tools/probar.sh normal     only build/
#   tools/probar.sh asan       only build-asan/
#
# Works without a screen: the desktop tests start their own X server or use Qt's
# offscreen platform.
set -euo pipefail

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$raiz"
trabajos=${BELVARO_TRABAJOS:-2}

"$raiz/tools/instalar-dependencias.sh"

declare -a resumen=()
fallo=0

# compilar DIR [opciones de cmake...]: configures and builds. Returns 2 when CMake
# fails, 1 when anything fails to build (after building everything else it can).
compilar() {
    local dir=$1
    shift
    cmake -S "$raiz" -B "$raiz/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" || return 2
    # Keep going past a target that fails, so that every test that can run does.
    local seguir=(-k)
    if grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja' "$raiz/$dir/CMakeCache.txt"; then
        seguir=(-k 0)
    fi
    cmake --build "$raiz/$dir" -j"$trabajos" -- "${seguir[@]}"
}

# probar NOMBRE DIR [opciones de cmake...]
probar() {
    local nombre=$1 dir=$2
    shift 2
    local registro="$raiz/$dir/probar-ctest.log"
    echo "=== $nombre: compilando en $dir/"
    local estado=0
    compilar "$dir" "$@" || estado=$?
    if ((estado == 2)); then
        fallo=1
        resumen+=("$nombre: LA CONFIGURACIÓN CON CMAKE FALLÓ")
    elif ((estado != 0)); then
        fallo=1
        resumen+=("$nombre: LA COMPILACIÓN FALLÓ (se prueban los ejecutables que sí se hicieron)")
    fi
    if [[ ! -f "$raiz/$dir/CTestTestfile.cmake" ]]; then
        fallo=1
        resumen+=("$nombre: sin pruebas (la configuración falló)")
        return
    fi
    echo "=== $nombre: ejecutando las pruebas"
    estado=0
    ctest --test-dir "$raiz/$dir" -j"$trabajos" --timeout 900 --output-on-failure \
        2>&1 | tee "$registro" || estado=$?
    # No tests at all counts as a failure too.
    if ((estado != 0)) || ! grep -q '^100% tests passed' "$registro"; then
        fallo=1
    fi
    while IFS= read -r linea; do
        resumen+=("$nombre: $linea")
    done < <(grep -E '^[0-9]+% tests passed|^Total Test time|^No tests were found' "$registro")
}

que=${1:-todo}
case "$que" in
todo | normal | asan) ;;
*)
    echo "Uso: tools/probar.sh [normal|asan]" >&2
    exit 2
    ;;
esac

if [[ "$que" != asan ]]; then
    probar "normal" build
fi
if [[ "$que" != normal ]]; then
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
    # The system's D-Bus library, loaded by Qt under an X server, keeps a buffer to the
    # end of the process; LeakSanitizer would fail every desktop test for it. Only that
    # library is passed over: a leak anywhere in our code still fails.
    mkdir -p "$raiz/build-asan"
    printf 'leak:libdbus-1.so\n' >"$raiz/build-asan/lsan-supresiones.txt"
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$raiz/build-asan/lsan-supresiones.txt}
    probar "asan+ubsan" build-asan -DBELVARO_SANITIZE=ON
fi

# Beyond the sanitizers: belvaro-cli under valgrind from the normal build, and a short
# run of every fuzz target (tools/fuzz.sh SEGUNDOS for a longer one).
if [[ "$que" != asan ]]; then
    echo "=== valgrind: belvaro-cli de build/"
    if "$raiz/tools/valgrind.sh" build; then
        resumen+=("valgrind: sin errores ni fugas")
    else
        fallo=1
        resumen+=("valgrind: FALLOS")
    fi
fi
if [[ "$que" == todo ]]; then
    echo "=== fuzzing: tools/fuzz.sh --corto"
    if "$raiz/tools/fuzz.sh" --corto; then
        resumen+=("fuzzing corto: sin fallos")
    else
        fallo=1
        resumen+=("fuzzing corto: FALLOS (ver build-fuzz/hallazgos/)")
    fi
fi

echo
echo "=== Resumen"
for linea in "${resumen[@]}"; do
    echo "$linea"
done
if ((fallo)); then
    echo "RESULTADO: FALLOS"
    exit 1
fi
echo "RESULTADO: todo correcto"
