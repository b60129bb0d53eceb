#include "clientes/Cliente.h"

#include <cmath>
#include <string>
#include <utility>

#include "comum/ConfiguracaoRegional.h"
#include "comum/Erro.h"
#include "comum/Texto.h"

namespace {

using texto::Primeiros;
using texto::Trim;

// Drops the double quotes one at a time; after each removal the setter's own
// steps run on the joined text, so a cut there can lose what followed a later
// quote. A value without quotes passes untouched.
template <typename Passos>
std::u16string SemAspas(std::u16string Val, Passos&& passos) {
  for (auto p = Val.find(u'"'); p != std::u16string::npos; p = Val.find(u'"')) {
    Val.erase(p, 1);
    Val = passos(std::move(Val));
  }
  return Val;
}

// Optional trim, then at most tamanho characters (no cut when tamanho < 0).
struct Corte {
  bool apara;
  int tamanho;
};
constexpr Corte kIntacto{false, -1};

std::u16string Aplica(std::u16string v, Corte c) {
  if (c.apara) v = Trim(v);
  if (c.tamanho >= 0) v = Primeiros(v, c.tamanho);
  return v;
}

// The plain text setters: quotes out, then trim and cut.
std::u16string TextoCortado(const std::u16string& Value, Corte noLaco, Corte noFim) {
  return Aplica(SemAspas(Value, [noLaco](std::u16string v) { return Aplica(std::move(v), noLaco); }), noFim);
}

std::u16string CodigoCidade(const std::u16string& Value) {
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return v; });
  if (Val.empty()) return {};
  return TConversao::StrZero(Primeiros(Val, 5), 5);
}

std::u16string Uf(const std::u16string& Value, Corte noLaco, bool aparaNoFim) {
  const std::u16string Val = SemAspas(Value, [noLaco](std::u16string v) { return Aplica(std::move(v), noLaco); });
  return texto::UpperCase(Aplica(Val, {aparaNoFim, 2}));
}

// Postal codes, tax numbers and state registration: digits only (or ISENTO).
std::u16string Documento(const std::u16string& Value, int tamanho) {
  const std::u16string Val =
      SemAspas(Value, [tamanho](std::u16string v) { return Primeiros(TConversao::TiraMascara(v), tamanho); });
  return TConversao::FRemoveCaracter(Primeiros(TConversao::TiraMascara(Val), tamanho));
}

// The date kept as text with "." separators; a text that is no date is kept
// as given (with its "/" replaced) when guardaInvalida is set.
std::u16string Data(const std::u16string& Value, bool guardaInvalida) {
  std::u16string copia = Value;
  std::u16string resultado = texto::Substitui(TConversao::FValidaData(copia), u'/', u'.');
  if (guardaInvalida && resultado.empty() && !Value.empty()) resultado = texto::Substitui(Value, u'/', u'.');
  return resultado;
}

}  // namespace

TConverteCliente::TConverteCliente(TIBDatabase* cBanco) : TConversao(cBanco) { LimpaVariavel(); }

TConverteCliente::~TConverteCliente() { QDestino.reset(); }

void TConverteCliente::SetCodCliente(const std::u16string& Value) {
  // The zeros go in before the mask is removed, so "12-34" ends with 7 digits.
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return TiraMascara(StrZero(v, 8)); });
  FCodCliente = TiraMascara(StrZero(Primeiros(Val, 8), 8));
}

void TConverteCliente::SetCodFornec(const std::u16string& Value) {
  FCodFornec = TextoCortado(Value, kIntacto, kIntacto);
}

void TConverteCliente::SetNome(const std::u16string& Value) { FNome = TextoCortado(Value, {true, 60}, {true, 60}); }

void TConverteCliente::SetContato(const std::u16string& Value) {
  FContato = TextoCortado(Value, {true, -1}, {true, 50});
}

void TConverteCliente::SetNomeFantasia(const std::u16string& Value) {
  FNomeFantasia = TextoCortado(Value, {false, 50}, {true, 50});
}

void TConverteCliente::SetEndereco(const std::u16string& Value) {
  FEndereco = TextoCortado(Value, {true, 60}, {true, 60});
}

