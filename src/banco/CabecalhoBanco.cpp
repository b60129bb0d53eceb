#include "banco/CabecalhoBanco.h"

#include <fstream>

namespace banco {

namespace {

// The header page starts with the generic page header (type, flags, checksum,
// generation, SCN, page number: 16 bytes), then the page size and the ODS
// major version with Firebird's flag bit. The minor version sits after the
// creation data: at byte 62 up to ODS 11, at byte 64 from ODS 12 on, where
// the implementation number became four single bytes.
constexpr unsigned char TipoPaginaCabecalho = 1;
constexpr unsigned BitFirebird = 0x8000;
constexpr std::size_t MenorPagina = 1024;

unsigned Le16(std::string_view b, std::size_t pos) {
  return static_cast<unsigned>(static_cast<unsigned char>(b[pos])) |
         static_cast<unsigned>(static_cast<unsigned char>(b[pos + 1])) << 8;
}

bool TamanhoDePaginaValido(unsigned t) {
  for (unsigned v = 1024; v <= 65536; v *= 2) {
    if (t == v) return true;
  }
  return false;
}

}  // namespace

CabecalhoBanco InterpretaCabecalho(std::string_view bytes) {
  CabecalhoBanco c;
  c.tipo = CabecalhoBanco::Tipo::NaoFirebird;
  if (bytes.size() < MenorPagina) return c;
  if (static_cast<unsigned char>(bytes[0]) != TipoPaginaCabecalho) return c;
  const unsigned pagina = Le16(bytes, 16);
  const unsigned ods = Le16(bytes, 18);
  if (!TamanhoDePaginaValido(pagina) || !(ods & BitFirebird)) return c;
  const int maior = static_cast<int>(ods & ~BitFirebird);
  if (maior < 8) return c;
  c.tipo = CabecalhoBanco::Tipo::Firebird;
  c.tamanhoPagina = static_cast<int>(pagina);
  c.odsMaior = maior;
  c.odsMenor = static_cast<int>(Le16(bytes, maior <= 11 ? 62 : 64));
  return c;
}

CabecalhoBanco LeCabecalho(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  if (!f) return {};
  std::string bytes(MenorPagina, '\0');
  f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (f.bad()) return {};
  bytes.resize(static_cast<std::size_t>(f.gcount()));
  return InterpretaCabecalho(bytes);
}

std::u16string VersaoFirebirdDoOds(int maior, int menor) {
  if (maior == 10) return u"1";
  if (maior == 11) {
    if (menor == 0) return u"2.0";
    if (menor == 1) return u"2.1";
    if (menor == 2) return u"2.5";
    return u"2.x";
  }
  if (maior == 12 && menor == 0) return u"3";
  if (maior == 13 && menor == 0) return u"4";
  if (maior == 13 && menor == 1) return u"5";
  return {};
}

bool EhArquivoLocal(const std::u16string& nome) { return nome.find(u':') == std::u16string::npos; }

}  // namespace banco
