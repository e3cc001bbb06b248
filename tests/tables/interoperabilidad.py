"""Interoperability of the table engine with independent dBase implementations.

Tables written by our engine are read back with dbfread; tables written by the
python3-dbf package are read with `belvaro-cli volcar`.

    /usr/bin/python3 interoperabilidad.py TABLAS_MUESTRA BELVARO_CLI

Exit status 77 (skipped) when the interpreter lacks dbfread or dbf.
"""

import csv
import datetime
import io
import os
import subprocess
import sys
import tempfile
import unittest

try:
    import dbf
    import dbfread
except ImportError as falta:
    print(f"SKIP: {sys.executable} lacks {falta.name} (Debian: python3-dbfread, python3-dbf)")
    sys.exit(77)

MUESTRA = None
CLI = None


class NuestraTablaLeidaConDbfread(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        subprocess.run([MUESTRA, cls.dir.name], check=True)
        cls.tabla = dbfread.DBF(os.path.join(cls.dir.name, "MUESTRA.DBF"), char_decode_errors="strict")
        cls.filas = list(cls.tabla)

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_campos(self):
        campos = [(f.name, f.type, f.length, f.decimal_count) for f in self.tabla.fields]
        self.assertEqual(
            campos,
            [
                ("NOMBRE", "C", 12, 0),
                ("OFERTAMATR", "C", 20, 0),
                ("DNI", "N", 11, 0),
                ("HORAS", "N", 20, 4),
                ("ESTAREA", "L", 1, 0),
            ],
        )

    def test_cabecera(self):
        self.assertEqual(self.tabla.encoding, "cp1252")
        self.assertEqual(self.tabla.date, datetime.date.today())
        self.assertEqual(len(self.tabla), 4)
        self.assertEqual(self.tabla.header.numrecords, 4)

    def test_valores(self):
        valores = [list(f.values()) for f in self.filas]
        self.assertEqual(
            valores,
            [
                ["Educación Fí", "OF-1", 2147483647, 4.0, False],
                ["Matemáticas", "OF-2", -7, 2.5, True],
                ["  Latín", "", 0, 0.125, False],
                ["", "", None, None, None],
            ],
        )


def volcar(ruta):
    salida = subprocess.run([CLI, "volcar", ruta], check=True, capture_output=True)
    return list(csv.reader(io.StringIO(salida.stdout.decode("utf-8"), newline="")))


class TablaAjenaLeidaConVolcar(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def escribir(self, tipo, campos, filas, borrar=()):
        ruta = os.path.join(self.dir.name, f"HOST_{tipo}.DBF")
        tabla = dbf.Table(ruta, campos, codepage="cp1252", dbf_type=tipo)
        tabla.open(dbf.READ_WRITE)
        for fila in filas:
            tabla.append(fila)
        for i in borrar:
            dbf.delete(tabla[i])
        tabla.close()
        return ruta

    def test_dbase3_con_borrados(self):
        ruta = self.escribir(
            "db3",
            "CLAVE C(10); NUM N(5,0); PESO N(8,2); ACTIVO L; FECHA D",
            [
                ("Educación", 12, 3.25, True, datetime.date(2024, 1, 31)),
                ("borrado", 1, 0, False, None),
                ('a,"b"', -40, -0.5, False, None),
                ("línea", None, None, None, None),
            ],
            borrar=[1],
        )
        self.assertEqual(
            volcar(ruta),
            [
                ["CLAVE", "NUM", "PESO", "ACTIVO", "FECHA"],
                ["Educación", "12", "3.25", "T", "20240131"],
                ['a,"b"', "-40", "-0.50", "F", ""],
                ["línea", "", "", "", ""],
            ],
        )

    def test_clipper_con_flotante(self):
        ruta = self.escribir(
            "clp",
            "NOMBRE C(20); HORAS F(10,3); DIA N(2,0)",
            [("Ñandú", 1.5, 3), ("x", 0, 0)],
            borrar=[1],
        )
        self.assertEqual(volcar(ruta), [["NOMBRE", "HORAS", "DIA"], ["Ñandú", "1.500", "3"]])

    def test_visual_foxpro(self):
        # Version 0x30, 263 bytes after the descriptors, no end marker.
        ruta = self.escribir("vfp", "PROF C(10); DIA N(1,0)", [("JGL", 2), ("ÁBC", 5)])
        self.assertEqual(volcar(ruta), [["PROF", "DIA"], ["JGL", "2"], ["ÁBC", "5"]])


class VolcarSinTabla(unittest.TestCase):
    def test_errores(self):
        falta = subprocess.run([CLI, "volcar", "/nonexistent/NADA.DBF"], capture_output=True)
        self.assertEqual(falta.returncode, 1)
        self.assertIn("NADA", falta.stderr.decode("utf-8"))
        uso = subprocess.run([CLI, "volcar"], capture_output=True)
        self.assertEqual(uso.returncode, 2)
        uso = subprocess.run([CLI, "volcar", "A.DBF", "B.DBF"], capture_output=True)
        self.assertEqual(uso.returncode, 2)


if __name__ == "__main__":
    MUESTRA, CLI = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:])