void TConverteCliente::SetEnderecoEntr(const std::u16string& Value) {
  FEnderecoEntr = TextoCortado(Value, {true, 60}, {true, 60});
}

void TConverteCliente::SetEnderecoCob(const std::u16string& Value) {
  FEnderecoCob = TextoCortado(Value, {true, 60}, {true, 60});
}

void TConverteCliente::SetBairro(const std::u16string& Value) {
  FBairro = TextoCortado(Value, {false, 30}, {false, 30});
}

void TConverteCliente::SetBairroEntr(const std::u16string& Value) {
  FBairroEntr = TextoCortado(Value, {false, 30}, {false, 30});
}

void TConverteCliente::SetBairroCob(const std::u16string& Value) {
  FBairroCob = TextoCortado(Value, {true, 60}, {true, 30});
}

void TConverteCliente::SetCodCidade(const std::u16string& Value) { FCodCidade = CodigoCidade(Value); }

void TConverteCliente::SetNomeCidade(const std::u16string& Value) {
  FNomeCidade = TextoCortado(Value, {false, 30}, {false, 30});
}

void TConverteCliente::SetCodCidadeEntr(const std::u16string& Value) { FCodCidadeEntr = CodigoCidade(Value); }

void TConverteCliente::SetNomeCidadeEntr(const std::u16string& Value) {
  FNomeCidadeEntr = TextoCortado(Value, {false, 30}, {false, 30});
}

void TConverteCliente::SetCodCidadeCob(const std::u16string& Value) { FCodCidadeCob = CodigoCidade(Value); }

void TConverteCliente::SetNomeCidadeCob(const std::u16string& Value) {
  FNomeCidadeCob = TextoCortado(Value, {false, 30}, {false, 30});
}

void TConverteCliente::SetEstado(const std::u16string& Value) { FEstado = Uf(Value, {false, 2}, false); }

void TConverteCliente::SetEstadoEntr(const std::u16string& Value) { FEstadoEntr = Uf(Value, {true, 60}, true); }

void TConverteCliente::SetEstadoCob(const std::u16string& Value) { FEstadoCob = Uf(Value, {false, 20}, false); }

void TConverteCliente::SetCep(const std::u16string& Value) { FCep = Documento(Value, 8); }

void TConverteCliente::SetCepEntr(const std::u16string& Value) { FCepEntr = Documento(Value, 8); }

void TConverteCliente::SetCepCob(const std::u16string& Value) { FCepCob = Documento(Value, 8); }

void TConverteCliente::SetCgcCpf(const std::u16string& Value) { FCgcCpf = Documento(Value, 18); }

void TConverteCliente::SetInscEst(const std::u16string& Value) { FInscEst = Documento(Value, 15); }

void TConverteCliente::SetInscMunicipal(const std::u16string& Value) {
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return Primeiros(TiraMascara(v), 15); });
  FInscMunicipal = Primeiros(TiraMascara(Val), 15);
}

void TConverteCliente::SetPessoa_FJ(const std::u16string& Value) {
  FPessoa_FJ = TextoCortado(Value, kIntacto, {false, 1});
}

void TConverteCliente::SetFone(const std::u16string& Value) {
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return Primeiros(TiraMascara(Trim(v)), 15); });
  FFone = FSoNumero(Primeiros(Val, 16));
}

void TConverteCliente::SetFax(const std::u16string& Value) {
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return Primeiros(TiraMascara(Trim(v)), 15); });
  FFax = FSoNumero(Primeiros(TiraMascara(Trim(Val)), 16));
}

void TConverteCliente::SetPrefixCelular(const std::u16string& Value) {
  // Without a double quote in the value the mask stays: "(31)" is kept.
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return Primeiros(TiraMascara(v), 4); });
  FPrefixCelular = Primeiros(Val, 4);
}

void TConverteCliente::SetCelular(const std::u16string& Value) {
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return Primeiros(TiraMascara(v), 15); });
  FCelular = Primeiros(FSoNumero(Val), 20);
}

void TConverteCliente::SetEmail(const std::u16string& Value) { FEmail = TextoCortado(Value, {true, 60}, {true, 60}); }

