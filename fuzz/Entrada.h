#pragma once
// What every fuzz harness shares: reading the fuzzer's bytes as numbers and as
// the program's UTF-16 text, and stopping with a readable report when a
// guarantee of the code does not hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "comum/CodePage.h"
#include "comum/Texto.h"

namespace fuzz {

// Text with control characters, surrogates and non-ASCII characters spelled
// out as \uXXXX, for failure reports.
inline std::string Visivel(std::u16string_view s) {
  std::string saida = "\"";
  for (char16_t c : s) {
    if (c >= 32 && c < 127 && c != u'\\' && c != u'"') {
      saida.push_back(static_cast<char>(c));
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      saida += buf;
    }
  }
  return saida + "\"";
}

inline std::string Visivel(const std::u16string& s) { return Visivel(std::u16string_view(s)); }
inline std::string Visivel(const char16_t* s) { return Visivel(std::u16string_view(s)); }

// Stops the run: libFuzzer keeps the input that got here as a crash artifact.
[[noreturn]] inline void Falha(const std::string& mensagem) {
  std::fprintf(stderr, "\n*** guarantee broken: %s\n", mensagem.c_str());
  std::fflush(stderr);
  std::abort();
}

#define FUZZ_VERIFICA(condicao, mensagem)                                                    \
  do {                                                                                       \
    if (!(condicao)) ::fuzz::Falha(std::string(#condicao) + " -- " + std::string(mensagem)); \
  } while (0)

// The ways a stretch of bytes becomes text. The first two cover every UTF-16
// string and every code-page string; the third follows the UTF-8 reader; the
// last mixes ASCII with whole pieces that the normalisation functions and the
// statement texts treat specially, so a short run still reaches them.
enum class Forma { Utf16, Ansi, Utf8, Pecas };

inline constexpr std::size_t kMaiorTextoDePecas = 8192;

inline const std::vector<std::u16string>& Pecas() {
  static const std::vector<std::u16string> pecas = [] {
    // clang-format off
    std::vector<std::u16string> p = {
        u"ISENTO", u"isento", u"ISEN", u"  -   -", u"\r\n", u"\r", u"\n", u"'", u"''", u"\"", u"--", u"/*", u"*/",
        u":", u":P", u":pNome_1$", u"\u00C7", u"\u00E7", u"\u00E3", u"\u00C0", u"\u00DC", u"\u00A0", u"\u20AC",
        u"\u2019", u"\u0100", u"\uFF11", u"\u0661", u"\u00B2", u"\U0001F600", u"\uFFFD", u"\u0081", u"\u009D",
        u"0000", u"1234567890", u"99999", u"41633", u"41633,75", u"2958465", u"2958466", u"-657434", u"-657435",
        u"1E400", u"1E-320", u"25/12/2013", u"29/02/2024", u"31/12/9999", u"01/01/0001", u"25/03/10", u" 13:45:07",
        u" 23:59", u",", u".", u"/", u"-", u"(", u")", u" ", u"\t", u"0", u"E+", u"(31) 3333-4444",
        u"12.345.678/0001-90", u"2013-12-25", u"25.12.2013"};
    // clang-format on
    p.push_back(std::u16string(1, u'\0'));
    p.push_back(std::u16string(1, static_cast<char16_t>(0xD800)));  // a lone high surrogate
    p.push_back(std::u16string(1, static_cast<char16_t>(0xDC00)));  // a lone low surrogate
    p.push_back(std::u16string(1, static_cast<char16_t>(0xDBFF)) + u"x");
    return p;
  }();
  return pecas;
}

inline std::u16string Decodifica(Forma forma, std::string_view bytes) {
  switch (forma) {
    case Forma::Utf16: {
      std::u16string s;
      s.reserve(bytes.size() / 2 + 1);
      for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        s.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8)));
      }
      // An odd last byte is one more character, so no byte is wasted.
      if (bytes.size() % 2 != 0) s.push_back(static_cast<unsigned char>(bytes.back()));
      return s;
    }
    case Forma::Ansi:
      return codepage::DeAnsi(bytes);
    case Forma::Utf8:
      return texto::DeUtf8(bytes);
    case Forma::Pecas: {
      const auto& pecas = Pecas();
      std::u16string s;
      for (char b : bytes) {
        // Long enough for every check, short enough for the quadratic ones.
        if (s.size() >= kMaiorTextoDePecas) break;
        auto u = static_cast<unsigned char>(b);
        if (u < 0x80) {
          s.push_back(u);
        } else {
          s += pecas[(u - 0x80u) % pecas.size()];
        }
      }
      return s;
    }
  }
  return {};
}

// The fuzzer's bytes, taken from the front.
class Entrada {
 public:
  Entrada(const std::uint8_t* dados, std::size_t tamanho) : resto_(reinterpret_cast<const char*>(dados), tamanho) {}

  bool Vazia() const { return resto_.empty(); }

  // 0 once the bytes run out.
  std::uint8_t Byte() {
    if (resto_.empty()) return 0;
    auto b = static_cast<std::uint8_t>(resto_.front());
    resto_.remove_prefix(1);
    return b;
  }

  // n bytes (at most 8), little-endian.
  std::uint64_t Natural(int n) {
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(Byte()) << (8 * i);
    return v;
  }
  std::int16_t Inteiro16() { return static_cast<std::int16_t>(Natural(2)); }
  std::int32_t Inteiro32() { return static_cast<std::int32_t>(Natural(4)); }
  std::int64_t Inteiro64() { return static_cast<std::int64_t>(Natural(8)); }

  // Any bit pattern: NaN, infinities and subnormals included.
  double Real() {
    std::uint64_t bits = Natural(8);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  std::string_view Resto() {
    std::string_view r = resto_;
    resto_ = {};
    return r;
  }

  // The rest as text, read in the form the next byte chooses.
  std::u16string Texto() {
    const auto forma = static_cast<Forma>(Byte() % 4);
    return Decodifica(forma, Resto());
  }

 private:
  std::string_view resto_;
};

// The parts of a text between the separators (U+001E, the record separator),
// so one input carries several values.
inline std::vector<std::u16string> Partes(const std::u16string& texto, char16_t separador = u'\x1E') {
  std::vector<std::u16string> partes;
  std::size_t ini = 0;
  for (std::size_t p = texto.find(separador); p != std::u16string::npos; p = texto.find(separador, ini)) {
    partes.push_back(texto.substr(ini, p - ini));
    ini = p + 1;
  }
  partes.push_back(texto.substr(ini));
  return partes;
}

inline bool SoDigitosAscii(std::u16string_view s) {
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

inline std::size_t Conta(std::u16string_view s, char16_t c) {
  std::size_t n = 0;
  for (char16_t x : s) n += x == c;
  return n;
}

// Whether a is b with some characters left out, in order.
inline bool Subsequencia(std::u16string_view a, std::u16string_view b) {
  std::size_t j = 0;
  for (char16_t c : a) {
    while (j < b.size() && b[j] != c) ++j;
    if (j == b.size()) return false;
    ++j;
  }
  return true;
}

}  // namespace fuzz
