#!/usr/bin/python3
"""Checks of tools/generar_seneca.py and of the sample it wrote into data/."""

import csv
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ET

RAIZ = os.environ.get("BELVARO_RAIZ", os.path.join(os.path.dirname(__file__), "..", ".."))
GENERADOR = os.path.join(RAIZ, "tools", "generar_seneca.py")
DATOS = os.path.join(RAIZ, "data")

# Blocks in file order, and the value names of their records in the order the export
# reads them (a prefix: later values are extra).
BLOQUES = ["ANNO_ACADEMICO", "CURSOS_DEL_CENTRO", "MATERIAS", "ACTIVIDADES", "DEPENDENCIAS",
           "JORNADAS_ESCOLARES", "TRAMOS_HORARIOS", "UNIDADES", "EMPLEADOS"]
NOMBRES_DATO = {
    "ANNO_ACADEMICO": ["C_ANNO", "F_INIHORREG", "F_FINHORREG"],
    "CURSOS_DEL_CENTRO": ["X_OFERTAMATRIG", "D_OFERTAMATRIG"],
    "MATERIAS": ["X_OFERTAMATRIG", "X_MATERIAOMG", "D_MATERIAC", "N_HORAS"],
    "ACTIVIDADES": ["L_REGULAR", "X_ACTIVIDAD", "D_ACTIVIDAD"],
    "DEPENDENCIAS": ["X_DEPENDENCIA", "D_DEPENDENCIA"],
    "JORNADAS_ESCOLARES": ["X_PLAJORESCCEN", "C_NOMBRE", "F_INIHORREG", "F_FINHORREG"],
    "TRAMOS_HORARIOS": ["X_TRAMO", "T_HORCEN", "N_INICIO", "N_FIN"],
    "UNIDADES": ["X_UNIDAD", "T_NOMBRE", "X_OFERTAMATRIG"],
    "EMPLEADOS": ["X_EMPLEADO", "F_TOMAPOS", "D_PUESTO", "APELLIDO1", "APELLIDO2", "NOMBRE"],
}
# Option of each sized block.
OPCION_DE_BLOQUE = {"CURSOS_DEL_CENTRO": "cursos", "MATERIAS": "materias",
                    "DEPENDENCIAS": "dependencias", "TRAMOS_HORARIOS": "tramos",
                    "UNIDADES": "unidades", "EMPLEADOS": "empleados"}
FECHA = re.compile(r"\d\d/\d\d/\d{4}$")
CLAVE = re.compile(r"[1-9]\d*$")


def generar(*opciones):
    """The generator's output for these options, as bytes."""
    r = subprocess.run([sys.executable, GENERADOR, "--salida", "-", *map(str, opciones)],
                       capture_output=True, check=True)
    return r.stdout


def tamanos(empleados, unidades, cursos, materias, dependencias, tramos):
    return ["--empleados", empleados, "--unidades", unidades, "--cursos", cursos,
            "--materias", materias, "--dependencias", dependencias, "--tramos", tramos]


def bloques(xml_bytes):
    """{seq: block element} of the only BLOQUE_DATOS, after checking the shape above it."""
    raiz = ET.fromstring(xml_bytes)
    assert raiz.tag == "SERVICIO", raiz.tag
    hijos = list(raiz)
    assert [h.tag for h in hijos] == ["BLOQUE_DATOS"], [h.tag for h in hijos]
    return {b.get("seq"): b for b in hijos[0]}, [b.get("seq") for b in hijos[0]]


def registros(bloque):
    return [[(d.get("nombre_dato"), d.text or "") for d in r.findall("dato")]
            for r in bloque.findall("grupo_datos")]


def valores(bloque):
    return [[v for _, v in r] for r in registros(bloque)]


def catalogo():
    with open(os.path.join(DATOS, "senematerias.csv"), encoding="utf-8", newline="") as f:
        return {fila["NOMBRE"] for fila in csv.DictReader(f, delimiter=";")}