void TConverteCliente::SetHomePage(const std::u16string& Value) {
  FHomePage = TextoCortado(Value, {true, 30}, {true, 30});
}

void TConverteCliente::SetAtivo(const std::u16string& Value) { FAtivo = TextoCortado(Value, kIntacto, {false, 1}); }

void TConverteCliente::SetNomeMae(const std::u16string& Value) { FNomeMae = TextoCortado(Value, kIntacto, kIntacto); }

void TConverteCliente::SetNomePai(const std::u16string& Value) { FNomePai = TextoCortado(Value, kIntacto, kIntacto); }

void TConverteCliente::SetCliBloqueado(const std::u16string& Value) {
  FCliBloqueado = TextoCortado(Value, kIntacto, {false, 1});
}

void TConverteCliente::SetMalaDiretaEletr(const std::u16string& Value) {
  FMalaDiretaEletr = TextoCortado(Value, kIntacto, kIntacto);
}

void TConverteCliente::SetProtestarCliente(const std::u16string& Value) {
  FProtestarCliente = TextoCortado(Value, kIntacto, kIntacto);
}

void TConverteCliente::SetDT_Nascimento(const std::u16string& Value) {
  // No birth date stays no date: the column is left out of the insert.
  FDT_Nascimento = Value.empty() ? std::u16string() : Data(Value, true);
}

void TConverteCliente::SetDT_Cadastro(const std::u16string& Value) { FDT_Cadastro = Data(Value, true); }

void TConverteCliente::SetDt_Ult_Venda(const std::u16string& Value) { FDT_Ult_Venda = Data(Value, false); }

void TConverteCliente::SetDT_ValCad(const std::u16string& Value) { FDT_Valcad = Data(Value, false); }

void TConverteCliente::SetObservacao(const std::u16string& Value) {
  FObservacao = TextoCortado(Value, {false, 100}, {false, 100});
}

void TConverteCliente::SetCampoLivre1(const std::u16string& Value) {
  FCampoLivre1 = TextoCortado(Value, {false, 20}, {false, 20});
}

void TConverteCliente::SetCampoLivre2(const std::u16string& Value) {
  FCampoLivre2 = TextoCortado(Value, {false, 20}, {false, 20});
}

void TConverteCliente::SetCampoLivre3(const std::u16string& Value) {
  FCampoLivre3 = TextoCortado(Value, {false, 60}, {false, 60});
}

void TConverteCliente::SetCampoLivre4(const std::u16string& Value) {
  FCampoLivre4 = TextoCortado(Value, {false, 60}, {false, 60});
}

void TConverteCliente::SetCampoLivre5(const std::u16string& Value) {
  FCampoLivre5 = TextoCortado(Value, {false, 40}, {false, 40});
}

void TConverteCliente::SetCampoLivre6(const std::u16string& Value) {
  FCampoLivre6 = TextoCortado(Value, {false, 40}, {false, 40});
}

void TConverteCliente::SetCampoLivre7(const std::u16string& Value) {
  FCampoLivre7 = TextoCortado(Value, {false, 40}, {false, 40});
}

void TConverteCliente::SetCampoLivre8(const std::u16string& Value) {
  FCampoLivre8 = TextoCortado(Value, {false, 40}, {false, 40});
}

void TConverteCliente::SetCampoLivre9(const std::u16string& Value) {
  FCampoLivre9 = TextoCortado(Value, {false, 40}, {false, 40});
}

void TConverteCliente::SetCampoLivre10(const std::u16string& Value) {
  FCampoLivre10 = TextoCortado(Value, {false, 40}, {false, 40});
}

void TConverteCliente::SetCodPais(const std::u16string& Value) {
  const std::u16string Val = SemAspas(Value, [](std::u16string v) { return TiraMascara(StrZero(v, 4)); });
  // A blank country keeps the one already there.
  if (!Trim(Value).empty()) FCodPais = TiraMascara(StrZero(Primeiros(Val, 4), 4));
}

void TConverteCliente::SetNomeSocio(const std::u16string& Value) {
  FNomeSocio = TextoCortado(Value, {false, 50}, {false, 50});
}

