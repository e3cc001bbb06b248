#!/usr/bin/python3
"""Checks of the subject catalogue SENEMATERIAS.DBF and of belvaro-catalogo, which
builds it, read back with dbfread (an independent dBase reader)."""

import csv
import os
import subprocess
import tempfile
import unittest

import dbfread

RAIZ = os.environ.get("BELVARO_RAIZ", os.path.join(os.path.dirname(__file__), "..", ".."))
BIN = os.environ.get("BELVARO_BIN", os.path.join(RAIZ, "build", "bin"))
PROGRAMA = os.path.join(BIN, "belvaro-catalogo")
CSV = os.path.join(RAIZ, "data", "senematerias.csv")
CABECERA = "NOMBRE;COD;CODLARGO\n"


def leer_dbf(ruta):
    tabla = dbfread.DBF(ruta, encoding="cp1252", char_decode_errors="strict")
    campos = [(c.name, c.type, c.length) for c in tabla.fields]
    filas = [(r["NOMBRE"], r["COD"], r["CODLARGO"]) for r in tabla]
    return campos, filas


def construir(carpeta, texto, nombre="cat.csv"):
    entrada = os.path.join(carpeta, nombre)
    with open(entrada, "w", encoding="utf-8", newline="") as f:
        f.write(texto)
    salida = os.path.join(carpeta, "SENEMATERIAS.DBF")
    r = subprocess.run([PROGRAMA, entrada, salida], capture_output=True, text=True)
    return r, salida


class CatalogoConstruido(unittest.TestCase):
    def test_la_tabla_junto_a_los_ejecutables_es_el_csv(self):
        with open(CSV, encoding="utf-8", newline="") as f:
            esperado = [(r["NOMBRE"], r["COD"], r["CODLARGO"])
                        for r in csv.DictReader(f, delimiter=";")]
        self.assertGreaterEqual(len(esperado), 100)
        campos, filas = leer_dbf(os.path.join(BIN, "SENEMATERIAS.DBF"))
        self.assertEqual(campos, [("NOMBRE", "C", 80), ("COD", "C", 10), ("CODLARGO", "C", 10)])
        self.assertEqual(filas, esperado)
        self.assertIn(("Educación Física", "EF", "EDFISICA"), filas)
        with open(os.path.join(BIN, "SENEMATERIAS.DBF"), "rb") as f:
            self.assertIn("Educación Física".encode("cp1252"), f.read())

    def test_csv_con_bom_crlf_lineas_vacias_y_anchos_justos(self):
        nombre80 = "Á" + "é" * 78 + "z"  # 80 characters, 160 bytes of UTF-8
        texto = ("\ufeff" + CABECERA + "Música;MUS;MUSICA\r\n\r\n" +
                 f"{nombre80};ABCDEFGHIJ;\r\n")
        with tempfile.TemporaryDirectory() as d:
            r, salida = construir(d, texto)
            self.assertEqual(r.returncode, 0, r.stderr)
            _, filas = leer_dbf(salida)
            self.assertEqual(filas, [("Música", "MUS", "MUSICA"), (nombre80, "ABCDEFGHIJ", "")])
            self.assertEqual(sorted(os.listdir(d)), ["SENEMATERIAS.DBF", "cat.csv"])


class CatalogoErroneo(unittest.TestCase):
    # text of the CSV, the line the message must name, and a piece of the message
    CASOS = [
        ("", None, "falta la cabecera"),
        ("NOMBRE,COD,CODLARGO\nMúsica,MUS,MUSICA\n", 1, "cabecera"),
        (CABECERA + "Música;MUS\n", 2, "3 valores"),
        (CABECERA + "Música;MUS;MUSICA;X\n", 2, "3 valores"),
        (CABECERA + "Música;;MUSICA\n", 2, "falta el valor de COD"),
        (CABECERA + ";MUS;MUSICA\n", 2, "falta el valor de NOMBRE"),
        (CABECERA + "Música;ABCDEFGHIJK;M\n", 2, "más de 10"),
        (CABECERA + "Música;MUS;ABCDEFGHIJK\n", 2, "más de 10"),
        (CABECERA + "M" * 81 + ";MUS;M\n", 2, "más de 80"),
        (CABECERA + "Música;MUS;M\nLatín;LAT;L\nMúsica;MU2;M\n", 4, "ya está"),
        (CABECERA + "Łacina;LAT;L\n", 2, "Windows-1252"),
        (CABECERA + "Música ;MUS;M\n", 2, "espacios"),
    ]

    def test_csv_erroneo_no_toca_la_tabla_anterior(self):
        with tempfile.TemporaryDirectory() as d:
            r, salida = construir(d, CABECERA + "Latín;LAT;LATIN\n")
            self.assertEqual(r.returncode, 0, r.stderr)
            with open(salida, "rb") as f:
                anterior = f.read()
            for texto, linea, trozo in self.CASOS:
                with self.subTest(csv=texto):
                    r, _ = construir(d, texto, "malo.csv")
                    self.assertEqual(r.returncode, 1)
                    self.assertIn("malo.csv", r.stderr)
                    self.assertIn(trozo, r.stderr)
                    if linea is not None:
                        self.assertIn(f"línea {linea}:", r.stderr)
                    with open(salida, "rb") as f:
                        self.assertEqual(f.read(), anterior)
                    self.assertEqual(sorted(os.listdir(d)),
                                     ["SENEMATERIAS.DBF", "cat.csv", "malo.csv"])

    def test_uso_y_fichero_ausente(self):
        r = subprocess.run([PROGRAMA], capture_output=True, text=True)
        self.assertEqual(r.returncode, 2)
        self.assertIn("Uso:", r.stderr)
        with tempfile.TemporaryDirectory() as d:
            r = subprocess.run([PROGRAMA, os.path.join(d, "no.csv"), os.path.join(d, "S.DBF")],
                               capture_output=True, text=True)
            self.assertEqual(r.returncode, 1)
            self.assertIn("no.csv", r.stderr)
            self.assertEqual(os.listdir(d), [])


if __name__ == "__main__":
    unittest.main()
