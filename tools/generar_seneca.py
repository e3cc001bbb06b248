#!/usr/bin/python3
"""Writes invented Séneca exchange files (module HORARIOS) for trying and measuring Belvaro.

Every name, key and date is made up from a seed: the same options and seed always
give the same bytes. Values sit in each record in the order the export reads them.
Standard library only; run it with /usr/bin/python3.

Examples:
  tools/generar_seneca.py --preset ejemplo --salida data/seneca-ejemplo.xml \\
      --niveles data/niveles-ejemplo.csv
  tools/generar_seneca.py --preset provincia --salida /tmp/provincia.xml
  tools/generar_seneca.py --seed 7 --empleados 10 --unidades 4 --cursos 2 \\
      --materias 20 --dependencias 5 --tramos 6 --salida pequeno.xml
"""

import argparse
import heapq
import random
import sys
from typing import NamedTuple
from xml.sax.saxutils import escape, quoteattr

# Sizes of the presets: staff, units, courses, subject records, rooms, slots.
PRESETS = {
    # a mid-sized secondary school: the sample in data/
    "ejemplo": dict(seed=2024, empleados=60, unidades=25, cursos=12, materias=300,
                    dependencias=20, tramos=6),
    # every school of a province in one file: the benchmark's input
    "provincia": dict(seed=1, empleados=2000, unidades=1500, cursos=900, materias=40000,
                      dependencias=900, tramos=12),
}
CODIFICACIONES = ("ISO-8859-1", "UTF-8", "windows-1252")



class Curso(NamedTuple):
    """A course a school may offer."""
    estudios: str    # name of the studies, as Séneca writes it
    etiqueta: str    # start of its units' names
    nivel: str       # level and year for the levels file
    curso: str
    peso: int        # how many units it tends to have, relative to the others
    materias: list   # the subjects Séneca lists for it, most known to the catalogue


ESO_COMUNES = ["Lengua Castellana y Literatura", "Matemáticas", "Geografía e Historia",
               "Primera Lengua Extranjera (Inglés)", "Educación Física", "Tutoría",
               "Religión Católica", "Atención Educativa"]
BACH1_COMUNES = ["Lengua Castellana y Literatura I", "Primera Lengua Extranjera I (Inglés)",
                 "Filosofía", "Educación Física", "Religión Católica", "Atención Educativa",
                 "Segunda Lengua Extranjera I (Francés)"]
BACH2_COMUNES = ["Lengua Castellana y Literatura II", "Primera Lengua Extranjera II (Inglés)",
                 "Historia de España", "Historia de la Filosofía",
                 "Segunda Lengua Extranjera II (Francés)", "Religión Católica"]