void TConverteCliente::SetLimiteCredito(double Value) { FLimiteCredito = Value; }

void TConverteCliente::SetCodSegmento(const std::u16string& Value) {
  FCodSegmento = TextoCortado(Value, kIntacto, kIntacto);
}

void TConverteCliente::SetCodClasCli(const std::u16string& Value) {
  const std::u16string Val = TextoCortado(Value, kIntacto, kIntacto);
  if (!Val.empty()) FCodClasCli = Val;
}

void TConverteCliente::SetCodVendend1(const std::u16string& Value) {
  FCodVendend1 = TextoCortado(Value, kIntacto, kIntacto);
}

void TConverteCliente::LimpaVariavel() {
  SetCodCliente(u"");
  SetNome(u"");
  SetNomeFantasia(u"");
  SetEndereco(u"");
  SetEnderecoEntr(u"");
  SetEnderecoCob(u"");
  SetBairro(u"");
  SetBairroEntr(u"");
  SetBairroCob(u"");
  SetCodCidade(u"");
  SetCodCidadeEntr(u"");
  SetCodCidadeCob(u"");
  SetEstado(u"");
  SetEstadoEntr(u"");
  SetEstadoCob(u"");
  SetCep(u"");
  SetCepEntr(u"");
  SetCepCob(u"");
  SetCgcCpf(u"");
  SetInscEst(u"");
  SetPessoa_FJ(u"F");
  SetFone(u"");
  SetFax(u"");
  SetPrefixCelular(u"");
  SetCelular(u"");
  SetEmail(u"");
  SetHomePage(u"");
  SetAtivo(u"S");
  SetCliBloqueado(u"N");
  SetMalaDiretaEletr(u"N");
  SetProtestarCliente(u"N");
  SetDT_Nascimento(u"");
  SetDT_Cadastro(u"");
  SetCampoLivre1(u"");
  SetCampoLivre2(u"");
  SetCampoLivre3(u"");
  SetCampoLivre4(u"");
  SetCampoLivre5(u"");
  SetCampoLivre6(u"");
  SetCampoLivre7(u"");
  SetCampoLivre8(u"");
  SetCampoLivre9(u"");
  SetCampoLivre10(u"");
  SetCodPais(u"");
  SetObservacao(u"");
}

namespace {

// The credit limit unquoted, always with "." as decimal separator.
std::u16string Numero(double valor) { return regional::FormataReal(valor, u'.'); }

}  // namespace

std::u16string TConverteCliente::MontaSqlInsere() {
  TValoresDoComando valores(false);
  return Insere(valores);
}

std::u16string TConverteCliente::AtualizaCliente() {
  TValoresDoComando valores(false);
  return Atualiza(valores);
}

