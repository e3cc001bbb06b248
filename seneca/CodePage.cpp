#include "seneca/CodePage.h"

#include "app/Error.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace belvaro {
namespace {

constexpr const char* kPaginaAnsi = "WINDOWS-1252";

// The five bytes Windows-1252 leaves undefined. Windows passes them through as
// the C1 control of the same number (0x81 <-> U+0081); the platform's converter
// refuses them, so they are handled here.
bool EsByteSinDefinir(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

bool SoloAscii(std::string_view texto) {
    return std::all_of(texto.begin(), texto.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

// One iconv descriptor, closed with the object.
class ConversorAnsi::Iconv {
public:
    Iconv(const char* hacia, const char* desde) : cd_(iconv_open(hacia, desde)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw Error(std::string("No se puede convertir de ") + desde + " a " + hacia +
                        " en este sistema");
        }
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much of the input as it can, appending to salida. Leaves entrada
    // at the first byte it could not convert (or empty when all went through).
    // Returns errno of the stop (0 when the whole input was converted).
    int Convertir(std::string_view& entrada, std::string& salida) {
        char bloque[4096];
        while (!entrada.empty()) {
            char* in = const_cast<char*>(entrada.data());
            std::size_t inLeft = entrada.size();
            char* out = bloque;
            std::size_t outLeft = sizeof bloque;
            std::size_t r = iconv(cd_, &in, &inLeft, &out, &outLeft);
            int motivo = r == static_cast<std::size_t>(-1) ? errno : 0;
            salida.append(bloque, static_cast<std::size_t>(out - bloque));
            entrada.remove_prefix(entrada.size() - inLeft);
            if (motivo != 0 && motivo != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return motivo;
            }
        }
        return 0;
    }

private:
    iconv_t cd_;
};

namespace {

// Length of the well-formed UTF-8 sequence at the start of the text, and its code
// point; 0 when the bytes there do not form one.
std::size_t SecuenciaUtf8(std::string_view t, char32_t& punto) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
    if (t.empty()) {
        return 0;
    }
    unsigned char c = b(0);
    std::size_t n = c < 0x80                ? 1
                    : c >= 0xC2 && c < 0xE0 ? 2
                    : c >= 0xE0 && c < 0xF0 ? 3
                    : c >= 0xF0 && c < 0xF5 ? 4
                                            : 0;
    if (n == 0 || t.size() < n) {
        return 0;
    }
    punto = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) {
            return 0;
        }
        punto = (punto << 6) | (b(i) & 0x3F);
    }
    bool demasiadoLarga = (n == 3 && punto < 0x800) || (n == 4 && punto < 0x10000);
    bool fueraDeRango = punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF);
    return demasiadoLarga || fueraDeRango ? 0 : n;
}

} // namespace

ConversorAnsi::ConversorAnsi() = default;
ConversorAnsi::~ConversorAnsi() = default;
ConversorAnsi::ConversorAnsi(ConversorAnsi&&) noexcept = default;
ConversorAnsi& ConversorAnsi::operator=(ConversorAnsi&&) noexcept = default;

std::string ConversorAnsi::operator()(std::string_view utf8) {
    if (SoloAscii(utf8)) {
        return std::string(utf8);
    }
    if (!iconv_) {
        iconv_ = std::make_unique<Iconv>(kPaginaAnsi, "UTF-8");
    }
    std::string ansi;
    ansi.reserve(utf8.size());
    while (iconv_->Convertir(utf8, ansi) != 0 && !utf8.empty()) {
        char32_t punto = 0;
        std::size_t largo = SecuenciaUtf8(utf8, punto);
        if (largo == 2 && punto <= 0xFF && EsByteSinDefinir(static_cast<unsigned char>(punto))) {
            ansi += static_cast<char>(punto);
        } else {
            ansi += '?';
        }
        utf8.remove_prefix(std::max<std::size_t>(largo, 1));
    }
    return ansi;
}

std::string Utf8AAnsi(std::string_view utf8) {
    return ConversorAnsi()(utf8);
}

std::string AnsiAUtf8(std::string_view ansi) {
    if (SoloAscii(ansi)) {
        return std::string(ansi);
    }
    ConversorAnsi::Iconv conversor("UTF-8", kPaginaAnsi);
    std::string utf8;
    utf8.reserve(ansi.size() * 2);
    while (conversor.Convertir(ansi, utf8) != 0 && !ansi.empty()) {
        // Only the undefined bytes stop the conversion of a single-byte page.
        auto c = static_cast<unsigned char>(ansi.front());
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
        ansi.remove_prefix(1);
    }
    return utf8;
}

} // namespace belvaro
