// Every bad input a user can hand belvaro-cli: the message names what is wrong, the
// exit status says the job stopped, and no byte of the data folder, the Séneca folder
// or an earlier result changes. Inputs that are odd but allowed finish the job with
// all nine tables new.

#include "seneca/XmlDocument.h"
#include "tables/Tabla.h"
#include "tests/robustez/EntradasMalas.h"
#include "tests/robustez/Escenario.h"
#include "tests/robustez/Huellas.h"
#include "tests/robustez/Proceso.h"
#include "tests/robustez/Sostenes.h"
#include "tests/support/Apoyo.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace belvaro::robustez {
namespace {

namespace fs = std::filesystem;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;

enum class Efecto {
    NadaCambia,     // refused: every file as it was
    TablasNuevas,   // export finished: the nine tables rebuilt, nothing else touched
    ResultadoNuevo, // import finished: a whole new result, nothing else touched
};

// What a case sets up before the run and holds during it.
struct Preparado {
    std::vector<std::string> orden;
    Limites limites;
    fs::path programa = ProgramaCli();
    std::shared_ptr<void> sosten; // released after the run
    std::string secreto;          // bytes that must appear in no output
    std::string omitir;           // reason to skip (the system cannot set the case up)
};

Preparado Orden(std::vector<std::string> orden) {
    Preparado p;
    p.orden = std::move(orden);
    return p;
}

struct Caso {
    std::string nombre;
    std::function<Preparado(Escenario&)> preparar;
    int salida;
    std::vector<std::string> textos; // each must be in what the user saw
    Efecto efecto = Efecto::NadaCambia;
};

std::ostream& operator<<(std::ostream& os, const Caso& caso) {
    return os << caso.nombre;
}

// The scenario's Séneca file replaced with `bytes`; an export of it.
Preparado ExportarBytes(Escenario& e, const std::string& bytes) {
    EscribirArchivo(e.Xml(), bytes);
    return Orden(e.Exportar());
}

// The small school with its levels file, changed by `cambiar`; an export of it.
Preparado ExportarColegio(Escenario& e, const std::function<void(Bloques&)>& cambiar,
                          std::vector<std::string> extra = {}) {
    Bloques bloques = ColegioPequeno();
    cambiar(bloques);
    EscribirArchivo(e.Niveles(), NivelesColegioPequeno());
    Preparado p = ExportarBytes(e, XmlDe(bloques));
    p.orden.insert(p.orden.end(), extra.begin(), extra.end());
    return p;
}

std::vector<Registro>& BloqueDe(Bloques& bloques, const std::string& seq) {
    for (auto& [nombre, registros] : bloques)
        if (nombre == seq)
            return registros;
    throw std::logic_error("no hay bloque " + seq);
}

// A table of the data folder rewritten by `cambiar`, then an import.
Preparado ImportarTrasCambiar(Escenario& e, const std::function<void(const fs::path&)>& cambiar) {
    cambiar(e.Datos());
    return Orden(e.Importar());
}

// SOLUC remade with the given fields and one row of values.
void SolucCon(const fs::path& datos, const std::vector<DefCampo>& campos,
              const std::vector<std::string>& valores) {
    fs::remove(datos / "SOLUC.DBF");
    CrearTabla(datos, "SOLUC", campos);
    Tabla soluc(datos, "SOLUC");
    soluc.Append();
    for (std::size_t i = 0; i < campos.size(); ++i)
        soluc.FieldByName(campos[i].nombre).SetAsString(valores[i]);
    soluc.Post();
}

std::vector<DefCampo> CamposSoluc(const std::string& sin = "") {
    std::vector<DefCampo> campos;
    for (const char* nombre : {"PROF", "DIA", "HORA", "ASIG", "CODGRUPO", "TAREA", "AULA"})
        if (nombre != sin)
            campos.push_back({nombre, TipoCampo::Texto, 10});
    return campos;
}

// The first teacher's abbreviation, so that the SOLUC row is read.
std::string PrimerProfesor(const fs::path& datos) {
    Tabla proft(datos, "PROFT");
    proft.First();
    return proft.FieldByName("ABREV").AsString();
}

const std::string kLargo(300, 'W');

std::vector<Caso> Casos() {
    return {
        {"xml_vacio",
         [](Escenario& e) { return ExportarBytes(e, ""); },
         1,
         {"seneca.xml", "está vacío"}},
        {"xml_basura_binaria",
         [](Escenario& e) { return ExportarBytes(e, BasuraBinaria()); },
         1,
         {"seneca.xml", "no es un XML válido"}},
        {"xml_que_no_es_seneca",
         [](Escenario& e) { return ExportarBytes(e, XmlQueNoEsSeneca()); },
         1,
         {"seneca.xml"}},
        {"xml_truncado",
         [](Escenario& e) { return ExportarBytes(e, Truncado(LeerArchivo(e.Xml()))); },
         1,
         {"seneca.xml", "no es un XML válido", "línea"}},
        {"xml_codificacion_mentirosa",
         [](Escenario& e) { return ExportarBytes(e, CodificacionFalsa()); },
         1,
         {"seneca.xml", "línea"}},
        {"xml_utf16_con_sustitutos_rotos",
         [](Escenario& e) { return ExportarBytes(e, Utf16Roto()); },
         1,
         {"seneca.xml", "no es un XML válido"}},
        {"xml_bomba_de_entidades",
         [](Escenario& e) { return ExportarBytes(e, BombaDeEntidades()); },
         1,
         {"seneca.xml"}},
        {"xml_entidad_externa_exportar",
         [](Escenario& e) {
             EscribirArchivo(e.Raiz() / "secreto.txt", "CONTRASENA-ULTRASECRETA");
             EscribirArchivo(e.Niveles(), NivelesColegioPequeno());
             Preparado p = ExportarBytes(e, EntidadExterna(e.Raiz() / "secreto.txt"));
             p.secreto = "CONTRASENA-ULTRASECRETA";
             return p;
         },
         0,
         {"Proceso finalizado"},
         Efecto::TablasNuevas},
        {"xml_entidad_externa_importar",
         [](Escenario& e) {
             EscribirArchivo(e.Raiz() / "secreto.txt", "CONTRASENA-ULTRASECRETA");
             EscribirArchivo(e.Xml(), EntidadExterna(e.Raiz() / "secreto.txt"));
             Preparado p = Orden(e.Importar());
             p.secreto = "CONTRASENA-ULTRASECRETA";
             return p;
         },
         0,
         {"Proceso finalizado"},
         Efecto::ResultadoNuevo},
        {"xml_anidado_100000",
         [](Escenario& e) { return ExportarBytes(e, Anidado(100000)); },
         1,
         {"seneca.xml"}},
        {"xml_mayor_que_el_limite",
         [](Escenario& e) {
             auto aparte = std::make_shared<prueba::CarpetaTemporal>();
             ArchivoDisperso(*aparte / "grande.xml", XmlDocument::kTamanoMaximo + 1);
             Preparado p = Orden(e.Exportar());
             p.orden[1] = (*aparte / "grande.xml").string();
             p.sosten = aparte;
             p.limites.plazo = std::chrono::seconds(20); // refused before reading
             return p;
         },
         1,
         {"grande.xml", "no se admiten archivos XML de más de"}},
        {"bloques_ausentes",
         [](Escenario& e) { return ExportarColegio(e, [](Bloques& b) { b.resize(1); }); },
         0,
         {"Proceso finalizado"},
         Efecto::TablasNuevas},
        {"bloques_vacios",
         [](Escenario& e) {
             return ExportarColegio(e, [](Bloques& b) {
                 for (std::size_t i = 1; i < b.size(); ++i)
                     b[i].second.clear();
             });
         },
         0,
         {"Proceso finalizado"},
         Efecto::TablasNuevas},
        {"registros_cortos",
         [](Escenario& e) {
             return ExportarColegio(e, [](Bloques& b) {
                 for (std::size_t i = 2; i < b.size(); ++i)
                     if (b[i].first != "TRAMOS_HORARIOS")
                         for (auto& r : b[i].second)
                             r.resize(2);
             });
         },
         0,
         {"Proceso finalizado", "Bloque MATERIAS", "les falta algún dato"},
         Efecto::TablasNuevas},
        {"tramo_con_hora_no_numerica",
         [](Escenario& e) {
             return ExportarColegio(
                 e, [](Bloques& b) { BloqueDe(b, "TRAMOS_HORARIOS")[1][2] = "9:00"; });
         },
         1,
         {"TRAMOS_HORARIOS", "T2", "9:00"}},
        {"tramo_con_hora_desbordada",
         [](Escenario& e) {
             return ExportarColegio(e, [](Bloques& b) {
                 BloqueDe(b, "TRAMOS_HORARIOS")[0][3] = "99999999999999999999";
             });
         },
         1,
         {"TRAMOS_HORARIOS", "T1", "99999999999999999999"}},
        {"valores_larguisimos_en_todos_los_campos",
         [](Escenario& e) {
             return ExportarColegio(e,
                                    [](Bloques& b) {
                                        for (auto& [seq, registros] : b)
                                            for (auto& r : registros)
                                                for (std::size_t k = 0; k < r.size(); ++k)
                                                    if (seq != "TRAMOS_HORARIOS" || k < 2)
                                                        r[k] = kLargo;
                                    },
                                    {"--forzar-salida"});
         },
         0,
         {"Proceso finalizado"},
         Efecto::TablasNuevas},
        {"niveles_mal_formados",
         [](Escenario& e) {
             EscribirArchivo(e.Niveles(), "CLAVE;NIVEL;CURSO\n502925;ESO\n");
             return Orden(e.Exportar());
         },
         1,
         {"niveles.csv", "línea 2", "CLAVE;NIVEL;CURSO"}},
        {"niveles_con_nivel_demasiado_largo",
         [](Escenario& e) {
             EscribirArchivo(e.Niveles(), "502925;SECUNDARIA;1\n");
             return Orden(e.Exportar());
         },
         1,
         {"niveles.csv", "línea 1", "NIVEL"}},
        {"niveles_inexistente",
         [](Escenario& e) {
             fs::remove(e.Niveles());
             return Orden(e.Exportar());
         },
         1,
         {"niveles.csv"}},
        {"soluc_ausente",
         [](Escenario& e) {
             return ImportarTrasCambiar(e, [](const fs::path& d) { fs::remove(d / "SOLUC.DBF"); });
         },
         1,
         {"SOLUC"}},
        {"soluc_sin_campo_aula",
         [](Escenario& e) {
             return ImportarTrasCambiar(e, [](const fs::path& d) {
                 SolucCon(d, CamposSoluc("AULA"), {PrimerProfesor(d), "1", "1", "X", "X", "X"});
             });
         },
         1,
         {"SOLUC", "AULA"}},
        {"soluc_con_texto_en_dia",
         [](Escenario& e) {
             return ImportarTrasCambiar(e, [](const fs::path& d) {
                 SolucCon(d, CamposSoluc(), {PrimerProfesor(d), "lunes", "1", "X", "X", "X", "X"});
             });
         },
         1,
         {"SOLUC", "DIA", "lunes"}},
        {"periodos_ausente",
         [](Escenario& e) {
             return ImportarTrasCambiar(e,
                                        [](const fs::path& d) { fs::remove(d / "PERIODOS.DBF"); });
         },
         5,
         {"PERIODOS.DBF No encontrado"}},
        {"dbf_truncada_al_importar",
         [](Escenario& e) {
             return ImportarTrasCambiar(e,
                                        [](const fs::path& d) { Truncar(d / "PROFT.DBF", 0.5); });
         },
         1,
         {"PROFT"}},
        {"dbf_con_cabecera_mentirosa_al_importar",
         [](Escenario& e) {
             return ImportarTrasCambiar(
                 e, [](const fs::path& d) { CabeceraMentirosa(d / "ASIGT.DBF", 100000, 40); });
         },
         1,
         {"ASIGT"}},
        {"dbf_con_longitud_de_registro_cero",
         [](Escenario& e) {
             return ImportarTrasCambiar(
                 e, [](const fs::path& d) { CabeceraMentirosa(d / "GRUPOST.DBF", 3, 0); });
         },
         1,
         {"GRUPOST"}},
        {"dbf_truncada_se_reemplaza_al_exportar",
         [](Escenario& e) {
             Truncar(e.Datos() / "CURSOST.DBF", 0.3);
             return Orden(e.Exportar());
         },
         0,
         {"Proceso finalizado"},
         Efecto::TablasNuevas},
        {"tabla_abierta_por_otro_al_exportar",
         [](Escenario& e) {
             Preparado p = Orden(e.Exportar());
             p.sosten = std::make_shared<TablaAbiertaPorOtro>(e.Datos(), "GRUPOST");
             return p;
         },
         1,
         {"GRUPOST", "No se ha cambiado ninguna tabla"}},
        {"tabla_abierta_por_otro_al_importar",
         [](Escenario& e) {
             Preparado p = Orden(e.Importar());
             p.sosten = std::make_shared<TablaAbiertaPorOtro>(e.Datos(), "SOLUC");
             return p;
         },
         1,
         {"SOLUC"}},
        {"carpeta_de_datos_de_solo_lectura",
         [](Escenario& e) {
             Preparado p = Orden(e.Exportar());
             auto inmutable = std::make_shared<CarpetaInmutable>(e.Datos());
             if (!inmutable->Ok())
                 p.omitir = "el sistema de archivos no admite chattr +i";
             p.sosten = inmutable;
             return p;
         },
         1,
         {"ZTEMP", "no admite escritura", "No se ha cambiado ninguna tabla"}},
        {"carpeta_de_resultado_de_solo_lectura",
         [](Escenario& e) {
             Preparado p = Orden(e.Importar());
             auto inmutable = std::make_shared<CarpetaInmutable>(e.Entrada());
             if (!inmutable->Ok())
                 p.omitir = "el sistema de archivos no admite chattr +i";
             p.sosten = inmutable;
             return p;
         },
         1,
         {"ResultadoZeltosseneca.xml"}},
        {"catalogo_ausente",
         [](Escenario& e) {
             Preparado p = Orden(e.Exportar());
             fs::create_directories(e.Raiz() / "programa");
             p.programa = e.Raiz() / "programa" / "belvaro-cli";
             fs::copy_file(ProgramaCli(), p.programa);
             return p;
         },
         1,
         {"SENEMATERIAS.DBF", "programa"}},
        {"disco_lleno_al_exportar",
         [](Escenario& e) {
             Preparado p = Orden(e.Exportar());
             p.limites.tamanoMaximoArchivo = 16 * 1024;
             return p;
         },
         1,
         {"No se pudo escribir la tabla", "File too large"}},
        {"disco_lleno_al_importar",
         [](Escenario& e) {
             Preparado p = Orden(e.Importar());
             p.limites.tamanoMaximoArchivo = 4 * 1024;
             return p;
         },
         1,
         {"ResultadoZeltosseneca.xml"}},
    };
}

// Every file under `carpeta` holding `texto`.
std::string ArchivosCon(const fs::path& carpeta, const std::string& texto) {
    std::string hallados;
    for (const auto& entrada : fs::recursive_directory_iterator(carpeta))
        if (entrada.is_regular_file() && entrada.path().filename() != "secreto.txt" &&
            LeerArchivo(entrada.path()).find(texto) != std::string::npos)
            hallados += entrada.path().string() + "\n";
    return hallados;
}

void ComprobarTablasNuevas(const Escenario& e, const Huellas& antes) {
    const Huellas despues = TomarHuellas(e.Raiz());
    for (const auto& [ruta, huella] : antes) {
        const bool tablaExportada =
            ruta.starts_with("ZTEMP/") && ruta.ends_with(".DBF") && ruta != "ZTEMP/SOLUC.DBF";
        if (!tablaExportada) {
            EXPECT_EQ(despues.at(ruta), huella) << ruta << " no debía cambiar";
        }
    }
    for (const auto& tabla : TablasExportadas(e.Datos())) {
        Tabla abierta(tabla.parent_path(), tabla.stem().string());
        EXPECT_GE(abierta.RecordCount(), 0) << tabla;
    }
    EXPECT_EQ(despues.size(), antes.size()) << Diferencias(antes, despues);
}

// Only the result for Séneca is new, and it is a whole document.
void ComprobarResultadoNuevo(const Escenario& e, const Huellas& antes) {
    Huellas despues = TomarHuellas(e.Raiz());
    const std::string resultado = "entrada/" + e.Resultado().filename().string();
    EXPECT_NE(despues.at(resultado), antes.at(resultado));
    despues[resultado] = antes.at(resultado);
    EXPECT_EQ(Diferencias(antes, despues), "");
    XmlDocument doc;
    doc.load(e.Resultado());
    EXPECT_EQ(doc.documentElement().nombre(), "SERVICIO");
}

// The first line of what the user was told: the error, or else the first report line.
std::string PrimeraLinea(const Resultado& r) {
    const std::string& texto = r.errores.empty() ? r.salidaEstandar : r.errores;
    return texto.substr(0, texto.find('\n'));
}

class MatrizEntradasMalas : public ::testing::TestWithParam<Caso> {};

TEST_P(MatrizEntradasMalas, MensajeClaroYNadaPerdido) {
    const Caso& caso = GetParam();
    Escenario escenario;
    Preparado preparado = caso.preparar(escenario);
    if (!preparado.omitir.empty())
        GTEST_SKIP() << preparado.omitir;
    const Huellas antes = TomarHuellas(escenario.Raiz());

    const Resultado r = Ejecutar(preparado.programa, preparado.orden, preparado.limites);
    preparado.sosten.reset();

    std::cout << "[resumen] " << caso.nombre << ": salida " << r.salida << ", " << PrimeraLinea(r)
              << "\n";

    ASSERT_FALSE(r.vencido) << "belvaro-cli no terminó a tiempo";
    EXPECT_EQ(r.senal, 0) << "belvaro-cli murió por una señal\n" << r.Texto();
    EXPECT_EQ(r.salida, caso.salida) << r.Texto();
    EXPECT_EQ(RuidoAjeno(r), "") << r.errores;
    for (const std::string& texto : caso.textos)
        EXPECT_NE(r.Texto().find(texto), std::string::npos) << "falta «" << texto << "» en:\n"
                                                            << r.Texto();
    switch (caso.efecto) {
    case Efecto::NadaCambia:
        EXPECT_EQ(Diferencias(antes, TomarHuellas(escenario.Raiz())), "");
        break;
    case Efecto::TablasNuevas:
        ComprobarTablasNuevas(escenario, antes);
        break;
    case Efecto::ResultadoNuevo:
        ComprobarResultadoNuevo(escenario, antes);
        break;
    }
    if (!preparado.secreto.empty()) {
        EXPECT_EQ(r.Texto().find(preparado.secreto), std::string::npos);
        EXPECT_EQ(ArchivosCon(escenario.Raiz(), preparado.secreto), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Robustez, MatrizEntradasMalas, ::testing::ValuesIn(Casos()),
                         [](const auto& info) { return info.param.nombre; });

} // namespace
} // namespace belvaro::robustez
