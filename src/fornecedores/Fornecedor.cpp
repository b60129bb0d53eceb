#include "fornecedores/Fornecedor.h"

#include <initializer_list>

#include "comum/Texto.h"

namespace {

// An apostrophe would break the quoted statement text, so it is dropped rather
// than escaped.
std::u16string SemApostrofo(const std::u16string& valor) { return texto::RemoveTodos(valor, u'\''); }

std::u16string AparaECorta(const std::u16string& valor, int n) {
  return texto::Primeiros(texto::Trim(SemApostrofo(valor)), n);
}

std::u16string Corta(const std::u16string& valor, int n) { return texto::Primeiros(SemApostrofo(valor), n); }

std::u16string SoDigitosCortados(const std::u16string& valor, int n) { return TConversao::FSoNumero(Corta(valor, n)); }

}  // namespace

TConverteFornece::TConverteFornece(TIBDatabase* cBanco) : TConversao(cBanco) { LimpaVariavel(); }

void TConverteFornece::SetCodFornec(const std::u16string& Value) { FCodFornec = StrZero(Corta(Value, 6), 6); }

void TConverteFornece::SetCodCliente(const std::u16string& Value) { FCodCliente = StrZero(Corta(Value, 8), 8); }

void TConverteFornece::SetNome(const std::u16string& Value) { FNome = AparaECorta(Value, 50); }

void TConverteFornece::SetNomeFantasia(const std::u16string& Value) { FNomeFantasia = AparaECorta(Value, 40); }

void TConverteFornece::SetContato(const std::u16string& Value) { FContato = AparaECorta(Value, 30); }

void TConverteFornece::SetEndereco(const std::u16string& Value) { FEndereco = Corta(Value, 50); }

void TConverteFornece::SetBairro(const std::u16string& Value) { FBairro = AparaECorta(Value, 30); }

void TConverteFornece::SetCep(const std::u16string& Value) { FCep = FRemoveCaracter(Corta(Value, 9)); }

void TConverteFornece::SetCodCidade(const std::u16string& Value) {
  // A supplier without a city gets no code, not a code of zeros.
  std::u16string v = SemApostrofo(Value);
  FCodCidade = v.empty() ? v : StrZero(texto::Primeiros(v, 5), 5);
}

void TConverteFornece::SetNomeCidade(const std::u16string& Value) { FNomeCidade = AparaECorta(Value, 30); }

void TConverteFornece::SetNumero(const std::u16string& Value) { FNumero = Corta(Value, 10); }

void TConverteFornece::SetComplemento(const std::u16string& Value) {
  // Cut before trimming: leading blanks use up part of the 60.
  FComplemento = texto::Trim(Corta(Value, 60));
}

void TConverteFornece::SetEstado(const std::u16string& Value) { FEstado = Corta(Value, 2); }

void TConverteFornece::SetInscMunicipal(const std::u16string& Value) {
  FInscMunicipal = texto::Primeiros(TiraMascara(SemApostrofo(Value)), 15);
}

void TConverteFornece::SetPessoa_FJ(const std::u16string& Value) { FPessoa_FJ = Corta(Value, 1); }

void TConverteFornece::SetCgcCpf(const std::u16string& Value) {
  FCgcCpf = FRemoveCaracter(texto::Primeiros(TiraMascara(SemApostrofo(Value)), 14));
}

void TConverteFornece::SetInscEst(const std::u16string& Value) {
  FInscEst = FRemoveCaracter(texto::Primeiros(TiraMascara(SemApostrofo(Value)), 15));
}

void TConverteFornece::SetFone(const std::u16string& Value) { FFone = SoDigitosCortados(Value, 16); }

void TConverteFornece::SetFax(const std::u16string& Value) { FFax = SoDigitosCortados(Value, 16); }

void TConverteFornece::SetCelular(const std::u16string& Value) { FCelular = SoDigitosCortados(Value, 16); }

void TConverteFornece::SetEmail(const std::u16string& Value) { FEmail = texto::Trim(SemApostrofo(Value)); }

void TConverteFornece::SetHomePage(const std::u16string& Value) { FHomePage = Corta(Value, 30); }

