#!/usr/bin/python3
"""Measures the import on the province-sized export: 2,000 teachers and 100,000 rows
of SOLUC, then the same tables with 200,000 rows.

Generates the province file with tools/generar_seneca.py, exports it with
`belvaro-cli exportar`, writes SOLUC.DBF rows drawn from the exported assignments,
slots, teachers and rooms (a few with DIA 0, as a host leaves unplaced lessons), and
runs `belvaro-cli importar` several times on each size, printing the median wall time,
processor time and peak resident memory. Run it from an optimised build:

  cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DBELVARO_GUI=OFF
  cmake --build build-rel -j2 --target medir-importar
"""

import argparse
import random
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

import dbfread

sys.path.insert(0, str(Path(__file__).resolve().parent))
from medir_exportar import PROVINCIA, generar, mediana  # noqa: E402

FILAS = 100_000
MAX_SEGUNDOS = 2.0
MAX_MB = 400.0
MAX_VECES_DOBLE = 2.3

# PROF C10, DIA N2, HORA N2, ASIG C10, CODGRUPO C10, TAREA C10, AULA C10
CAMPOS = [("PROF", "C", 10), ("DIA", "N", 2), ("HORA", "N", 2), ("ASIG", "C", 10),
          ("CODGRUPO", "C", 10), ("TAREA", "C", 10), ("AULA", "C", 10)]


def escribir_soluc(ruta, filas):
    largo = 1 + sum(a for _, _, a in CAMPOS)
    cabecera = 32 + 32 * len(CAMPOS) + 1
    partes = [struct.pack("<BBBBIHH20x", 0x03, 126, 1, 1, len(filas), cabecera, largo)]
    for nombre, tipo, ancho in CAMPOS:
        partes.append(struct.pack("<11sc4xBB14x", nombre.encode(), tipo.encode(), ancho, 0))
    partes.append(b"\r")
    for fila in filas:
        registro = [b" "]
        for (_, tipo, ancho), valor in zip(CAMPOS, fila):
            texto = str(valor).encode("cp1252")[:ancho]
            registro.append(texto.rjust(ancho) if tipo == "N" else texto.ljust(ancho))
        partes.append(b"".join(registro))
    partes.append(b"\x1a")
    ruta.write_bytes(b"".join(partes))


def leer(carpeta, nombre, *campos):
    return [tuple(f[c] for c in campos)
            for f in dbfread.DBF(str(carpeta / f"{nombre}.DBF"), encoding="cp1252")]


def filas_soluc(datos, cuantas, semilla=1):
    azar = random.Random(semilla)
    profesores = [p for (p,) in leer(datos, "PROFT", "ABREV")]
    asignaciones = leer(datos, "ASIGT", "CASIG", "CGRUP")
    tramos = [(int(d), int(k[len(d):])) for k, d in leer(datos, "DIASHORAST", "DIHO", "DIA")
              if int(d) <= 5]
    aulas = [a for (a,) in leer(datos, "AULAT", "ABREV")]
    filas = []
    for i in range(cuantas):
        asig, grupo = azar.choice(asignaciones)
        dia, hora = (0, 0) if azar.random() < 0.02 else azar.choice(tramos)
        filas.append((profesores[i % len(profesores)], dia, hora, asig, grupo, "",
                      azar.choice(aulas)))
    return filas


def main():
    p = argparse.ArgumentParser(description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--bin", required=True, type=Path, help="folder of belvaro-cli")
    p.add_argument("--generador", required=True, type=Path, help="tools/generar_seneca.py")
    p.add_argument("--veces", type=int, default=3, help="runs of each size (median)")
    p.add_argument("--conservar", type=Path, help="keep the files in this folder")
    o = p.parse_args()

    with tempfile.TemporaryDirectory(prefix="belvaro-medir-") as temporal:
        carpeta = o.conservar or Path(temporal)
        carpeta.mkdir(parents=True, exist_ok=True)
        xml, niveles = generar(o.generador, carpeta, "provincia", PROVINCIA)
        datos = carpeta / "datos"
        datos.mkdir(exist_ok=True)
        subprocess.run([str(o.bin / "belvaro-cli"), "exportar", str(xml), "--datos", str(datos),
                        "--niveles", str(niveles), "--forzar-salida"],
                       check=True, stdout=subprocess.DEVNULL)
        entrada = datos / "seneca" / "provincia.xml"
        entrada.parent.mkdir(exist_ok=True)
        shutil.copyfile(xml, entrada)
        profesores = len(leer(datos, "PROFT", "ABREV"))
        asignaciones = len(leer(datos, "ASIGT", "CASIG"))

        medidas = {}
        for nombre, cuantas in (("100k", FILAS), ("200k", 2 * FILAS)):
            escribir_soluc(datos / "SOLUC.DBF", filas_soluc(datos, cuantas))
            orden = [str(o.bin / "belvaro-cli"), "importar", str(entrada), "--datos", str(datos)]
            registro = carpeta / f"importar-{nombre}.log"
            medidas[nombre] = mediana(orden, o.veces, registro)
            resumen = registro.read_text(errors="replace").splitlines()
            salida = datos / "seneca" / "ResultadoZeltosprovincia.xml"
            print(f"--- {nombre} filas de SOLUC: " + "; ".join(resumen[1:4])
                  + f"; {salida.stat().st_size / 1e6:.1f} MB escritos")

    print(f"\nPROFT {profesores} profesores, ASIGT {asignaciones} asignaciones")
    print(f"{'SOLUC':<6} {'importar s':>11} {'cpu s':>7} {'pico MB':>8}")
    for nombre, (s, c, pico) in medidas.items():
        print(f"{nombre:<6} {s:11.3f} {c:7.3f} {pico:8.1f}")
    uno, dos = medidas["100k"], medidas["200k"]
    print(f"200k/100k: {dos[0] / uno[0]:.2f}x")

    fallos = []
    if uno[0] > MAX_SEGUNDOS:
        fallos.append(f"importar tarda {uno[0]:.2f} s (máximo {MAX_SEGUNDOS} s)")
    if uno[2] > MAX_MB:
        fallos.append(f"pico de {uno[2]:.0f} MB (máximo {MAX_MB:.0f} MB)")
    if dos[0] > MAX_VECES_DOBLE * uno[0]:
        fallos.append(f"el doble tarda {dos[0] / uno[0]:.2f} veces más "
                      f"(máximo {MAX_VECES_DOBLE})")
    print("objetivos: " + ("cumplidos" if not fallos else "NO cumplidos: " + "; ".join(fallos)))
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
