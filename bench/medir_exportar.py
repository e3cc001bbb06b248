#!/usr/bin/python3
"""Measures the export of a province-sized Séneca file and of its double.

Generates both files with tools/generar_seneca.py (same seed), then, for each, runs
`belvaro-cli exportar` and the parse-only program several times and prints the median
wall time and the peak resident memory of each, the export's time over the bare
parse, and the double's time over the single's. Run it from an optimised build:

  cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DBELVARO_GUI=OFF
  cmake --build build-rel -j2 --target medir-exportar
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# The province preset of the generator, and its double. A day has at most 12 slots.
PROVINCIA = dict(empleados=2000, unidades=1500, cursos=900, materias=40000,
                 dependencias=900, tramos=12)
DOBLE = {k: (v if k == "tramos" else 2 * v) for k, v in PROVINCIA.items()}

# What the export must keep to on this machine.
MAX_SEGUNDOS = 2.0
MAX_VECES_PARSEO = 3.0
MAX_MB = 400.0
MAX_VECES_DOBLE = 2.3


def generar(generador, carpeta, nombre, tallas):
    xml = carpeta / f"{nombre}.xml"
    niveles = carpeta / f"{nombre}-niveles.csv"
    orden = [sys.executable, str(generador), "--seed", "1", "--salida", str(xml),
             "--niveles", str(niveles)]
    for clave, valor in tallas.items():
        orden += [f"--{clave}", str(valor)]
    subprocess.run(orden, check=True)
    propios = carpeta / f"{nombre}-niveles-propios.csv"
    niveles_por_centro(niveles, propios)
    return xml, propios


def niveles_por_centro(origen, destino):
    """The generator's levels file, with every course's level made its own.

    The generator gives every school the same levels (ESO 1, ESO 2 ...), so a province
    holds far more units of one level and year than there are group letters (131) and
    the export rightly stops. Here the level keeps its first three characters and gets
    two more that count the courses of that level and year: ESO00, ESO01 ...
    """
    vistos = {}
    lineas = origen.read_text(encoding="utf-8").splitlines()
    salida = [lineas[0]]
    for linea in lineas[1:]:
        clave, nivel, curso = linea.split(";")
        par = (nivel[:3], curso[:1])
        n = vistos.get(par, 0)
        vistos[par] = n + 1
        salida.append(f"{clave};{nivel[:3]}{BASE36[n // 36]}{BASE36[n % 36]};{curso}")
    destino.write_text("\n".join(salida) + "\n", encoding="utf-8")


BASE36 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def medir(orden, salida):
    """Wall seconds, processor seconds and peak resident MB of one run; stops on a
    failed run. Processor time shows what the program costs when the machine is busy."""
    with open(salida, "wb") as registro:
        inicio = time.perf_counter()
        proceso = subprocess.Popen(orden, stdout=registro, stderr=subprocess.STDOUT)
        _, estado, uso = os.wait4(proceso.pid, 0)
        segundos = time.perf_counter() - inicio
        proceso.returncode = os.waitstatus_to_exitcode(estado)
    if proceso.returncode != 0:
        sys.exit(f"falló ({proceso.returncode}): {' '.join(orden)}\n"
                 + Path(salida).read_text(errors="replace"))
    return segundos, uso.ru_utime + uso.ru_stime, uso.ru_maxrss / 1024.0


def mediana(orden, veces, salida):
    medidas = [medir(orden, salida) for _ in range(veces)]
    return (statistics.median(s for s, _, _ in medidas),
            statistics.median(c for _, c, _ in medidas), max(m for _, _, m in medidas))


def main():
    p = argparse.ArgumentParser(description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--bin", required=True, type=Path, help="folder of belvaro-cli")
    p.add_argument("--generador", required=True, type=Path, help="tools/generar_seneca.py")
    p.add_argument("--veces", type=int, default=3, help="runs of each program (median)")
    p.add_argument("--conservar", type=Path, help="keep the files in this folder")
    o = p.parse_args()

    with tempfile.TemporaryDirectory(prefix="belvaro-medir-") as temporal:
        carpeta = o.conservar or Path(temporal)
        carpeta.mkdir(parents=True, exist_ok=True)
        filas = {}
        for nombre, tallas in (("provincia", PROVINCIA), ("doble", DOBLE)):
            xml, niveles = generar(o.generador, carpeta, nombre, tallas)
            datos = carpeta / f"datos-{nombre}"
            datos.mkdir(exist_ok=True)
            exportar = [str(o.bin / "belvaro-cli"), "exportar", str(xml), "--datos", str(datos),
                        "--niveles", str(niveles), "--forzar-salida"]
            parseo = [str(o.bin / "belvaro-solo-parseo"), str(xml)]
            registro = carpeta / f"{nombre}.log"
            filas[nombre] = (xml.stat().st_size / 1e6, *mediana(exportar, o.veces, registro),
                             *mediana(parseo, o.veces, carpeta / f"{nombre}-parseo.log"))
            print(f"--- {nombre}: resumen de belvaro-cli ---")
            print(registro.read_text(errors="replace").strip())

    print()
    print(f"{'fichero':<10} {'MB':>6} {'exportar s':>11} {'cpu s':>7} {'pico MB':>8} "
          f"{'parseo s':>9} {'cpu s':>7} {'pico MB':>8} {'exp/parseo':>11} {'(cpu)':>6}")
    for nombre, (mb, s, c, pico, sp, cp, picop) in filas.items():
        print(f"{nombre:<10} {mb:6.1f} {s:11.3f} {c:7.3f} {pico:8.1f} {sp:9.3f} {cp:7.3f} "
              f"{picop:8.1f} {s / sp:11.2f} {c / cp:6.2f}")
    uno, dos = filas["provincia"], filas["doble"]
    print(f"doble/provincia: exportar {dos[1] / uno[1]:.2f}x (cpu {dos[2] / uno[2]:.2f}x), "
          f"parseo {dos[4] / uno[4]:.2f}x (cpu {dos[5] / uno[5]:.2f}x)")
    print(f"carga media del sistema: {os.getloadavg()[0]:.1f} (con más de {os.cpu_count()}, "
          "los tiempos de reloj no son fiables; mire los de cpu)")

    fallos = []
    if uno[1] > MAX_SEGUNDOS:
        fallos.append(f"exportar tarda {uno[1]:.2f} s (máximo {MAX_SEGUNDOS} s)")
    if uno[1] > MAX_VECES_PARSEO * uno[4]:
        fallos.append(f"exportar es {uno[1] / uno[4]:.1f} veces el parseo "
                      f"(máximo {MAX_VECES_PARSEO})")
    if uno[3] > MAX_MB:
        fallos.append(f"pico de {uno[3]:.0f} MB (máximo {MAX_MB:.0f} MB)")
    if dos[1] > MAX_VECES_DOBLE * uno[1]:
        fallos.append(f"el doble tarda {dos[1] / uno[1]:.2f} veces más "
                      f"(máximo {MAX_VECES_DOBLE})")
    print("objetivos: " + ("cumplidos" if not fallos else "NO cumplidos: " + "; ".join(fallos)))
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