void TConverteFornece::SetCampoLivre1(const std::u16string& Value) { FCampoLivre1 = AparaECorta(Value, 20); }

void TConverteFornece::SetCampoLivre2(const std::u16string& Value) { FCampoLivre2 = AparaECorta(Value, 20); }

void TConverteFornece::SetObservacao(const std::u16string& Value) { FObservacao = Corta(Value, 100); }

void TConverteFornece::SetAtivo(const std::u16string& Value) {
  // The one setter that keeps apostrophes; MontaSql's quoting doubles them.
  FAtivo = texto::UpperCase(texto::Primeiros(Value, 1));
}

void TConverteFornece::SetTipoFornece(const std::u16string& Value) { FTipoFornece = SemApostrofo(Value); }

void TConverteFornece::SetContaCx(const std::u16string& Value) { FContaCx = AparaECorta(Value, 7); }

void TConverteFornece::SetCTCTbred(const std::u16string& Value) { FCTCTbred = AparaECorta(Value, 7); }

void TConverteFornece::LimpaVariavel() {
  const std::u16string vazio;
  SetCodFornec(vazio);
  SetNome(vazio);
  SetNomeFantasia(vazio);
  SetContato(vazio);
  SetEndereco(vazio);
  SetBairro(vazio);
  SetCep(vazio);
  SetCodCidade(vazio);
  SetNomeCidade(vazio);
  SetNumero(vazio);
  SetComplemento(vazio);
  SetEstado(vazio);
  SetInscMunicipal(vazio);
  SetPessoa_FJ(vazio);
  SetCgcCpf(vazio);
  SetInscEst(vazio);
  SetObservacao(vazio);
  SetFone(vazio);
  SetFax(vazio);
  SetCelular(vazio);
  SetEmail(vazio);
  SetHomePage(vazio);
  SetCampoLivre1(vazio);
  SetCampoLivre2(vazio);
  SetTipoFornece(vazio);
}

std::u16string TConverteFornece::MontaSql() const {
  TValoresDoComando valores(false);
  return Insere(valores);
}

std::u16string TConverteFornece::Insere(TValoresDoComando& V) const {
  std::u16string sql =
      u" Insert Into fornece ( fornece.CodFornec, fornece.Nome, fornece.NomeFantasia, fornece.Contato, "
      u"fornece.Endereco, fornece.Bairro, fornece.Cep, fornece.CodCidade, fornece.Numero, fornece.Complemento, "
      u"fornece.Estado, fornece.InscMunicipal, fornece.Pessoa_FJ, fornece.CgcCpf, fornece.InscEst, "
      u"fornece.observacao, fornece.Fone, fornece.Fax, fornece.Celular, fornece.Email, fornece.HomePage, "
      u"fornece.CampoLivre1, fornece.CampoLivre2, fornece.codcliente, fornece.ativo, fornece.TipoFornece, "
      u"fornece.contacx, fornece.ctctbred ) Values (";
  // Every value quoted, empty ones included: no column is ever written as NULL.
  bool primeiro = true;
  for (const std::u16string* valor :
       {&FCodFornec,   &FNome,        &FNomeFantasia, &FContato, &FEndereco,      &FBairro,    &FCep,
        &FCodCidade,   &FNumero,      &FComplemento,  &FEstado,  &FInscMunicipal, &FPessoa_FJ, &FCgcCpf,
        &FInscEst,     &FObservacao,  &FFone,         &FFax,     &FCelular,       &FEmail,     &FHomePage,
        &FCampoLivre1, &FCampoLivre2, &FCodCliente,   &FAtivo,   &FTipoFornece,   &FContaCx,   &FCTCTbred}) {
    if (!primeiro) sql += u", ";
    sql += V.Texto(*valor);
    primeiro = false;
  }
  sql += u") ";
  return sql;
}

void TConverteFornece::GravaFornecedor() {
  TValoresDoComando::Executa(*QDestino, ValoresVinculados, [this](TValoresDoComando& V) { return Insere(V); });
  // Only after a successful insert, so a rejected supplier can still be inspected.
  LimpaVariavel();
}

void TConverteFornece::LimpaTabela() { EsvaziaTabela(u"Delete from FORNECE", u"Commit;"); }