CURSOS = [
    Curso("1º de Educación Secundaria Obligatoria", "1º ESO", "ESO", "1", 3, ESO_COMUNES + [
        "Biología y Geología", "Música", "Educación Plástica, Visual y Audiovisual",
        "Segunda Lengua Extranjera (Francés)", "Computación y Robótica", "Oratoria y Debate",
        "Refuerzo de Lengua Castellana", "Refuerzo de Matemáticas", "Refuerzo de Inglés",
        "Religión Evangélica", "Religión Islámica", "Taller de Lectura y Escritura"]),
    Curso("2º de Educación Secundaria Obligatoria", "2º ESO", "ESO", "2", 3, ESO_COMUNES + [
        "Física y Química", "Tecnología y Digitalización", "Música",
        "Educación Plástica, Visual y Audiovisual", "Segunda Lengua Extranjera (Francés)",
        "Cultura Clásica", "Cambios Sociales y Género", "Computación y Robótica",
        "Refuerzo de Matemáticas", "Ámbito Científico-Tecnológico",
        "Ámbito Lingüístico y Social", "Ajedrez Educativo"]),
    Curso("3º de Educación Secundaria Obligatoria", "3º ESO", "ESO", "3", 3, ESO_COMUNES + [
        "Biología y Geología", "Física y Química", "Tecnología y Digitalización",
        "Educación en Valores Cívicos y Éticos", "Segunda Lengua Extranjera (Francés)",
        "Cultura Clásica", "Computación y Robótica", "Oratoria y Debate",
        "Ámbito Científico-Tecnológico", "Ámbito Lingüístico y Social", "Ámbito Práctico",
        "Proyecto de Investigación en Ciencias"]),
    Curso("4º de Educación Secundaria Obligatoria", "4º ESO", "ESO", "4", 3, ESO_COMUNES + [
        "Matemáticas A", "Matemáticas B", "Biología y Geología", "Física y Química",
        "Latín", "Economía y Emprendimiento", "Digitalización", "Tecnología",
        "Formación y Orientación Personal y Profesional", "Expresión Artística", "Filosofía",
        "Segunda Lengua Extranjera (Francés)", "Música", "Proyecto Interdisciplinar"]),
    Curso("1º de Bachillerato (Ciencias y Tecnología)", "1º BCT", "BCT", "1", 2, BACH1_COMUNES + [
        "Matemáticas I", "Física y Química", "Dibujo Técnico I",
        "Biología, Geología y Ciencias Ambientales", "Tecnología e Ingeniería I",
        "Anatomía Aplicada", "Tecnologías de la Información y la Comunicación I",
        "Prácticas de Laboratorio"]),
    Curso("2º de Bachillerato (Ciencias y Tecnología)", "2º BCT", "BCT", "2", 2, BACH2_COMUNES + [
        "Matemáticas II", "Física", "Química", "Biología", "Dibujo Técnico II",
        "Geología y Ciencias Ambientales", "Tecnología e Ingeniería II", "Psicología",
        "Tecnologías de la Información y la Comunicación II", "Ampliación de Matemáticas"]),
    Curso("1º de Bachillerato (Humanidades y Ciencias Sociales)", "1º BHC", "BHC", "1", 2,
     BACH1_COMUNES + [
         "Matemáticas Aplicadas a las Ciencias Sociales I", "Latín I", "Griego I", "Economía",
         "Historia del Mundo Contemporáneo", "Literatura Universal",
         "Tecnologías de la Información y la Comunicación I", "Patrimonio Cultural de Andalucía"]),
    Curso("2º de Bachillerato (Humanidades y Ciencias Sociales)", "2º BHC", "BHC", "2", 2,
     BACH2_COMUNES + [
         "Matemáticas Aplicadas a las Ciencias Sociales II", "Latín II", "Griego II",
         "Geografía", "Historia del Arte", "Empresa y Diseño de Modelos de Negocio",
         "Psicología", "Fundamentos de Administración y Gestión", "Comentario de Textos"]),
    Curso("1º F.P.I.G.M. (Sistemas Microinformáticos y Redes)", "1º SMR", "SMR", "1", 1, [
        "Montaje y mantenimiento de equipos", "Sistemas operativos monopuesto",
        "Aplicaciones ofimáticas", "Redes locales", "Formación y orientación laboral",
        "Inglés", "Digitalización aplicada a los sectores productivos",
        "Itinerario personal para la empleabilidad I",
        "Sostenibilidad aplicada al sistema productivo", "Tutoría"]),
    Curso("2º F.P.I.G.M. (Sistemas Microinformáticos y Redes)", "2º SMR", "SMR", "2", 1, [
        "Sistemas operativos en red", "Seguridad informática", "Servicios en red",
        "Aplicaciones web", "Empresa e iniciativa emprendedora",
        "Formación en centros de trabajo", "Horas de libre configuración", "Tutoría"]),
    Curso("1º F.P.I.G.M. (Gestión Administrativa)", "1º GAD", "GAD", "1", 1, [
        "Comunicación empresarial y atención al cliente",
        "Operaciones administrativas de compraventa", "Empresa y Administración",
        "Tratamiento informático de la información", "Técnica contable",
        "Formación y orientación laboral", "Inglés", "Tutoría"]),
    Curso("2º F.P.I.G.M. (Gestión Administrativa)", "2º GAD", "GAD", "2", 1, [
        "Operaciones administrativas de recursos humanos",
        "Tratamiento de la documentación contable",
        "Operaciones auxiliares de gestión de tesorería", "Empresa en el aula",
        "Empresa e iniciativa emprendedora", "Formación en centros de trabajo",
        "Horas de libre configuración", "Tutoría"]),
    Curso("1º de Bachillerato (Artes)", "1º BAR", "BAR", "1", 1, BACH1_COMUNES + [
        "Dibujo Artístico I", "Volumen I", "Cultura Audiovisual", "Proyectos Artísticos",
        "Análisis Musical I", "Artes Escénicas y Danza", "Fotografía"]),
    Curso("1º de Bachillerato (General)", "1º BGE", "BGE", "1", 1, BACH1_COMUNES + [
        "Matemáticas Generales", "Ciencias Generales", "Economía",
        "Movimientos Culturales y Artísticos", "Emprendimiento y Actividad Empresarial"]),
    Curso("1º F.P.I.G.S. (Desarrollo de Aplicaciones Web)", "1º DAW", "DAW", "1", 1, [
        "Sistemas informáticos", "Bases de datos", "Programación",
        "Lenguajes de marcas y sistemas de gestión de información", "Entornos de desarrollo",
        "Formación y orientación laboral", "Itinerario personal para la empleabilidad I"]),
    Curso("2º F.P.I.G.S. (Desarrollo de Aplicaciones Web)", "2º DAW", "DAW", "2", 1, [
        "Desarrollo web en entorno cliente", "Desarrollo web en entorno servidor",
        "Despliegue de aplicaciones web", "Diseño de interfaces web",
        "Proyecto de desarrollo de aplicaciones web", "Empresa e iniciativa emprendedora",
        "Formación en centros de trabajo", "Horas de libre configuración"]),
    Curso("2º F.P.I.G.S. (Desarrollo de Aplicaciones Multiplataforma)", "2º DAM", "DAM", "2", 1, [
        "Acceso a datos", "Programación multimedia y dispositivos móviles",
        "Desarrollo de interfaces", "Programación de servicios y procesos",
        "Sistemas de gestión empresarial",
        "Proyecto de desarrollo de aplicaciones multiplataforma",
        "Formación en centros de trabajo"]),
    Curso("1º F.P.I.G.S. (Administración de Sistemas Informáticos en Red)", "1º ASIR", "ASIR", "1",
     1, [
         "Implantación de sistemas operativos", "Planificación y administración de redes",
         "Fundamentos de hardware", "Gestión de bases de datos",
         "Lenguajes de marcas y sistemas de gestión de información",
         "Formación y orientación laboral"]),
    Curso("1º F.P. Básica (Informática y Comunicaciones)", "1º FPB", "FPB", "1", 1, [
        "Ciencias Aplicadas I", "Comunicación y Sociedad I",
        "Montaje y mantenimiento de sistemas y componentes informáticos",
        "Operaciones auxiliares para la configuración y la explotación", "Tutoría"]),
    Curso("2º F.P. Básica (Informática y Comunicaciones)", "2º FPB", "FPB", "2", 1, [
        "Ciencias Aplicadas II", "Comunicación y Sociedad II",
        "Equipos eléctricos y electrónicos",
        "Instalación y mantenimiento de redes para transmisión de datos",
        "Formación en centros de trabajo", "Tutoría"]),
]
# Options that any course may add once its own list is used up.
OPTATIVAS = ["Taller de Teatro", "Taller de Radio Escolar", "Huerto Escolar",
             "Programación de Videojuegos", "Club de Debate", "Taller de Cómic",
             "Astronomía Básica", "Cocina y Nutrición", "Primeros Auxilios",
             "Mediación Escolar", "Ajedrez Educativo", "Taller de Fotografía Digital",
             "Patrimonio Cultural de Andalucía", "Lengua de Signos Española",
             "Educación Vial", "Escritura Creativa"]

