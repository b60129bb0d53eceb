#pragma once
// TConverteCompClie: the complement row (COMPCLIE) of one client: references,
// user, release date and the address used on invoices.
#include <string>

#include "conversao/classConversao.h"

class TConverteCompClie : public TConversao {
 public:
  // Binds the statement objects to cBanco and resets the values; connects nothing.
  explicit TConverteCompClie(TIBDatabase* cBanco);
  ~TConverteCompClie() override;

  // The values reach the database as parameters, so no setter touches quotes.
  const std::u16string& Codcliente() const { return FCodcliente; }
  void SetCodcliente(const std::u16string& Value);
  const std::u16string& RefComerciais() const { return FRefComerciais; }
  void SetRefComerciais(const std::u16string& Value);
  const std::u16string& RefBancarias() const { return FRefBancarias; }
  void SetRefBancarias(const std::u16string& Value);
  const std::u16string& Usuario() const { return FUsuario; }
  void SetUsuario(const std::u16string& Value);
  // A date in the short date format (dd/mm/yyyy).
  const std::u16string& Data_lib() const { return FData_lib; }
  void SetData_lib(const std::u16string& Value);
  const std::u16string& EnderecoNfe() const { return FEnderecoNfe; }
  void SetEnderecoNfe(const std::u16string& Value);
  const std::u16string& NumeroNfe() const { return FNumeroNfe; }
  void SetNumeroNfe(const std::u16string& Value);
  const std::u16string& ComplementoNfe() const { return FComplementoNfe; }
  void SetComplementoNfe(const std::u16string& Value);

  // The insert statement text, with its named parameters.
  static const char16_t* TextoInsert();
  // Inserts the current values into COMPCLIE, then resets them. A Data_lib that
  // is no date, or a row the database rejects, raises and keeps the values.
  bool ExecutaSql();
  // Every value empty, Data_lib "01/01/1900".
  void LimpaVariavel();
  // Empties COMPCLIE and commits the destination's default transaction.
  void LimpaTabela();

 private:
  std::u16string FCodcliente;
  std::u16string FRefComerciais;
  std::u16string FRefBancarias;
  std::u16string FUsuario;
  std::u16string FData_lib;
  std::u16string FEnderecoNfe;
  std::u16string FNumeroNfe;
  std::u16string FComplementoNfe;
};