class Determinismo(unittest.TestCase):
    ARGS = ["--seed", 7, *tamanos(15, 6, 4, 40, 5, 6)]

    def test_la_misma_semilla_da_los_mismos_bytes(self):
        with tempfile.TemporaryDirectory() as d:
            salidas = []
            for n in (1, 2):
                xml, niv = os.path.join(d, f"{n}.xml"), os.path.join(d, f"{n}.csv")
                subprocess.run([sys.executable, GENERADOR, *map(str, self.ARGS),
                                "--salida", xml, "--niveles", niv], check=True)
                with open(xml, "rb") as a, open(niv, "rb") as b:
                    salidas.append((a.read(), b.read()))
            self.assertEqual(salidas[0], salidas[1])
            self.assertEqual(salidas[0][0], generar(*self.ARGS))

    def test_otra_semilla_da_otros_datos(self):
        otra = ["--seed", 8, *self.ARGS[2:]]
        self.assertNotEqual(generar(*self.ARGS), generar(*otra))


class Estructura(unittest.TestCase):
    # empleados, unidades, cursos, materias, dependencias, tramos
    CASOS = [
        (0, 0, 1, 0, 0, 1),          # empty lists still carry their block
        (3, 2, 1, 5, 1, 1),          # one course holds every subject and unit
        (10, 30, 25, 100, 3, 12),    # more courses than kinds of studies; a full day
        (60, 25, 12, 300, 20, 6),    # the sample's sizes
        (5, 3, 2, 90, 2, 6),         # a course with more subjects than it knows by name
    ]

    def test_bloques_y_cuentas(self):
        for caso in self.CASOS:
            with self.subTest(caso=caso):
                pedido = dict(zip(["empleados", "unidades", "cursos", "materias",
                                   "dependencias", "tramos"], caso))
                datos = generar("--seed", 3, *tamanos(*caso))
                porSeq, orden = bloques(datos)
                self.assertEqual(orden, BLOQUES)
                for seq, opcion in OPCION_DE_BLOQUE.items():
                    regs = porSeq[seq].findall("grupo_datos")
                    self.assertEqual(len(regs), pedido[opcion], seq)
                    self.assertEqual(porSeq[seq].get("registros"), str(pedido[opcion]), seq)
                    for r in regs:  # a record with fewer than two values would be skipped
                        self.assertGreaterEqual(len(r.findall("dato")), len(NOMBRES_DATO[seq]))
                anno = porSeq["ANNO_ACADEMICO"]
                self.assertEqual(anno.findall("grupo_datos"), [])
                self.assertIsNone(anno.get("registros"))

    def test_cabecera_como_la_de_seneca(self):
        datos = generar("--seed", 5)
        self.assertTrue(datos.startswith(b'<?xml version="1.0" encoding="ISO-8859-1"?>\n'
                                         b'<SERVICIO modulo="HORARIOS" tipo="E" autor="SENECA" '
                                         b'fecha="'))
        raiz = ET.fromstring(datos)
        self.assertRegex(raiz.get("fecha"), r"^\d\d/\d\d/\d{4} \d\d:\d\d:\d\d$")

    def test_tamanos_imposibles_se_rechazan(self):
        for opciones in (["--tramos", 13], ["--empleados", -1], ["--cursos", 0]):
            with self.subTest(opciones=opciones):
                r = subprocess.run([sys.executable, GENERADOR, *map(str, opciones)],
                                   capture_output=True)
                self.assertEqual(r.returncode, 2)
                self.assertIn(b"generar_seneca.py: error", r.stderr)


