#include "comum/ExecutorScript.h"

#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"
#include "comum/Texto.h"

namespace ferramentas {

std::vector<std::u16string> DivideScript(const std::u16string& script) {
  std::vector<std::u16string> comandos;
  std::u16string terminador = u";";
  std::u16string atual;
  auto fecha = [&] {
    std::u16string c = texto::Trim(atual);
    atual.clear();
    if (c.empty()) return;
    std::u16string maiusculo = texto::UpperCase(c);
    if (maiusculo.rfind(u"SET TERM", 0) == 0) {
      terminador = texto::Trim(c.substr(8));
      return;
    }
    comandos.push_back(c);
  };
  std::size_t i = 0;
  while (i < script.size()) {
    char16_t c = script[i];
    if (c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
      while (i < script.size() && script[i] != u'\n') ++i;
      continue;
    }
    if (c == u'\'') {
      std::size_t fim = script.find(u'\'', i + 1);
      if (fim == std::u16string::npos) fim = script.size() - 1;
      atual.append(script, i, fim - i + 1);
      i = fim + 1;
      continue;
    }
    if (script.compare(i, terminador.size(), terminador) == 0) {
      fecha();
      i += terminador.size();
      continue;
    }
    atual.push_back(c);
    ++i;
  }
  fecha();
  return comandos;
}

void ExecutaScript(TIBDatabase& banco, const std::u16string& script) {
  TIBTransaction transacao;
  transacao.SetDefaultDatabase(&banco);
  TIBQuery q;
  q.SetDatabase(&banco);
  q.SetTransaction(&transacao);
  for (const auto& comando : DivideScript(script)) {
    q.SQL().SetText(comando);
    if (!transacao.Active()) transacao.StartTransaction();
    q.ExecSQL();
    transacao.Commit();
  }
}

}  // namespace ferramentas