ACTIVIDADES = [  # key, name; key 1 is teaching, as in Séneca
    ("1", "Docencia"), ("2", "Guardia"), ("3", "Guardia de Recreo"),
    ("5", "Reunión de Departamento"), ("6", "Reunión de Equipo Educativo"),
    ("8", "Tutoría de atención a las familias"), ("9", "Tutoría de atención personalizada al alumnado"),
    ("11", "Organización y funcionamiento de la biblioteca"),
    ("14", "Coordinación del Plan de Igualdad"), ("17", "Función directiva"),
    ("18", "Jefatura de Departamento"), ("21", "Reducción por mayor de 55 años"),
    ("24", "Actividades extraescolares y complementarias"),
    ("27", "Coordinación de la transformación digital"), ("30", "Programa de refuerzo"),
]

AULAS_ESPECIALES = ["Laboratorio de Biología y Geología", "Laboratorio de Física y Química",
                    "Aula de Informática 1", "Aula de Informática 2", "Taller de Tecnología",
                    "Aula de Música", "Aula de Plástica", "Gimnasio", "Pista Polideportiva",
                    "Biblioteca", "Salón de Actos", "Aula de Apoyo a la Integración",
                    "Departamento de Orientación", "Aula de Convivencia"]

NOMBRES = ["María", "José", "Antonio", "Manuel", "Carmen", "Josefa", "Ángela", "Álvaro",
           "Inmaculada", "Rocío", "Jesús", "Ramón", "Lucía", "Sofía", "Iñaki", "Begoña",
           "Óscar", "Raúl", "Mónica", "Verónica", "Andrés", "Tomás", "Nuria", "Concepción",
           "José Manuel", "María del Carmen", "Juan Antonio", "María Dolores", "Francisco Javier",
           "Ana Belén", "Rafael", "Encarnación", "Joaquín", "Elena", "Adrián", "Noemí",
           "Matías", "Pilar", "Sebastián", "Remedios", "Fátima", "Héctor", "Macarena",
           "Nicolás", "Montserrat", "Esteban", "Araceli", "Ginés", "Zoe", "Íñigo"]
