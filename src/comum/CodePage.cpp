#include "comum/CodePage.h"

#include <iconv.h>

#include <array>
#include <stdexcept>
#include <vector>

#include "comum/ConfiguracaoRegional.h"

namespace codepage {

namespace {

// The code page's two directions as tables, read once from iconv. The five
// bytes that Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D) map to the
// control characters of the same number and back, as on the platform the
// program was made for, so every byte string survives a round trip.
class Tabelas {
 public:
  Tabelas() : paraByte_(0x10000, -1) {
    iconv_t cd = iconv_open("UTF-16LE", regional::CodePageAnsi);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + regional::CodePageAnsi);
    }
    for (int b = 0; b < 256; ++b) {
      char entrada[1] = {static_cast<char>(b)};
      char saida[8];
      char* pe = entrada;
      std::size_t le = 1;
      char* ps = saida;
      std::size_t ls = sizeof saida;
      char16_t c = static_cast<char16_t>(b);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &pe, &le, &ps, &ls) != static_cast<std::size_t>(-1) && ps - saida == 2) {
        c = static_cast<char16_t>(static_cast<unsigned char>(saida[0]) | (static_cast<unsigned char>(saida[1]) << 8));
      }
      deByte_[static_cast<std::size_t>(b)] = c;
      paraByte_[c] = static_cast<short>(b);
    }
    iconv_close(cd);
  }

  char16_t DeByte(unsigned char b) const { return deByte_[b]; }
  // -1 when the code page cannot hold the character.
  short ParaByte(char16_t c) const { return paraByte_[c]; }

 private:
  std::array<char16_t, 256> deByte_{};
  std::vector<short> paraByte_;
};

const Tabelas& tabelas() {
  static const Tabelas t;
  return t;
}

}  // namespace

std::string ParaAnsi(std::u16string_view valor) {
  const Tabelas& t = tabelas();
  std::string saida;
  saida.reserve(valor.size());
  for (std::size_t i = 0; i < valor.size(); ++i) {
    char16_t c = valor[i];
    if (c < 0x80) {
      saida.push_back(static_cast<char>(c));
      continue;
    }
    short b = t.ParaByte(c);
    // A surrogate pair is one character the code page lacks: one "?".
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < valor.size() && valor[i + 1] >= 0xDC00 && valor[i + 1] <= 0xDFFF) ++i;
    saida.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return saida;
}

std::u16string DeAnsi(std::string_view bytes) {
  const Tabelas& t = tabelas();
  std::u16string saida;
  saida.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) saida[i] = t.DeByte(static_cast<unsigned char>(bytes[i]));
  return saida;
}

}  // namespace codepage