std::u16string TConverteCliente::Insere(TValoresDoComando& V) const {
  std::u16string MCampoSql =
      u" Insert Into Cliente ( cliente.codCliente, cliente.nome, cliente.nomefantasia , cliente.endereco, "
      u"cliente.bairro, cliente.codcidade, cliente.estado, cliente.cep, cliente.cgccpf, cliente.inscest, "
      u"cliente.pessoa_fj, cliente.fone, cliente.fax, cliente.prefixcelular, cliente.celular, cliente.campolivre1, "
      u"cliente.campolivre2, cliente.campolivre3, cliente.campolivre4, cliente.campolivre5, cliente.campolivre6, "
      u"cliente.campolivre7, cliente.campolivre8, cliente.campolivre9, cliente.campolivre10, cliente.observacao, "
      u"cliente.email, cliente.homepage, cliente.enderecocob, cliente.bairrocob, cliente.cepcob, "
      u"cliente.codcidadecob, cliente.estadocob, cliente.enderecoent, cliente.bairroent, cliente.cepent, "
      u"cliente.codcidadeent, cliente.estadoent, cliente.codfornec, Cliente.contato, Cliente.CodSegmento, "
      u"Cliente.CodClasCli, Cliente.CodVendend1, Cliente.LimiteCredito, Cliente.CodPais, cliente.nomesocio, ";

  std::u16string MCampoParam = u" Values ( ";
  for (const std::u16string* valor :
       {&FCodCliente,  &FNome,          &FNomeFantasia, &FEndereco,     &FBairro,      &FCodCidade,    &FEstado,
        &FCep,         &FCgcCpf,        &FInscEst,      &FPessoa_FJ,    &FFone,        &FFax,          &FPrefixCelular,
        &FCelular,     &FCampoLivre1,   &FCampoLivre2,  &FCampoLivre3,  &FCampoLivre4, &FCampoLivre5,  &FCampoLivre6,
        &FCampoLivre7, &FCampoLivre8,   &FCampoLivre9,  &FCampoLivre10, &FObservacao,  &FEmail,        &FHomePage,
        &FEnderecoCob, &FBairroCob,     &FCepCob,       &FCodCidadeCob, &FEstadoCob,   &FEnderecoEntr, &FBairroEntr,
        &FCepEntr,     &FCodCidadeEntr, &FEstadoEntr,   &FCodFornec,    &FContato,     &FCodSegmento,  &FCodClasCli,
        &FCodVendend1}) {
    MCampoParam += V.Texto(*valor) + u", ";
  }
  MCampoParam += V.Numero(Numero(FLimiteCredito)) + u", ";
  MCampoParam += V.Texto(FCodPais) + u", ";
  MCampoParam += V.Texto(FNomeSocio) + u", ";

  // An empty date leaves its column out, so the column stays NULL.
  const struct {
    const std::u16string* valor;
    const char16_t* coluna;
  } datas[] = {{&FDT_Nascimento, u" cliente.dt_nascimento, "},
               {&FDT_Ult_Venda, u" cliente.dt_ultvenda, "},
               {&FDT_Cadastro, u" cliente.dt_cadastro, "},
               {&FDT_Valcad, u" cliente.DT_ValCad, "}};
  for (const auto& d : datas) {
    if (d.valor->empty()) continue;
    MCampoSql += d.coluna;
    MCampoParam += V.Texto(*d.valor) + u", ";
  }

  MCampoSql += std::u16string(u" cliente.Ativo, ") + u" cliente.CliBloqueado, " + u" cliente.maladiretaeletr, " +
               u" cliente.protestarcliente) ";
  // The double-quoted N is a text constant only in dialect 1.
  MCampoParam += V.Texto(FAtivo) + u",";
  MCampoParam += V.Texto(FCliBloqueado) + u"," + u"\"N\", " + u"\"N\") ";
  return MCampoSql + MCampoParam;
}

