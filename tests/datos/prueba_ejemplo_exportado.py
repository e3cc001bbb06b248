#!/usr/bin/python3
"""The sample school through belvaro-cli exportar, as tools/demo.sh runs it: the levels
file must answer every course, and each value must land where the sample put it."""

import csv
import os
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET

import dbfread

RAIZ = os.environ.get("BELVARO_RAIZ", os.path.join(os.path.dirname(__file__), "..", ".."))
BIN = os.environ.get("BELVARO_BIN", os.path.join(RAIZ, "build", "bin"))
DATOS = os.path.join(RAIZ, "data")


def tabla(carpeta, nombre):
    return list(dbfread.DBF(os.path.join(carpeta, nombre + ".DBF"), encoding="cp1252",
                            char_decode_errors="strict"))


def bloque(raiz, seq):
    b = raiz.find(f"BLOQUE_DATOS/grupo_datos[@seq='{seq}']")
    return [[d.text or "" for d in r.findall("dato")] for r in b.findall("grupo_datos")]


class EjemploExportado(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.carpeta = tempfile.TemporaryDirectory()
        # No terminal: a course without level or year would stop the job (status 4).
        cls.r = subprocess.run(
            [os.path.join(BIN, "belvaro-cli"), "exportar",
             os.path.join(DATOS, "seneca-ejemplo.xml"), "--datos", cls.carpeta.name,
             "--niveles", os.path.join(DATOS, "niveles-ejemplo.csv")],
            stdin=subprocess.DEVNULL, capture_output=True, text=True)
        cls.xml = ET.parse(os.path.join(DATOS, "seneca-ejemplo.xml")).getroot()

    @classmethod
    def tearDownClass(cls):
        cls.carpeta.cleanup()

    def setUp(self):
        self.assertEqual(self.r.returncode, 0, self.r.stdout + self.r.stderr)

    def test_sin_preguntas_y_con_resumen(self):
        self.assertIn("Proceso finalizado", self.r.stdout)

    def test_cada_curso_con_el_nivel_del_fichero_de_niveles(self):
        with open(os.path.join(DATOS, "niveles-ejemplo.csv"), encoding="utf-8") as f:
            niveles = {r["CLAVE"]: (r["NIVEL"], r["CURSO"])
                       for r in csv.DictReader(f, delimiter=";")}
        cursos = tabla(self.carpeta.name, "CURSOST")
        self.assertEqual({c["CLAVE"]: (c["NIVEL"], c["CURSO"]) for c in cursos}, niveles)
        self.assertEqual([c["ESTUD"] for c in cursos],
                         [v[1] for v in bloque(self.xml, "CURSOS_DEL_CENTRO")])

    def test_periodo_del_anno_academico(self):
        periodos = tabla(self.carpeta.name, "PERIODOS")
        self.assertEqual([(p["CURSOANNO"], p["F_INICIO"], p["F_FIN"]) for p in periodos],
                         [("2024", "15/09/2024", "22/06/2025")])

    def test_filas_por_tabla(self):
        cuentas = {n: len(tabla(self.carpeta.name, n))
                   for n in ("ASIGNOMT2", "PROFT", "AULAT", "GRUPOST", "DIASHORAST")}
        self.assertEqual(cuentas, {"ASIGNOMT2": len(bloque(self.xml, "MATERIAS")),
                                   "PROFT": 60, "AULAT": 20, "GRUPOST": 25,
                                   "DIASHORAST": 7 * 6})

    def test_codigos_del_catalogo(self):
        with open(os.path.join(DATOS, "senematerias.csv"), encoding="utf-8") as f:
            catalogo = {r["NOMBRE"]: r["COD"] for r in csv.DictReader(f, delimiter=";")}
        materias = [m for m in tabla(self.carpeta.name, "ASIGNOMT") if not m["ESTAREA"]]
        conocidas = [m for m in materias if m["NOMBRE"] in catalogo]
        self.assertGreater(len(conocidas), 50)
        exactos = 0
        for m in conocidas:
            cod, propio = m["COD"], catalogo[m["NOMBRE"]]
            if cod == propio:
                exactos += 1
            else:  # taken before by a derived code: numbered from its base
                base = propio[:-1]
                self.assertTrue(cod.startswith(base) and cod[len(base):].isdigit(),
                                (m["NOMBRE"], cod, propio))
        self.assertGreater(exactos, 0.9 * len(conocidas))

    def test_profesores_y_grupos_con_sus_valores(self):
        empleados = bloque(self.xml, "EMPLEADOS")
        profesores = tabla(self.carpeta.name, "PROFT")
        self.assertEqual([(p["X_EMPLEADO"], p["F_TOMAPOS"]) for p in profesores],
                         [(e[0], e[1]) for e in empleados])
        self.assertEqual([p["NOMBRE"] for p in profesores],
                         [f"{e[3]} {e[4]} {e[5]}" for e in empleados])
        grupos = tabla(self.carpeta.name, "GRUPOST")
        self.assertEqual([(g["CLAVE"], g["CLAVECURSO"]) for g in grupos],
                         [(u[0], u[2]) for u in bloque(self.xml, "UNIDADES")])
        for g in grupos:
            self.assertTrue(g["ABREV"].startswith(g["NIVEL"] + g["CURSO"]), g)


if __name__ == "__main__":
    unittest.main()