APELLIDOS = ["Peña", "Muñoz", "Ibáñez", "García", "Fernández", "Núñez", "Gómez", "Martín",
             "Jiménez", "Sánchez", "Rodríguez", "López", "Pérez", "Romero", "Álvarez", "Ortiz",
             "Castaño", "Cortés", "Domínguez", "Vázquez", "Márquez", "Benítez", "Gutiérrez",
             "Hernández", "Díaz", "Ruiz", "Moreno", "Navarro", "Ramírez", "Serrano", "Molina",
             "Morales", "Suárez", "Ortega", "Delgado", "Castro", "Rubio", "Marín", "Sanz",
             "Iglesias", "Medina", "Garrido", "Santos", "Castillo", "Cano", "Prieto", "Méndez",
             "Calvo", "Cruz", "Gallego", "Vidal", "León", "Herrera", "Peñalver", "Montaño",
             "Ordóñez", "Carmona", "Espinosa", "Velázquez", "Aragón", "Calderón", "Barroso",
             "Saldaña", "Cañete", "Quirós", "Galán", "Zúñiga", "Ybarra", "Lozano", "Bermúdez"]
ESPECIALIDADES = [
    "Lengua Castellana y Literatura (P.E.S.)", "Matemáticas (P.E.S.)",
    "Geografía e Historia (P.E.S.)", "Biología y Geología (P.E.S.)",
    "Física y Química (P.E.S.)", "Inglés (P.E.S.)", "Francés (P.E.S.)",
    "Educación Física (P.E.S.)", "Música (P.E.S.)", "Dibujo (P.E.S.)",
    "Tecnología (P.E.S.)", "Filosofía (P.E.S.)", "Latín (P.E.S.)", "Economía (P.E.S.)",
    "Orientación Educativa (P.E.S.)", "Informática (P.E.S.)",
    "Sistemas y Aplicaciones Informáticas (P.T.F.P.)",
    "Procesos de Gestión Administrativa (P.T.F.P.)", "Administración de Empresas (P.E.S.)",
    "Pedagogía Terapéutica (Maestros)", "Religión Católica (Secundaria)",
]


def fecha(dia, mes, anno):
    return f"{dia:02d}/{mes:02d}/{anno:04d}"


def claves(rnd, cuantas, desde, hasta):
    """`cuantas` different numeric keys between desde and hasta, in random order."""
    if cuantas > hasta - desde:
        raise SystemExit(f"generar_seneca: no caben {cuantas} claves distintas de "
                         f"{len(str(hasta - 1))} cifras")
    return [str(n) for n in rnd.sample(range(desde, hasta), cuantas)]


