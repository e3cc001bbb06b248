#!/usr/bin/python3
"""Round trip on the sample school: export, the stand-in timetable, import, and the
Séneca file read back and checked against the tables it came from."""

import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import dbfread


def ejecutar(*orden):
    r = subprocess.run([str(p) for p in orden], capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit(f"falló {' '.join(map(str, orden))} ({r.returncode}):\n{r.stdout}{r.stderr}")
    return r.stdout


def tabla(carpeta, nombre):
    return list(dbfread.DBF(str(carpeta / f"{nombre}.DBF"), encoding="cp1252"))


def texto(valor):
    return "" if valor is None else str(valor)


def primero(filas, clave, valor):
    return next((f for f in filas if clave(f) == valor), None)


def datos(bloque):
    return [(d.get("nombre_dato"), d.text or "") for d in bloque.findall("dato")]


class Comprobacion:
    def __init__(self):
        self.fallos = []

    def igual(self, obtenido, esperado, donde):
        if obtenido != esperado:
            self.fallos.append(f"{donde}: {obtenido!r} en lugar de {esperado!r}")


def comprobar_actividad(c, v, fila, t, donde):
    dia, hora = int(fila["DIA"]), int(fila["HORA"])
    tramo = primero(t["DIASHORAST"], lambda f: f["DIHO"], f"{dia}{hora}")
    grupo = primero(t["GRUPOST"], lambda f: f["ABREV"], fila["CODGRUPO"])
    asig = primero(t["ASIGT"], lambda f: (f["CASIG"], f["CGRUP"]), (fila["ASIG"], fila["CODGRUPO"]))
    periodo = t["PERIODOS"][0]
    esperado = {
        "N_DIASEMANA": tramo["DIA"] if tramo else "",
        "X_TRAMO": tramo["CODDIHO"] if tramo else "",
        "X_DEPENDENCIA": texto(fila["AULA"]),
        "X_UNIDAD": grupo["CLAVE"] if grupo else "",
        "F_INICIO": periodo["F_INICIO"],
        "F_FIN": periodo["F_FIN"],
        "N_HORINI": tramo["HORADESDE"] if tramo else "",
        "N_HORFIN": tramo["HORAHASTA"] if tramo else "",
    }
    if asig and asig["CLAVE"].strip():
        esperado["X_MATERIAOMG"] = asig["CLAVE"]
    if asig and asig["CLAVECURSO"].strip():
        esperado["X_OFERTAMATRIG"] = asig["CLAVECURSO"]
    for nombre, valor in esperado.items():
        c.igual(v.get(nombre), valor, f"{donde} {nombre}")
    c.igual(bool(v["X_ACTIVIDAD"].strip()), True, f"{donde} X_ACTIVIDAD")


def comprobar(salida, entrada, carpeta):
    c = Comprobacion()
    t = {n: tabla(carpeta, n) for n in
         ("PROFT", "SOLUC", "DIASHORAST", "GRUPOST", "ASIGT", "PERIODOS")}
    bruto = salida.read_bytes()
    c.igual(bruto.split(b"\n", 1)[0], entrada.read_bytes().split(b"\n", 1)[0], "declaración")
    raiz = ET.fromstring(bruto)
    c.igual(raiz.tag, "SERVICIO", "raíz")
    c.igual(list(raiz.attrib), ["modulo", "tipo", "autor", "fecha"], "atributos de la raíz")
    c.igual([raiz.get("modulo"), raiz.get("tipo"), raiz.get("autor")],
            ["HORARIOS", "I", "ZELTORA"], "cabecera")
    bloques = raiz.findall("BLOQUE_DATOS/grupo_datos")
    c.igual([b.get("seq") for b in bloques], ["ANNO_ACADEMICO", "HORARIOS_REGULARES"], "bloques")
    c.igual(datos(bloques[0]), [("C_ANNO", t["PERIODOS"][0]["CURSOANNO"])], "curso escolar")
    profesores = bloques[1].findall("grupo_datos")
    c.igual(bloques[1].get("registros"), str(len(profesores)), "registros de HORARIOS_REGULARES")
    c.igual(len(profesores), len(t["PROFT"]), "profesores")
    escritas = 0
    for n, (bloque, prof) in enumerate(zip(profesores, t["PROFT"]), 1):
        donde = f"profesor {n}"
        c.igual(bloque.get("seq"), f"HORARIO_REGULAR_PROFESOR_{n}", donde)
        c.igual(datos(bloque), [("X_EMPLEADO", prof["X_EMPLEADO"]),
                                ("F_TOMAPOS", prof["F_TOMAPOS"])], donde)
        actividades = bloque.findall("grupo_datos")
        c.igual(bloque.get("registros"), str(len(actividades)), f"{donde} registros")
        filas = [f for f in t["SOLUC"] if f["PROF"] == prof["ABREV"] and f["DIA"]]
        c.igual(len(actividades), len(filas), f"{donde} actividades")
        for k, (act, fila) in enumerate(zip(actividades, filas), 1):
            c.igual(act.get("seq"), f"ACTIVIDAD_{k}", f"{donde} actividad {k}")
            v = dict(datos(act))
            c.igual(len(datos(act)), 11, f"{donde} actividad {k} valores")
            comprobar_actividad(c, v, fila, t, f"{donde} actividad {k}")
        escritas += len(actividades)
    return c.fallos, escritas


def main():
    argumentos = argparse.ArgumentParser()
    argumentos.add_argument("--bin", type=pathlib.Path, required=True)
    argumentos.add_argument("--muestras", type=pathlib.Path, required=True)
    a = argumentos.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        carpeta = pathlib.Path(tmp) / "ZTEMP"
        (carpeta / "seneca").mkdir(parents=True)
        entrada = carpeta / "seneca" / "horarios.xml"
        shutil.copyfile(a.muestras / "seneca-ejemplo.xml", entrada)
        ejecutar(a.bin / "belvaro-cli", "exportar", entrada, "--datos", carpeta,
                 "--niveles", a.muestras / "niveles-ejemplo.csv")
        ejecutar(a.bin / "belvaro-soluc", "--datos", carpeta, "--semilla", "3")
        primera = (carpeta / "SOLUC.DBF").read_bytes()
        ejecutar(a.bin / "belvaro-soluc", "--datos", carpeta, "--semilla", "3")
        if (carpeta / "SOLUC.DBF").read_bytes() != primera:
            sys.exit("belvaro-soluc no da lo mismo con la misma semilla")
        antes = entrada.read_bytes()
        texto_salida = ejecutar(a.bin / "belvaro-cli", "importar", entrada, "--datos", carpeta)
        salida = carpeta / "seneca" / "ResultadoZeltoshorarios.xml"
        if "Proceso finalizado" not in texto_salida or str(salida) not in texto_salida:
            sys.exit(f"salida inesperada de importar:\n{texto_salida}")
        if entrada.read_bytes() != antes:
            sys.exit("importar cambió el fichero de entrada")
        fallos, escritas = comprobar(salida, entrada, carpeta)
        if escritas == 0:
            fallos.append("no se escribió ninguna actividad")
        for fallo in fallos[:40]:
            print(fallo)
        if fallos:
            sys.exit(f"{len(fallos)} diferencias")
        print(f"ida y vuelta correcta: {escritas} actividades")


if __name__ == "__main__":
    main()
