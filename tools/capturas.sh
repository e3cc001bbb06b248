#!/bin/sh
# Screenshots of the main window and of the level and course dialog, taken on an
# X server of our own (Xvfb) and saved as PNG in docs/capturas/.
#   tools/capturas.sh [build folder]     (default: build-gui)
set -eu

raiz=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$raiz/build-gui}/bin
destino=$raiz/docs/capturas
for programa in Xvfb xdotool import; do
    command -v "$programa" >/dev/null || { echo "Falta $programa" >&2; exit 1; }
done
[ -x "$bin/belvaro" ] || { echo "No está $bin/belvaro: compile el objetivo belvaro" >&2; exit 1; }

# A free display number.
n=90
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trabajo=$(mktemp -d)
belvaro=
terminar() {
    [ -n "$belvaro" ] && kill "$belvaro" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$trabajo"
}
trap terminar EXIT
while [ ! -e /tmp/.X11-unix/X$n ]; do sleep 0.1; done

# Waits for a window whose name holds $1 and prints its id.
esperar_ventana() {
    i=0
    while [ $i -lt 100 ]; do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
        i=$((i + 1))
    done
    echo "No aparece la ventana «$1»" >&2
    return 1
}

mkdir -p "$destino"
BELVARO_ZTEMP=$trabajo/ZTEMP \
BELVARO_PRUEBA_ARCHIVO=$raiz/data/seneca-ejemplo.xml \
BELVARO_PRUEBA_CURSOS=mostrar \
BELVARO_PRUEBA_MENSAJES=$trabajo/mensajes.txt \
QT_QPA_PLATFORM=xcb "$bin/belvaro" &
belvaro=$!

principal=$(esperar_ventana "Exportar e importar")
sleep 0.5
import -window "$principal" "$destino/ventana-principal.png"

# BExportar: the left "Aceptar" button; the job stops at the dialog.
xdotool mousemove --window "$principal" 157 125 click 1
dialogo=$(esperar_ventana "Asignación de Niveles")
sleep 0.5
import -window "$dialogo" "$destino/niveles-y-cursos.png"
echo "Capturas en $destino"