def reparto(total, pesos):
    """Shares `total` among the weights: each gets one before any gets two, then the
    rest goes to whoever is furthest below its share. Deterministic."""
    cuenta = [0] * len(pesos)
    for i in range(min(total, len(pesos))):
        cuenta[i] = 1
    monton = [(1 / p, i) for i, p in enumerate(pesos)]
    heapq.heapify(monton)
    for _ in range(total - min(total, len(pesos))):
        _, i = heapq.heappop(monton)
        cuenta[i] += 1
        heapq.heappush(monton, ((cuenta[i]) / pesos[i], i))
    return cuenta


def letra_unidad(n):
    """A, B, ... Z, then AA, AB ..."""
    texto = ""
    n += 1
    while n:
        n, resto = divmod(n - 1, 26)
        texto = chr(ord("A") + resto) + texto
    return texto


class Documento:
    """The text of the exchange file, built line by line."""

    def __init__(self, compacto):
        self.lineas = []
        self.compacto = compacto

    def linea(self, nivel, texto):
        self.lineas.append(texto if self.compacto else "  " * nivel + texto)

    def datos(self, nivel, pares):
        for nombre, valor in pares:
            self.linea(nivel, f'<dato nombre_dato="{nombre}">{escape(valor)}</dato>')

    def bloque_directo(self, seq, pares):
        self.linea(2, f'<grupo_datos seq="{seq}">')
        self.datos(3, pares)
        self.linea(2, "</grupo_datos>")

    def bloque_lista(self, seq, registros):
        self.linea(2, f'<grupo_datos seq="{seq}" registros="{len(registros)}">')
        for i, pares in enumerate(registros, 1):
            self.linea(3, f'<grupo_datos seq="ID_{i}">')
            self.datos(4, pares)
            self.linea(3, "</grupo_datos>")
        self.linea(2, "</grupo_datos>")

    def texto(self):
        return ("" if self.compacto else "\n").join(self.lineas) + "\n"


