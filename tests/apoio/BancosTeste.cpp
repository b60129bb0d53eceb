#include "apoio/BancosTeste.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <random>

#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "Esquemas.h"
#include "comum/CriacaoBanco.h"
#include "comum/ExecutorScript.h"
#include "comum/Texto.h"

namespace apoio {

namespace fs = std::filesystem;

PastaTemporaria::PastaTemporaria() {
  static std::atomic<int> contador{0};
  std::random_device rd;
  caminho_ = fs::temp_directory_path() /
             ("conversor-teste-" + std::to_string(getpid()) + "-" + std::to_string(contador++) + "-" +
              std::to_string(rd() % 100000));
  fs::create_directories(caminho_);
}

PastaTemporaria::~PastaTemporaria() {
  std::error_code ec;
  fs::remove_all(caminho_, ec);
}

void CriaBanco(const fs::path& arquivo, int dialeto) {
  ferramentas::CriaBanco(arquivo, dialeto, "SYSDBA", "quillsand");
}

namespace {

void CriaComEsquema(const fs::path& arquivo, int dialeto, const char* esquema) {
  CriaBanco(arquivo, dialeto);
  Conexao c;
  c.Abre(arquivo);
  ferramentas::ExecutaScript(c.banco, texto::DeUtf8(esquema));
}

}  // namespace

void CriaBancoOrigem(const fs::path& arquivo) { CriaComEsquema(arquivo, 3, esquemas::Origem()); }

void CriaBancoDestino(const fs::path& arquivo) { CriaComEsquema(arquivo, 1, esquemas::Destino()); }

Conexao::Conexao() {
  ConfiguraConexao(banco, transacao);
}

Conexao::~Conexao() {
  try {
    if (transacao.Active()) transacao.Rollback();
  } catch (...) {
  }
}

void Conexao::Abre(const fs::path& arquivo) {
  banco.SetDatabaseName(texto::DeUtf8(arquivo.string()));
  banco.SetConnected(true);
}

void Executa(const fs::path& arquivo, const std::u16string& sql) {
  Conexao c;
  c.Abre(arquivo);
  TIBQuery q;
  q.SetDatabase(&c.banco);
  q.SQL().SetText(sql);
  q.ExecSQL();
  c.transacao.Commit();
}

std::vector<std::vector<std::u16string>> Consulta(const fs::path& arquivo, const std::u16string& sql) {
  Conexao c;
  c.Abre(arquivo);
  TIBQuery q;
  q.SetDatabase(&c.banco);
  q.SQL().SetText(sql);
  q.Open();
  std::vector<std::vector<std::u16string>> linhas;
  while (!q.Eof()) {
    std::vector<std::u16string> linha;
    for (int i = 0; i < q.FieldCount(); ++i) linha.push_back(q.Fields(i).AsString());
    linhas.push_back(std::move(linha));
    q.Next();
  }
  q.Close();
  c.transacao.Commit();
  return linhas;
}

int ContaLinhas(const fs::path& arquivo, const std::u16string& tabela) {
  auto linhas = Consulta(arquivo, u"SELECT COUNT(*) FROM " + tabela);
  int n = 0;
  texto::LeInteiro(linhas.at(0).at(0), n);
  return n;
}

InterfaceGravada::InterfaceGravada() : anterior_(ui::DefineInterfaceUsuario(this)) {}

InterfaceGravada::~InterfaceGravada() { ui::DefineInterfaceUsuario(anterior_); }

void InterfaceGravada::MostraMensagem(ui::TipoMensagem tipo, const std::u16string& texto) {
  mensagens.push_back({tipo, texto});
}

ParDeBancos::ParDeBancos()
    : arquivoOrigem(pasta.Caminho() / "ORIGEM.FDB"), arquivoDestino(pasta.Caminho() / "VESTREL.FB") {
  CriaBancoOrigem(arquivoOrigem);
  CriaBancoDestino(arquivoDestino);
  origem.Abre(arquivoOrigem);
  destino.Abre(arquivoDestino);
}

}  // namespace apoio
