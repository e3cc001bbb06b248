#include "tests/import/EscenarioImportar.h"

#include <cstdint>

namespace belvaro::prueba {

namespace fs = std::filesystem;

namespace {

DefCampo Texto(const std::string& nombre, int ancho = 10) {
    return {nombre, TipoCampo::Texto, ancho};
}
DefCampo Entero(const std::string& nombre) {
    return {nombre, TipoCampo::Entero, 2};
}

void Poner16(std::string& b, std::size_t pos, unsigned v) {
    b[pos] = static_cast<char>(v & 0xFF);
    b[pos + 1] = static_cast<char>((v >> 8) & 0xFF);
}

} // namespace

void EscribirTabla(const fs::path& carpeta, const std::string& nombre,
                   const std::vector<DefCampo>& campos, const std::vector<Fila>& filas) {
    CrearTabla(carpeta, nombre, campos);
    Tabla tabla(carpeta, nombre, Acceso::Exclusivo);
    for (const Fila& fila : filas) {
        tabla.Append();
        for (std::size_t i = 0; i < fila.size(); ++i)
            tabla.FieldByName(campos[i].nombre).SetAsString(fila[i]);
        tabla.Post();
    }
    tabla.Close();
}

void EscribirDbfCrudo(const fs::path& ruta, const std::vector<CampoCrudo>& campos,
                      const std::vector<Fila>& filas) {
    unsigned largoRegistro = 1;
    for (const auto& c : campos)
        largoRegistro += static_cast<unsigned>(c.ancho);
    const unsigned largoCabecera = 32 + 32 * static_cast<unsigned>(campos.size()) + 1;
    std::string b(largoCabecera, '\0');
    b[0] = 0x03;
    b[1] = 126;
    b[2] = 1;
    b[3] = 1;
    for (int i = 0; i < 4; ++i)
        b[4 + i] = static_cast<char>((filas.size() >> (8 * i)) & 0xFF);
    Poner16(b, 8, largoCabecera);
    Poner16(b, 10, largoRegistro);
    for (std::size_t i = 0; i < campos.size(); ++i) {
        const std::size_t d = 32 + 32 * i;
        campos[i].nombre.copy(&b[d], 10);
        b[d + 11] = campos[i].tipo;
        b[d + 16] = static_cast<char>(campos[i].ancho);
    }
    b[largoCabecera - 1] = 0x0D;
    for (const Fila& fila : filas) {
        b += ' ';
        for (std::size_t i = 0; i < campos.size(); ++i) {
            const auto& c = campos[i];
            if (c.tipo == 'I') {
                const auto v = static_cast<std::uint32_t>(std::stol(fila[i]));
                for (int k = 0; k < 4; ++k)
                    b += static_cast<char>((v >> (8 * k)) & 0xFF);
            } else if (c.tipo == 'N') {
                b += std::string(static_cast<std::size_t>(c.ancho) - fila[i].size(), ' ') + fila[i];
            } else {
                b += fila[i] + std::string(static_cast<std::size_t>(c.ancho) - fila[i].size(), ' ');
            }
        }
    }
    b += '\x1A';
    EscribirArchivo(ruta, b);
}

void EscenarioImportar::Escribir(bool sinSoluc) const {
    const fs::path& c = carpeta.ruta();
    if (!sinSoluc)
        EscribirTabla(c, "SOLUC",
                      {Texto("PROF"), Entero("DIA"), Entero("HORA"), Texto("ASIG"),
                       Texto("CODGRUPO"), Texto("TAREA"), Texto("AULA")},
                      soluc);
    EscribirTabla(c, "PROFT", {Texto("ABREV"), Texto("X_EMPLEADO"), Texto("F_TOMAPOS")}, proft);
    EscribirTabla(c, "GRUPOST", {Texto("ABREV"), Texto("CLAVE"), Texto("CLAVECURSO")}, grupost);
    EscribirTabla(c, "CURSOST", {Texto("CLAVE")}, {});
    EscribirTabla(c, "AULAT", {Texto("ABREV")}, {});
    EscribirTabla(c, "ASIGT", {Texto("CASIG"), Texto("CGRUP"), Texto("CLAVE"), Texto("CLAVECURSO")},
                  asigt);
    EscribirTabla(c, "ASIGNOMT", {Texto("COD"), Texto("CODTAREA")}, asignomt);
    EscribirTabla(c, "ASIGNOMT2", {Texto("COD"), Texto("OFERTAMATRI", 20), Texto("MATERIA", 20)},
                  asignomt2);
    EscribirTabla(c, "DIASHORAST",
                  {Texto("DIHO"), Texto("CODDIHO"), Texto("DIA", 20), Texto("HORADESDE", 8),
                   Texto("HORAHASTA", 8)},
                  diashorast);
    if (conPeriodos)
        EscribirTabla(c, "PERIODOS", {Texto("CURSOANNO", 4), Texto("F_INICIO"), Texto("F_FIN")},
                      periodos);
}

fs::path EscenarioImportar::Seneca(const std::string& xml) const {
    fs::create_directories(carpeta.ruta() / "seneca");
    const fs::path ruta = carpeta.ruta() / "seneca" / "horarios.xml";
    if (!xml.empty())
        EscribirArchivo(ruta, xml);
    else
        DocumentoSeneca()
            .Directo("ANNO_ACADEMICO", {"2026", "15/09/2026", "22/06/2027"})
            .Lista("UNIDADES", {{"U1", "x", "C1"}})
            .Guardar(ruta);
    return ruta;
}

} // namespace belvaro::prueba
