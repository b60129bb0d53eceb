// The code page every text crosses on its way to and from the databases. Any
// byte string read with DeAnsi comes back unchanged from ParaAnsi; any UTF-16
// text becomes one byte per character (a surrogate pair is one character),
// the character itself when the code page has it and "?" when it has not.
//
// Input: the bytes, taken both as code-page bytes and as UTF-16 (pairs of
// bytes, little-endian).
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "Entrada.h"
#include "comum/CodePage.h"

namespace {

using fuzz::Visivel;

std::string Hex(std::string_view bytes) {
  std::string s;
  char buf[4];
  for (char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(static_cast<unsigned char>(b)));
    s += buf;
  }
  return s;
}

bool Alto(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool Baixo(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void VerificaBytes(std::string_view bytes) {
  const std::u16string texto = codepage::DeAnsi(bytes);
  FUZZ_VERIFICA(texto.size() == bytes.size(), Hex(bytes));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    // ASCII is itself; the other bytes are characters of the upper half, none
    // of them a surrogate.
    if (b < 0x80) {
      FUZZ_VERIFICA(texto[i] == b, Hex(bytes));
    } else {
      FUZZ_VERIFICA(texto[i] >= 0x80 && !Alto(texto[i]) && !Baixo(texto[i]), Hex(bytes) + " -> " + Visivel(texto));
    }
  }
  FUZZ_VERIFICA(codepage::ParaAnsi(texto) == bytes,
                Hex(bytes) + " -> " + Visivel(texto) + " -> " + Hex(codepage::ParaAnsi(texto)));
}

void VerificaTexto(const std::u16string& texto) {
  const std::string bytes = codepage::ParaAnsi(texto);
  // One byte per character: a surrogate pair counts once.
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < texto.size()) {
    FUZZ_VERIFICA(j < bytes.size(), Visivel(texto) + " -> " + Hex(bytes));
    const char16_t c = texto[i];
    const bool par = Alto(c) && i + 1 < texto.size() && Baixo(texto[i + 1]);
    const char b = bytes[j];
    if (par) {
      FUZZ_VERIFICA(b == '?', Visivel(texto) + " -> " + Hex(bytes));
      i += 2;
    } else {
      // The byte is the character itself, or "?" when the code page lacks it.
      const std::u16string volta = codepage::DeAnsi(std::string_view(&b, 1));
      FUZZ_VERIFICA(volta[0] == c || b == '?', Visivel(texto) + " -> " + Hex(bytes) + " at " + std::to_string(i));
      if (c < 0x80) FUZZ_VERIFICA(b == static_cast<char>(c), Visivel(texto));
      ++i;
    }
    ++j;
  }
  FUZZ_VERIFICA(j == bytes.size(), Visivel(texto) + " -> " + Hex(bytes));
  // What survived the code page survives it again.
  const std::u16string lido = codepage::DeAnsi(bytes);
  FUZZ_VERIFICA(codepage::ParaAnsi(lido) == bytes, Visivel(texto));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  const std::string_view bytes(reinterpret_cast<const char*>(dados), tamanho);
  VerificaBytes(bytes);
  VerificaTexto(fuzz::Decodifica(fuzz::Forma::Utf16, bytes));
  VerificaTexto(fuzz::Decodifica(fuzz::Forma::Utf8, bytes));
  if (!bytes.empty()) VerificaTexto(fuzz::Decodifica(fuzz::Forma::Utf16, bytes.substr(1)));
  return 0;
}