class Generador:
    def __init__(self, opciones):
        self.o = opciones
        self.rnd = random.Random(opciones.seed)
        self.anno = opciones.anno

    def cursos(self):
        """(key, template) for each course of the file."""
        plantillas = [CURSOS[i % len(CURSOS)] for i in range(self.o.cursos)]
        return list(zip(claves(self.rnd, self.o.cursos, 10000, 1000000), plantillas))

    def materias(self, cursos):
        """Subject records: each course lists its own subjects first, then options,
        then numbered free-configuration hours, until its share is reached."""
        cuantas = reparto(self.o.materias, [1] * len(cursos))
        llaves = iter(claves(self.rnd, self.o.materias, 100000, 10000000))
        registros = []
        for (clave, plantilla), n in zip(cursos, cuantas):
            optativas = OPTATIVAS[:]
            self.rnd.shuffle(optativas)
            nombres = plantilla.materias + [o for o in optativas if o not in plantilla.materias]
            nombres += [f"Libre Configuración {k}" for k in range(1, n - len(nombres) + 1)]
            for nombre in nombres[:n]:
                horas = str(self.rnd.choice((1, 2, 2, 3, 3, 4, 4, 5)))
                registros.append([("X_OFERTAMATRIG", clave), ("X_MATERIAOMG", next(llaves)),
                                  ("D_MATERIAC", nombre), ("N_HORAS", horas)])
        return registros

    def unidades(self, cursos):
        pesos = [plantilla.peso for _, plantilla in cursos]
        cuantas = reparto(self.o.unidades, pesos)
        llaves = iter(claves(self.rnd, self.o.unidades, 100000, 1000000))
        registros = []
        for (clave, plantilla), n in zip(cursos, cuantas):
            for k in range(n):
                registros.append([("X_UNIDAD", next(llaves)),
                                  ("T_NOMBRE", f"{plantilla.etiqueta} {letra_unidad(k)}"),
                                  ("X_OFERTAMATRIG", clave),
                                  ("N_ALUMNOS", str(self.rnd.randint(14, 32)))])
        return registros

    def empleados(self):
        llaves = claves(self.rnd, self.o.empleados, 100000, 10000000)
        registros = []
        for clave in llaves:
            apellido2 = "" if self.rnd.random() < 0.03 else self.rnd.choice(APELLIDOS)
            toma = fecha(1, 9, self.anno)
            if self.rnd.random() > 0.7:  # substitutes who joined during the year
                mes = self.rnd.choice((9, 10, 11, 12, 1, 2, 3, 4, 5))
                toma = fecha(self.rnd.randint(2, 28), mes, self.anno + (mes < 9))
            registros.append([("X_EMPLEADO", clave), ("F_TOMAPOS", toma),
                              ("D_PUESTO", self.rnd.choice(ESPECIALIDADES)),
                              ("APELLIDO1", self.rnd.choice(APELLIDOS)),
                              ("APELLIDO2", apellido2),
                              ("NOMBRE", self.rnd.choice(NOMBRES))])
        return registros

    def dependencias(self):
        llaves = claves(self.rnd, self.o.dependencias, 100000, 10000000)
        nombres, aulas = [], 0
        for i in range(self.o.dependencias):
            if i % 4 == 3 and i // 4 < len(AULAS_ESPECIALES):
                nombres.append(AULAS_ESPECIALES[i // 4])
            else:  # ordinary classrooms, eight to a floor
                nombres.append(f"Aula {aulas // 8}.{aulas % 8 + 1:02d}")
                aulas += 1
        return [[("X_DEPENDENCIA", k), ("D_DEPENDENCIA", n)] for k, n in zip(llaves, nombres)]

    def tramos(self, jornada):
        """Teaching slots of one day: hours of 60 minutes from a morning start, a
        30-minute break after every third, and the afternoon from 16:00."""
        inicio = self.rnd.choice((480, 495, 500, 505, 510))
        llaves = claves(self.rnd, self.o.tramos, 100000, 1000000)
        registros = []
        for i, clave in enumerate(llaves):
            if i == 6:
                inicio = max(inicio, 960)
            fin = inicio + 60
            if fin >= 24 * 60:
                raise SystemExit(f"generar_seneca: {self.o.tramos} tramos no caben en un día")
            registros.append([("X_TRAMO", clave), ("T_HORCEN", f"{i + 1}ª hora"),
                              ("N_INICIO", str(inicio)), ("N_FIN", str(fin)),
                              ("X_PLAJORESCCEN", jornada)])
            inicio = fin + (30 if i % 3 == 2 else 0)
        return registros

    def escribir(self):
        o, anno = self.o, self.anno
        cursos = self.cursos()
        doc = Documento(o.compacto)
        marca = (f"{self.rnd.randint(1, 28):02d}/09/{anno} "
                 f"{self.rnd.randint(8, 14):02d}:{self.rnd.randint(0, 59):02d}:"
                 f"{self.rnd.randint(0, 59):02d}")
        doc.linea(0, f'<?xml version="1.0" encoding="{o.codificacion}"?>')
        doc.linea(0, f'<SERVICIO modulo="HORARIOS" tipo="E" autor="SENECA" fecha={quoteattr(marca)}>')
        doc.linea(1, "<BLOQUE_DATOS>")
        inicio, final = fecha(15, 9, anno), fecha(22, 6, anno + 1)
        doc.bloque_directo("ANNO_ACADEMICO", [("C_ANNO", str(anno)), ("F_INIHORREG", inicio),
                                              ("F_FINHORREG", final)])
        doc.bloque_lista("CURSOS_DEL_CENTRO", [[("X_OFERTAMATRIG", clave),
                                                ("D_OFERTAMATRIG", plantilla.estudios)]
                                               for clave, plantilla in cursos])
        doc.bloque_lista("MATERIAS", self.materias(cursos))
        doc.bloque_lista("ACTIVIDADES", [[("L_REGULAR", "S"), ("X_ACTIVIDAD", clave),
                                          ("D_ACTIVIDAD", nombre),
                                          ("L_REQUNIDAD", "S" if clave == "1" else "N"),
                                          ("L_REQMATERIA", "S" if clave == "1" else "N")]
                                         for clave, nombre in ACTIVIDADES])
        doc.bloque_lista("DEPENDENCIAS", self.dependencias())
        jornada = str(self.rnd.randint(1000, 99999))
        doc.bloque_lista("JORNADAS_ESCOLARES", [[("X_PLAJORESCCEN", jornada),
                                                 ("C_NOMBRE", "Jornada de mañana"),
                                                 ("F_INIHORREG", inicio),
                                                 ("F_FINHORREG", final)]])
        doc.bloque_lista("TRAMOS_HORARIOS", self.tramos(jornada))
        doc.bloque_lista("UNIDADES", self.unidades(cursos))
        doc.bloque_lista("EMPLEADOS", self.empleados())
        doc.linea(1, "</BLOQUE_DATOS>")
        doc.linea(0, "</SERVICIO>")
        return doc.texto(), cursos


def niveles(cursos):
    """The levels file for the export: one course per line, CLAVE;NIVEL;CURSO."""
    return "CLAVE;NIVEL;CURSO\n" + "".join(
        f"{clave};{plantilla.nivel};{plantilla.curso}\n" for clave, plantilla in cursos)


def opciones(argv):
    p = argparse.ArgumentParser(
        prog="generar_seneca.py",
        description="Writes an invented Séneca exchange file (module HORARIOS) with the "
                    "blocks the export reads. The same options and seed give the same bytes.",
        epilog="Explicit sizes override those of --preset. Presets: "
               + "; ".join(f"{n}: " + ", ".join(f"{k}={v}" for k, v in t.items())
                           for n, t in PRESETS.items())
               + ". Without --preset every size defaults to the 'ejemplo' one.",
        formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--preset", choices=sorted(PRESETS), default="ejemplo",
                   help="sizes and seed to start from (default: ejemplo)")
    p.add_argument("--seed", type=int, help="seed of the random choices")
    p.add_argument("--empleados", type=int, help="staff records (EMPLEADOS)")
    p.add_argument("--unidades", type=int, help="class units (UNIDADES)")
    p.add_argument("--cursos", type=int, help="courses of the school (CURSOS_DEL_CENTRO)")
    p.add_argument("--materias", type=int, help="subject records (MATERIAS), shared among the courses")
    p.add_argument("--dependencias", type=int, help="rooms (DEPENDENCIAS)")
    p.add_argument("--tramos", type=int, help="time slots of a day (TRAMOS_HORARIOS), at most 12")
    p.add_argument("--anno", type=int, default=2024, help="first calendar year of the school year (default: 2024)")
    p.add_argument("--codificacion", choices=CODIFICACIONES, default="ISO-8859-1",
                   help="encoding of the file, also named in its declaration (default: ISO-8859-1)")
    p.add_argument("--compacto", action="store_true",
                   help="no line breaks or indentation between elements")
    p.add_argument("--salida", default="-", help="file to write (default: standard output)")
    p.add_argument("--niveles", metavar="CSV",
                   help="also write the levels file for the export: CLAVE;NIVEL;CURSO, UTF-8")
    o = p.parse_args(argv)
    base = PRESETS[o.preset]
    for clave, valor in base.items():
        if getattr(o, clave) is None:
            setattr(o, clave, valor)
    for clave in ("empleados", "unidades", "cursos", "materias", "dependencias", "tramos"):
        if getattr(o, clave) < 0:
            p.error(f"--{clave} no puede ser negativo")
    if o.tramos > 12:
        p.error("--tramos: caben como mucho 12 tramos en un día")
    if o.cursos == 0 and (o.materias or o.unidades):
        p.error("sin cursos no puede haber materias ni unidades")
    return o


def main(argv=None):
    o = opciones(sys.argv[1:] if argv is None else argv)
    texto, cursos = Generador(o).escribir()
    datos = texto.encode(o.codificacion)
    if o.salida == "-":
        sys.stdout.buffer.write(datos)
    else:
        with open(o.salida, "wb") as f:
            f.write(datos)
    if o.niveles:
        with open(o.niveles, "w", encoding="utf-8", newline="\n") as f:
            f.write(niveles(cursos))


if __name__ == "__main__":
    main()
