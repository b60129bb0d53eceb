#include "comum/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "comum/ConfiguracaoRegional.h"

namespace codepage {

namespace {

// One converter per direction and thread, opened on first use.
class Conversor {
 public:
  Conversor(const char* para, const char* de) : cd_(iconv_open(para, de)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + de + " to " + para);
    }
  }
  ~Conversor() { iconv_close(cd_); }
  Conversor(const Conversor&) = delete;
  Conversor& operator=(const Conversor&) = delete;

  iconv_t Descritor() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

bool SoAscii(std::u16string_view v) {
  for (char16_t c : v) {
    if (c >= 0x80) return false;
  }
  return true;
}

bool SoAscii(std::string_view v) {
  for (char c : v) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string ParaAnsi(std::u16string_view valor) {
  if (SoAscii(valor)) return std::string(valor.begin(), valor.end());
  thread_local Conversor conv(regional::CodePageAnsi, "UTF-16LE");
  iconv_t cd = conv.Descritor();
  std::string saida;
  saida.reserve(valor.size());
  // Converted one character (or surrogate pair) at a time so that a character
  // the code page lacks becomes "?" without losing the rest.
  for (std::size_t i = 0; i < valor.size();) {
    std::size_t n = 1;
    if (valor[i] >= 0xD800 && valor[i] <= 0xDBFF && i + 1 < valor.size()) n = 2;
    if (valor[i] < 0x80) {
      saida.push_back(static_cast<char>(valor[i]));
      i += n;
      continue;
    }
    char entrada[4];
    for (std::size_t k = 0; k < n; ++k) {
      entrada[2 * k] = static_cast<char>(valor[i + k] & 0xFF);
      entrada[2 * k + 1] = static_cast<char>(valor[i + k] >> 8);
    }
    char buf[8];
    char* pe = entrada;
    std::size_t le = 2 * n;
    char* ps = buf;
    std::size_t ls = sizeof buf;
    if (iconv(cd, &pe, &le, &ps, &ls) == static_cast<std::size_t>(-1) || ps == buf) {
      saida.push_back('?');
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else {
      saida.append(buf, static_cast<std::size_t>(ps - buf));
    }
    i += n;
  }
  return saida;
}

std::u16string DeAnsi(std::string_view bytes) {
  if (SoAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  thread_local Conversor conv("UTF-16LE", regional::CodePageAnsi);
  iconv_t cd = conv.Descritor();
  std::u16string saida;
  saida.reserve(bytes.size());
  for (char b : bytes) {
    auto u = static_cast<unsigned char>(b);
    if (u < 0x80) {
      saida.push_back(u);
      continue;
    }
    char entrada[1] = {b};
    char buf[8];
    char* pe = entrada;
    std::size_t le = 1;
    char* ps = buf;
    std::size_t ls = sizeof buf;
    if (iconv(cd, &pe, &le, &ps, &ls) == static_cast<std::size_t>(-1) || ps - buf < 2) {
      // The five bytes that the code page leaves undefined map to the control
      // characters of the same number, as the platform does.
      saida.push_back(u);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else {
      saida.push_back(static_cast<char16_t>(static_cast<unsigned char>(buf[0]) |
                                            (static_cast<unsigned char>(buf[1]) << 8)));
    }
  }
  return saida;
}

}  // namespace codepage