class Posiciones(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.crudo = generar("--seed", 11, *tamanos(400, 40, 16, 500, 30, 12))
        cls.b, _ = bloques(cls.crudo)

    def test_nombres_de_dato_en_su_posicion(self):
        for seq, nombres in NOMBRES_DATO.items():
            with self.subTest(bloque=seq):
                bloque = self.b[seq]
                lista = [[(d.get("nombre_dato"), d.text) for d in bloque.findall("dato")]] \
                    if seq == "ANNO_ACADEMICO" else registros(bloque)
                self.assertTrue(lista)
                for r in lista:
                    self.assertEqual([n for n, _ in r][:len(nombres)], nombres)

    def test_claves_numericas_y_unicas(self):
        casos = [("CURSOS_DEL_CENTRO", 0, 5, 6), ("MATERIAS", 1, 5, 8),
                 ("DEPENDENCIAS", 0, 1, 10), ("TRAMOS_HORARIOS", 0, 1, 10),
                 ("UNIDADES", 0, 1, 10), ("EMPLEADOS", 0, 1, 10), ("ACTIVIDADES", 1, 1, 10)]
        for seq, pos, minimo, maximo in casos:
            with self.subTest(bloque=seq):
                claves = [v[pos] for v in valores(self.b[seq])]
                self.assertEqual(len(set(claves)), len(claves))
                for c in claves:
                    self.assertRegex(c, CLAVE)
                    self.assertTrue(minimo <= len(c) <= maximo, c)

    def test_materias_y_unidades_apuntan_a_cursos_del_centro(self):
        cursos = {v[0] for v in valores(self.b["CURSOS_DEL_CENTRO"])}
        materias = valores(self.b["MATERIAS"])
        self.assertTrue({m[0] for m in materias} <= cursos)
        self.assertTrue({u[2] for u in valores(self.b["UNIDADES"])} <= cursos)
        for m in materias:
            self.assertTrue(m[2].strip())
            self.assertRegex(m[3], r"^[1-9]$")

    def test_materias_repetidas_por_curso_y_nombres_del_catalogo(self):
        cursos_de = {}
        for m in valores(self.b["MATERIAS"]):
            cursos_de.setdefault(m[2], set()).add(m[0])
        self.assertIn("Lengua Castellana y Literatura", cursos_de)
        self.assertGreater(len(cursos_de["Lengua Castellana y Literatura"]), 2)
        conocidos = catalogo()
        dentro = [n for n in cursos_de if n in conocidos]
        fuera = [n for n in cursos_de if n not in conocidos]
        self.assertGreater(len(dentro), 40)
        self.assertGreater(len(fuera), 5)

    def test_primera_actividad_es_docencia(self):
        primera = valores(self.b["ACTIVIDADES"])[0]
        self.assertEqual(primera[1:3], ["1", "Docencia"])

    def test_tramos_en_minutos_sin_solaparse(self):
        anterior = -1
        for t in valores(self.b["TRAMOS_HORARIOS"]):
            inicio, fin = int(t[2]), int(t[3])
            self.assertEqual([t[2], t[3]], [str(inicio), str(fin)])
            self.assertTrue(anterior <= inicio < fin < 24 * 60, t)
            anterior = fin

    def test_fechas_del_curso(self):
        anno = [d.text for d in self.b["ANNO_ACADEMICO"].findall("dato")]
        self.assertEqual(anno[0], "2024")
        for f in anno[1:]:
            self.assertRegex(f, FECHA)
        jornada = valores(self.b["JORNADAS_ESCOLARES"])
        self.assertEqual(len(jornada), 1)
        self.assertEqual(jornada[0][2:4], anno[1:3])

    def test_empleados_con_nombre_en_tres_partes(self):
        emp = valores(self.b["EMPLEADOS"])
        for e in emp:
            self.assertRegex(e[1], FECHA)
            self.assertTrue(e[2] and e[3] and e[5], e)
        sin_segundo = [e for e in emp if e[4] == ""]
        self.assertTrue(sin_segundo, "ningún empleado sin segundo apellido")
        # Empty values are written with both tags, as Séneca does.
        self.assertIn(b'<dato nombre_dato="APELLIDO2"></dato>', self.crudo)
        self.assertNotIn(b"/>", self.crudo)


class Codificacion(unittest.TestCase):
    ARGS = ["--seed", 4, *tamanos(30, 10, 6, 80, 8, 6)]

    def test_iso_8859_1_por_omision(self):
        datos = generar(*self.ARGS)
        self.assertIn("Educación".encode("iso-8859-1"), datos)
        self.assertNotIn("Educación".encode("utf-8"), datos)
        self.assertIn("1º".encode("iso-8859-1"), datos)

    def test_otras_codificaciones_y_forma_compacta_dicen_lo_mismo(self):
        base, _ = bloques(generar(*self.ARGS))
        esperado = {seq: registros(b) for seq, b in base.items()}
        for extra in (["--codificacion", "UTF-8"], ["--codificacion", "windows-1252"],
                      ["--compacto"]):
            with self.subTest(extra=extra):
                datos = generar(*self.ARGS, *extra)
                cod = extra[1] if extra[0] == "--codificacion" else "ISO-8859-1"
                self.assertTrue(datos.startswith(f'<?xml version="1.0" encoding="{cod}"?>'
                                                 .encode()))
                otro, _ = bloques(datos)
                self.assertEqual({seq: registros(b) for seq, b in otro.items()}, esperado)
                if extra == ["--compacto"]:
                    self.assertEqual(datos.count(b"\n"), 1)


class Ejemplo(unittest.TestCase):
    XML = os.path.join(DATOS, "seneca-ejemplo.xml")
    NIVELES = os.path.join(DATOS, "niveles-ejemplo.csv")

    def test_es_la_salida_del_generador(self):
        with tempfile.TemporaryDirectory() as d:
            xml, niv = os.path.join(d, "e.xml"), os.path.join(d, "n.csv")
            subprocess.run([sys.executable, GENERADOR, "--preset", "ejemplo", "--salida", xml,
                            "--niveles", niv], check=True)
            for nuevo, guardado in ((xml, self.XML), (niv, self.NIVELES)):
                with open(nuevo, "rb") as a, open(guardado, "rb") as b:
                    self.assertEqual(a.read(), b.read(), guardado)

    def test_tamano_de_un_instituto_mediano(self):
        with open(self.XML, "rb") as f:
            b, _ = bloques(f.read())
        cuentas = {seq: len(b[seq].findall("grupo_datos")) for seq in OPCION_DE_BLOQUE}
        self.assertEqual(cuentas, {"CURSOS_DEL_CENTRO": 12, "MATERIAS": 300, "DEPENDENCIAS": 20,
                                   "TRAMOS_HORARIOS": 6, "UNIDADES": 25, "EMPLEADOS": 60})

    def test_cada_curso_tiene_nivel_y_curso(self):
        with open(self.XML, "rb") as f:
            b, _ = bloques(f.read())
        claves = [v[0] for v in valores(b["CURSOS_DEL_CENTRO"])]
        with open(self.NIVELES, encoding="utf-8", newline="") as f:
            lineas = f.read().split("\n")
        self.assertEqual(lineas[0], "CLAVE;NIVEL;CURSO")
        self.assertEqual(lineas[-1], "")
        filas = [linea.split(";") for linea in lineas[1:-1]]
        self.assertEqual([f[0] for f in filas], claves)
        for clave, nivel, curso in filas:
            self.assertTrue(1 <= len(nivel) <= 5 and nivel.isupper(), nivel)
            self.assertRegex(curso, r"^[1-4]$")


class Provincia(unittest.TestCase):
    def test_un_fichero_de_provincia_en_pocos_segundos(self):
        with tempfile.TemporaryDirectory() as d:
            xml, niv = os.path.join(d, "p.xml"), os.path.join(d, "p.csv")
            antes = time.monotonic()
            subprocess.run([sys.executable, GENERADOR, "--preset", "provincia", "--salida", xml,
                            "--niveles", niv], check=True)
            segundos = time.monotonic() - antes
            # Generous for a loaded machine; on a quiet one it takes about a second.
            self.assertLess(segundos, 30)
            self.assertLess(os.path.getsize(xml), 256 * 1024 * 1024)
            with open(xml, "rb") as f:
                b, _ = bloques(f.read())
            cuentas = {seq: len(b[seq].findall("grupo_datos")) for seq in OPCION_DE_BLOQUE}
            self.assertEqual(cuentas, {"CURSOS_DEL_CENTRO": 900, "MATERIAS": 40000,
                                       "DEPENDENCIAS": 900, "TRAMOS_HORARIOS": 12,
                                       "UNIDADES": 1500, "EMPLEADOS": 2000})
            with open(niv, encoding="utf-8") as f:
                self.assertEqual(len(f.read().splitlines()), 901)


if __name__ == "__main__":
    unittest.main()
