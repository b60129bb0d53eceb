#include "aplicacao/nucleo/RegistroExecucoes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "aplicacao/nucleo/TextoRelatorio.h"
#include "comum/Erro.h"
#include "comum/Texto.h"

namespace registro {

namespace {

// Tabs, line breaks and other control bytes of a value are written as \t,
// \n, \r or \xHH, and a backslash as \\, so the value stays inside its field.
std::string Escapa(const std::string& valor) {
  static const char hex[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned char c : valor) {
    if (c == '\\') {
      s += "\\\\";
    } else if (c == '\t') {
      s += "\\t";
    } else if (c == '\n') {
      s += "\\n";
    } else if (c == '\r') {
      s += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      s += "\\x";
      s += hex[c >> 4];
      s += hex[c & 0xF];
    } else {
      s += static_cast<char>(c);
    }
  }
  return s;
}

std::string Campo(const std::u16string& valor) { return Escapa(texto::ParaUtf8(valor)); }

std::string Dois(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string PastaDeDados() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  // A relative XDG_DATA_HOME is invalid and ignored, as the standard says.
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/conversor-zorvan-grafica";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share/conversor-zorvan-grafica";
  return {};
}

std::string ArquivoDoRegistro() {
  const std::string pasta = PastaDeDados();
  return pasta.empty() ? std::string() : pasta + "/execucoes.log";
}

std::string LinhaDoRegistro(const relatorio::TRelatorio& r, const std::string& arquivoRelatorio) {
  const regional::DataHora& d = r.inicio;
  std::string tabelas;
  std::int64_t lidas = 0, gravadas = 0, ignoradas = 0, criadas = 0;
  for (const std::u16string& m : r.marcadas) tabelas += (tabelas.empty() ? "" : ",") + Campo(m);
  for (const relatorio::Tabela& t : r.tabelas) {
    lidas += t.lidas;
    for (const auto& g : t.gravadas) gravadas += g.second;
    ignoradas += static_cast<std::int64_t>(t.ignoradas.size());
    criadas += static_cast<std::int64_t>(t.criadas.size());
  }
  std::string resultado = r.resultado == relatorio::Resultado::Sucesso        ? "sucesso"
                          : r.resultado == relatorio::Resultado::Interrompida ? "interrompida"
                                                                              : "erro";
  std::string linha = std::to_string(d.ano) + "-" + Dois(d.mes) + "-" + Dois(d.dia) + " " + Dois(d.hora) + ":" +
                      Dois(d.minuto) + ":" + Dois(d.segundo);
  linha += std::string("\t") + (r.simulacao ? "simulacao" : "conversao");
  linha += "\torigem=" + Campo(r.origem);
  linha += "\tdestino=" + Campo(r.destino);
  linha += "\ttabelas=" + tabelas;
  linha += "\tresultado=" + resultado;
  linha += "\tlidas=" + std::to_string(lidas) + "\tgravadas=" + std::to_string(gravadas) +
           "\tignoradas=" + std::to_string(ignoradas) + "\tcriadas=" + std::to_string(criadas);
  // What each ticked table holds now: "cidades:confirmada,clientes:como-estava".
  std::string situacoes;
  for (const auto& [nome, situacao] : r.Situacoes()) {
    const char* codigo = situacao == relatorio::Situacao::Confirmada  ? "confirmada"
                         : situacao == relatorio::Situacao::Esvaziada ? "esvaziada"
                                                                      : "como-estava";
    situacoes += (situacoes.empty() ? "" : ",") + texto::ParaUtf8(texto::LowerCase(nome)) + ":" + codigo;
  }
  linha += "\tsituacao=" + situacoes;
  linha += "\tsegundos=" + texto::ParaUtf8(textorelatorio::Segundos(r.segundos));
  linha += "\trelatorio=" + Escapa(arquivoRelatorio);
  return linha + "\n";
}

namespace {

std::string Carimbo(const regional::DataHora& d) {
  return std::to_string(d.ano) + "-" + Dois(d.mes) + "-" + Dois(d.dia) + "_" + Dois(d.hora) + "-" + Dois(d.minuto) +
         "-" + Dois(d.segundo);
}

// The first name of the series not taken yet, created empty and exclusively,
// so two runs in the same second never share a file.
int CriaExclusivo(const std::string& base, std::string& nome) {
  for (int n = 1; n < 1000; ++n) {
    nome = base + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".relatorio.txt";
    const int fd = ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

std::string Base(const relatorio::TRelatorio& r) {
  namespace fs = std::filesystem;
  const std::string destino = texto::ParaUtf8(r.destino);
  std::error_code ec;
  if (!destino.empty() && fs::is_regular_file(destino, ec)) return destino + "." + Carimbo(r.inicio);
  const std::string pasta = PastaDeDados();
  if (pasta.empty()) return {};
  std::string nome = fs::path(destino).filename().string();
  for (char& c : nome)
    if (c == ':' || c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
  return pasta + "/relatorios/" + (nome.empty() ? std::string("destino") : nome) + "." + Carimbo(r.inicio);
}

}  // namespace

std::string GravaRelatorio(const relatorio::TRelatorio& r) {
  const std::string base = Base(r);
  if (base.empty()) throw comum::Erro(u"não há pasta para o relatório: nem XDG_DATA_HOME nem HOME estão definidos");
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(base).parent_path(), ec);
  std::string nome;
  const int fd = CriaExclusivo(base, nome);
  if (fd < 0) throw comum::Erro(texto::DeUtf8(nome + ": " + std::strerror(errno)));
  const std::string conteudo = texto::ParaUtf8(textorelatorio::Completo(r));
  std::size_t feito = 0;
  while (feito < conteudo.size()) {
    const ssize_t n = ::write(fd, conteudo.data() + feito, conteudo.size() - feito);
    if (n <= 0) {
      const int e = n < 0 ? errno : ENOSPC;
      ::close(fd);
      throw comum::Erro(texto::DeUtf8(nome + ": " + std::strerror(e)));
    }
    feito += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) throw comum::Erro(texto::DeUtf8(nome + ": " + std::strerror(errno)));
  return nome;
}

bool Anota(const relatorio::TRelatorio& r, const std::string& arquivoRelatorio, std::string& erro) {
  const std::string arquivo = ArquivoDoRegistro();
  if (arquivo.empty()) {
    erro = "nem XDG_DATA_HOME nem HOME estão definidos";
    return false;
  }
  std::error_code ec;
  std::filesystem::create_directories(PastaDeDados(), ec);
  // One write of the whole line to a file opened for appending: runs that end
  // together never mix their lines.
  const int fd = ::open(arquivo.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) {
    erro = arquivo + ": " + std::strerror(errno);
    return false;
  }
  const std::string linha = LinhaDoRegistro(r, arquivoRelatorio);
  const ssize_t escrito = ::write(fd, linha.data(), linha.size());
  const int erroEscrita = errno;
  ::close(fd);
  if (escrito != static_cast<ssize_t>(linha.size())) {
    erro = arquivo + ": " + std::strerror(escrito < 0 ? erroEscrita : ENOSPC);
    return false;
  }
  return true;
}

}  // namespace registro