std::u16string TConverteCliente::Atualiza(TValoresDoComando& V) const {
  const struct {
    const char16_t* coluna;
    const std::u16string* valor;
  } textos[] = {
      {u" Update Cliente set cliente.Nome = ", &FNome},
      {u" cliente.nomefantasia = ", &FNomeFantasia},
      {u" cliente.endereco = ", &FEndereco},
      {u" cliente.bairro = ", &FBairro},
      {u" cliente.codcidade = ", &FCodCidade},
      {u" cliente.estado = ", &FEstado},
      {u" cliente.cep = ", &FCep},
      {u" cliente.cgccpf = ", &FCgcCpf},
      {u" cliente.inscest = ", &FInscEst},
      {u" cliente.pessoa_fj = ", &FPessoa_FJ},
      {u" cliente.fone = ", &FFone},
      {u" cliente.fax = ", &FFax},
      {u" cliente.prefixcelular = ", &FPrefixCelular},
      {u" cliente.celular = ", &FCelular},
      {u" cliente.campolivre1 = ", &FCampoLivre1},
      {u" cliente.campolivre2 = ", &FCampoLivre2},
      {u" cliente.campolivre3 = ", &FCampoLivre3},
      {u" cliente.campolivre4 = ", &FCampoLivre4},
      {u" cliente.campolivre5 = ", &FCampoLivre5},
      {u" cliente.campolivre6 = ", &FCampoLivre6},
      {u" cliente.campolivre7 = ", &FCampoLivre7},
      {u" cliente.campolivre8 = ", &FCampoLivre8},
      {u" cliente.campolivre9 = ", &FCampoLivre9},
      {u" cliente.campolivre10 = ", &FCampoLivre10},
      {u" cliente.observacao = ", &FObservacao},
      {u" cliente.email = ", &FEmail},
      {u" cliente.homepage = ", &FHomePage},
      {u" cliente.enderecocob = ", &FEnderecoCob},
      {u" cliente.bairrocob = ", &FBairroCob},
      {u" cliente.cepcob = ", &FCepCob},
      {u" cliente.codcidadecob = ", &FCodCidadeCob},
      {u" cliente.estadocob = ", &FEstadoCob},
      {u" cliente.enderecoent = ", &FEnderecoEntr},
      {u" cliente.bairroent = ", &FBairroEntr},
      {u" cliente.cepent = ", &FCepEntr},
      {u" cliente.codcidadeent = ", &FCodCidadeEntr},
      {u" cliente.estadoent = ", &FEstadoEntr},
      {u" cliente.codfornec = ", &FCodFornec},
      {u" Cliente.contato = ", &FContato},
      {u" Cliente.CodSegmento = ", &FCodSegmento},
      {u" Cliente.CodClasCli = ", &FCodClasCli},
      {u" Cliente.CodVendend1 = ", &FCodVendend1},
  };
  std::u16string MCampoSql;
  for (const auto& t : textos) MCampoSql += t.coluna + V.Texto(*t.valor) + u", ";
  MCampoSql += u" Cliente.LimiteCredito = " + V.Numero(Numero(FLimiteCredito)) + u", ";
  MCampoSql += u" Cliente.CodPais = " + V.Texto(FCodPais) + u", ";
  MCampoSql += u" cliente.nomesocio = " + V.Texto(FNomeSocio) + u", ";

  // An empty date empties its column.
  const struct {
    const std::u16string* valor;
    const char16_t* coluna;
    const char16_t* nulo;
  } datas[] = {
      {&FDT_Nascimento, u" cliente.dt_nascimento = ", u" cliente.dt_nascimento = NULL , "},
      {&FDT_Ult_Venda, u" cliente.dt_ultvenda = ", u" cliente.dt_ultvenda = NULL , "},
      {&FDT_Cadastro, u" cliente.dt_cadastro = ", u" cliente.dt_cadastro = NULL , "},
      {&FDT_Valcad, u" cliente.DT_ValCad = ", u" cliente.DT_ValCad = NULL , "},
  };
  for (const auto& d : datas) {
    if (d.valor->empty()) {
      MCampoSql += d.nulo;
    } else {
      MCampoSql += d.coluna + V.Texto(*d.valor) + u", ";
    }
  }

  // An update always unblocks the client.
  MCampoSql += u" cliente.Ativo = " + V.Texto(FAtivo) + u"," + u" cliente.CliBloqueado = \"N\", " +
               u" cliente.maladiretaeletr = \"N\", " + u" cliente.protestarcliente = \"N\" ";
  MCampoSql += u" where cliente.codcliente = " + V.Texto(FCodCliente);
  return MCampoSql;
}

bool TConverteCliente::ExecutaSql(std::int32_t Acao) {
  if (Acao != 1 && Acao != 2) {
    throw comum::Erro(u"Ação de gravação de cliente inválida: " + texto::IntParaTexto(Acao) +
                      u" (1 inclui, 2 altera).");
  }
  // A credit limit that is no number ("NAN", "INF") is written as it always
  // was, so it fails as it always did.
  QDestino->Close();
  TValoresDoComando::Executa(*QDestino, ValoresVinculados && std::isfinite(FLimiteCredito),
                             [&](TValoresDoComando& V) { return Acao == 1 ? Insere(V) : Atualiza(V); });
  // Reached only when the row was accepted: a failed client keeps its values.
  LimpaVariavel();
  return true;
}

void TConverteCliente::GravaNCliente(std::int32_t Quant) {
  QDestino->Close();
  QDestino->SQL().SetText(u" insert into ncliente ( ncliente.codempresa, ncliente.numeroclientes ) Values (\"00\"," +
                          texto::IntParaTexto(Quant) + u") ");
  QDestino->ExecSQL();
}

void TConverteCliente::LimpaTabela() { EsvaziaTabela(u"Delete from CLIENTE", u"Commit;"); }
