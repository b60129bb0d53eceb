#include "cidades/Cidade.h"

#include "comum/Texto.h"

TConverteCidades::TConverteCidades(TIBDatabase* cBanco) : TConversao(cBanco) { PLimpaDados(); }

void TConverteCidades::PLimpaDados() {
  MCodCidade.clear();
  MCidade.clear();
  MEstado.clear();
  MCodMunicipio.clear();
}

void TConverteCidades::SetCodCidade(const std::u16string& Value) {
  MCodCidade = StrZero(texto::Primeiros(Value, 5), 5);
}

void TConverteCidades::SetCidade(const std::u16string& Value) { MCidade = texto::Primeiros(Value, 30); }

void TConverteCidades::SetEstado(const std::u16string& Value) { MEstado = texto::Primeiros(Value, 2); }

void TConverteCidades::SetCodMunicipio(const std::u16string& Value) { MCodMunicipio = texto::Primeiros(Value, 7); }

const char16_t* TConverteCidades::TextoInsert() {
  return u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO, CODMUNICIPIO)VALUES (:CODCIDADE, :CIDADE, :ESTADO, "
         u":CODMUNICIPIO); ";
}

void TConverteCidades::ExecutaSql(TIBDatabase* cBanco) {
  TIBQuery QCidades;
  QCidades.SetDatabase(cBanco);
  QCidades.SQL().SetText(TextoInsert());
  QCidades.ParamByName(u"CODCIDADE").SetAsString(CodCidade());
  QCidades.ParamByName(u"CIDADE").SetAsString(Cidade());
  QCidades.ParamByName(u"ESTADO").SetAsString(Estado());
  QCidades.ParamByName(u"CODMUNICIPIO").SetAsString(CodMunicipio());
  QCidades.ExecSQL();
}

void TConverteCidades::LimpaTabela() { EsvaziaTabela(u"DELETE FROM CIDADES", u"COMMIT"); }
