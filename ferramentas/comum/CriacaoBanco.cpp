#include "comum/CriacaoBanco.h"

#include <ibase.h>

#include <cstdint>
#include <stdexcept>

#include "comum/ConfiguracaoRegional.h"

namespace ferramentas {

namespace {

void Item(std::string& dpb, char codigo, const std::string& valor) {
  dpb.push_back(codigo);
  dpb.push_back(static_cast<char>(valor.size()));
  dpb += valor;
}

void ItemInteiro(std::string& dpb, char codigo, std::uint32_t valor) {
  dpb.push_back(codigo);
  dpb.push_back(4);
  for (int i = 0; i < 4; ++i) dpb.push_back(static_cast<char>((valor >> (8 * i)) & 0xFF));
}

std::string Mensagem(const ISC_STATUS* status) {
  std::string mensagem;
  char linha[1024];
  const ISC_STATUS* p = status;
  while (fb_interpret(linha, sizeof linha, &p) > 0) {
    if (!mensagem.empty()) mensagem += "\n";
    mensagem += linha;
  }
  return mensagem;
}

}  // namespace

void CriaBanco(const std::filesystem::path& arquivo, int dialeto, const std::string& usuario,
               const std::string& senha) {
  regional::UsaNomesDeArquivoUtf8();
  std::string dpb(1, static_cast<char>(isc_dpb_version1));
  Item(dpb, isc_dpb_user_name, usuario);
  Item(dpb, isc_dpb_password, senha);
  ItemInteiro(dpb, isc_dpb_page_size, 8192);
  ItemInteiro(dpb, isc_dpb_sql_dialect, static_cast<std::uint32_t>(dialeto));
  Item(dpb, isc_dpb_set_db_charset, "NONE");
  Item(dpb, isc_dpb_utf8_filename, "");
  const std::string nome = arquivo.string();
  ISC_STATUS_ARRAY st{};
  isc_db_handle banco = 0;
  isc_create_database(st, static_cast<short>(nome.size()), nome.c_str(), &banco, static_cast<short>(dpb.size()),
                      dpb.data(), 0);
  if (st[0] == 1 && st[1] != 0) throw std::runtime_error(nome + ": " + Mensagem(st));
  isc_detach_database(st, &banco);
  if (st[0] == 1 && st[1] != 0) throw std::runtime_error(nome + ": " + Mensagem(st));
}

}  // namespace ferramentas
