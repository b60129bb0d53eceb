#include "clientes/ComplClientes.h"

#include <optional>

#include "comum/ConfiguracaoRegional.h"
#include "comum/Erro.h"
#include "comum/Texto.h"

namespace {

// The release date as the workstation reads a short date; a time part is not
// a date.
regional::DataHora LeData(const std::u16string& valor) {
  const std::optional<regional::DataHora> d = regional::LeDataHora(valor);
  if (!d || texto::Contem(texto::Trim(valor), u' ')) {
    throw comum::Erro(u"''" + valor + u"'' is not a valid date");
  }
  return *d;
}

}  // namespace

TConverteCompClie::TConverteCompClie(TIBDatabase* cBanco) : TConversao(cBanco) { LimpaVariavel(); }

TConverteCompClie::~TConverteCompClie() { QDestino.reset(); }

void TConverteCompClie::SetCodcliente(const std::u16string& Value) {
  // Padded again: a client code that lost a mask character comes back to 8.
  FCodcliente = StrZero(texto::Primeiros(texto::Trim(Value), 8), 8);
}

void TConverteCompClie::SetRefComerciais(const std::u16string& Value) { FRefComerciais = Value; }

void TConverteCompClie::SetRefBancarias(const std::u16string& Value) { FRefBancarias = Value; }

void TConverteCompClie::SetUsuario(const std::u16string& Value) { FUsuario = texto::Primeiros(Value, 10); }

void TConverteCompClie::SetData_lib(const std::u16string& Value) { FData_lib = texto::Primeiros(Value, 10); }

void TConverteCompClie::SetEnderecoNfe(const std::u16string& Value) { FEnderecoNfe = texto::Primeiros(Value, 60); }

void TConverteCompClie::SetNumeroNfe(const std::u16string& Value) { FNumeroNfe = texto::Primeiros(Value, 5); }

void TConverteCompClie::SetComplementoNfe(const std::u16string& Value) {
  FComplementoNfe = texto::Primeiros(Value, 60);
}

const char16_t* TConverteCompClie::TextoInsert() {
  return u"INSERT INTO COMPCLIE ( CODCLIENTE, REFCOMERCIAIS, REFBANCARIAS, USUARIO, DATA_LIB, ENDERECONFE, NUMERONFE, "
         u"COMPLEMENTONFE) VALUES (:PCODCLIENTE, :PREFCOMERCIAIS, :PREFBANCARIAS, :PUSUARIO, :PDATA_LIB, "
         u":PENDERECONFE, :PNUMERONFE, :PCOMPLEMENTONFE) ";
}

bool TConverteCompClie::ExecutaSql() {
  QDestino->SQL().SetText(TextoInsert());
  QDestino->ParamByName(u"PCODCLIENTE").SetAsString(FCodcliente);
  QDestino->ParamByName(u"PREFCOMERCIAIS").SetAsString(FRefComerciais);
  QDestino->ParamByName(u"PREFBANCARIAS").SetAsString(FRefBancarias);
  QDestino->ParamByName(u"PUSUARIO").SetAsString(FUsuario);
  QDestino->ParamByName(u"PENDERECONFE").SetAsString(FEnderecoNfe);
  QDestino->ParamByName(u"PCOMPLEMENTONFE").SetAsString(FComplementoNfe);
  QDestino->ParamByName(u"PNUMERONFE").SetAsString(FNumeroNfe);
  QDestino->ParamByName(u"PDATA_LIB").SetAsDate(LeData(FData_lib));
  QDestino->ExecSQL();
  LimpaVariavel();
  return true;
}

void TConverteCompClie::LimpaVariavel() {
  FCodcliente.clear();
  FRefComerciais.clear();
  FRefBancarias.clear();
  FUsuario.clear();
  FData_lib = u"01/01/1900";
  FEnderecoNfe.clear();
  FNumeroNfe.clear();
  FComplementoNfe.clear();
}

void TConverteCompClie::LimpaTabela() { EsvaziaTabela(u"Delete from COMPCLIE", u"Commit;"); }
