#include "aplicacao/nucleo/ArquivoLocal.h"

#include "banco/CabecalhoBanco.h"
#include "comum/Texto.h"

namespace verificacao {

namespace {

std::u16string Numero(int n) { return texto::DeUtf8(std::to_string(n)); }

std::u16string VersoesQueAbre(const banco::MotoresLocais& m) {
  if (m.firebird3 && m.firebird4) return u"Firebird 3 (ODS 12) e Firebird 4 (ODS 13.0)";
  if (m.firebird4) return u"Firebird 4 (ODS 13.0)";
  if (m.firebird3) return u"Firebird 3 (ODS 12)";
  return u"nenhuma versão do Firebird (falta o motor embutido)";
}

}  // namespace

std::u16string NomeDoLado(Lado lado) {
  return lado == Lado::Origem ? u"banco de dados de origem" : u"banco de dados de destino";
}

std::u16string ProblemaDoArquivo(const std::u16string& caminho, Lado lado) {
  return ProblemaDoArquivo(caminho, lado, banco::MotoresDestaInstalacao());
}

std::u16string ProblemaDoArquivo(const std::u16string& caminho, Lado lado, const banco::MotoresLocais& motores) {
  if (!banco::EhArquivoLocal(caminho)) return {};
  const banco::CabecalhoBanco c = banco::LeCabecalho(texto::ParaUtf8(caminho));
  const std::u16string quem = u"O " + NomeDoLado(lado) + u" (" + caminho + u")";
  switch (c.tipo) {
    case banco::CabecalhoBanco::Tipo::Ilegivel:
      return {};
    case banco::CabecalhoBanco::Tipo::NaoFirebird:
      return quem + u" não é um banco de dados Firebird: o arquivo está vazio, truncado ou é de outro tipo.";
    case banco::CabecalhoBanco::Tipo::Firebird:
      break;
  }
  if (banco::MotorAbre(motores, c.odsMaior, c.odsMenor)) return {};
  const std::u16string ods = u"ODS " + Numero(c.odsMaior) + u"." + Numero(c.odsMenor);
  const std::u16string versao = banco::VersaoFirebirdDoOds(c.odsMaior, c.odsMenor);
  const std::u16string gravadoPor = versao.empty()
                                        ? u"por uma versão do Firebird desconhecida ou mais nova (" + ods + u")"
                                        : u"pelo Firebird " + versao + u" (" + ods + u")";
  return quem + u" foi gravado " + gravadoPor +
         u", que esta instalação não abre como arquivo local: ela abre arquivos do " + VersoesQueAbre(motores) +
         u". Acesse-o por um servidor Firebird da versão dele, informando servidor/porta:caminho, ou faça um backup "
         u"dele com o gbak dessa versão e restaure-o com o gbak de uma versão que esta instalação abre.";
}

}  // namespace verificacao
