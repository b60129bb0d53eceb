#include "comum/Texto.h"

#include <limits>

namespace texto {

std::u16string DeUtf8(std::string_view valor) {
  std::u16string saida;
  saida.reserve(valor.size());
  std::size_t i = 0;
  while (i < valor.size()) {
    auto c = static_cast<unsigned char>(valor[i]);
    char32_t cp = 0xFFFD;
    std::size_t n = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 0x6 && i + 1 < valor.size()) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(valor[i + 1]) & 0x3Fu);
      n = 2;
    } else if ((c >> 4) == 0xE && i + 2 < valor.size()) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(valor[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(valor[i + 2]) & 0x3Fu);
      n = 3;
    } else if ((c >> 3) == 0x1E && i + 3 < valor.size()) {
      cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(valor[i + 1]) & 0x3Fu) << 12) |
           ((static_cast<unsigned char>(valor[i + 2]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(valor[i + 3]) & 0x3Fu);
      n = 4;
    }
    i += n;
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      cp -= 0x10000;
      saida.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      saida.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else if (cp < 0x10000) {
      saida.push_back(static_cast<char16_t>(cp));
    } else {
      saida.push_back(u'\uFFFD');
    }
  }
  return saida;
}

std::string ParaUtf8(std::u16string_view valor) {
  std::string saida;
  saida.reserve(valor.size());
  for (std::size_t i = 0; i < valor.size(); ++i) {
    char32_t cp = valor[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < valor.size() && valor[i + 1] >= 0xDC00 && valor[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (valor[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      saida.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      saida.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      saida.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      saida.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      saida.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      saida.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      saida.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      saida.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      saida.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      saida.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return saida;
}

std::u16string Trim(std::u16string_view valor) {
  std::size_t ini = 0;
  std::size_t fim = valor.size();
  while (ini < fim && valor[ini] <= 32) ++ini;
  while (fim > ini && valor[fim - 1] <= 32) --fim;
  return std::u16string(valor.substr(ini, fim - ini));
}

std::u16string TrimDireita(std::u16string_view valor) {
  std::size_t fim = valor.size();
  while (fim > 0 && valor[fim - 1] <= 32) --fim;
  return std::u16string(valor.substr(0, fim));
}

std::u16string UpperCase(std::u16string_view valor) {
  std::u16string saida(valor);
  for (auto& c : saida) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return saida;
}

std::u16string LowerCase(std::u16string_view valor) {
  std::u16string saida(valor);
  for (auto& c : saida) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return saida;
}

std::u16string Primeiros(std::u16string_view valor, int n) {
  if (n <= 0) return {};
  return std::u16string(valor.substr(0, static_cast<std::size_t>(n)));
}

bool IgualSemCaixa(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - u'a' + u'A');
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - u'a' + u'A');
    if (x != y) return false;
  }
  return true;
}

bool Contem(std::u16string_view valor, std::u16string_view parte) {
  return valor.find(parte) != std::u16string_view::npos;
}

bool Contem(std::u16string_view valor, char16_t c) { return valor.find(c) != std::u16string_view::npos; }

std::u16string Substitui(std::u16string_view valor, char16_t de, char16_t para) {
  std::u16string saida(valor);
  for (auto& c : saida) {
    if (c == de) c = para;
  }
  return saida;
}

std::u16string RemoveTodos(std::u16string_view valor, char16_t c) {
  std::u16string saida;
  saida.reserve(valor.size());
  for (char16_t x : valor) {
    if (x != c) saida.push_back(x);
  }
  return saida;
}

std::u16string IntParaTexto(std::int64_t n) {
  std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

bool LeInteiro(std::u16string_view valor, std::int32_t& resultado) {
  std::size_t i = 0;
  while (i < valor.size() && valor[i] == u' ') ++i;
  bool negativo = false;
  if (i < valor.size() && (valor[i] == u'-' || valor[i] == u'+')) {
    negativo = valor[i] == u'-';
    ++i;
  }
  if (i >= valor.size()) return false;
  std::int64_t n = 0;
  for (; i < valor.size(); ++i) {
    char16_t c = valor[i];
    if (c < u'0' || c > u'9') return false;
    n = n * 10 + (c - u'0');
    if (n > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) return false;
  }
  if (negativo) n = -n;
  if (n > std::numeric_limits<std::int32_t>::max() || n < std::numeric_limits<std::int32_t>::min()) return false;
  resultado = static_cast<std::int32_t>(n);
  return true;
}

}  // namespace texto
