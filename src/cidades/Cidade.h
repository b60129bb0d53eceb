#pragma once
// TConverteCidades: the values of one city and their row in CIDADES.
#include <string>

#include "conversao/classConversao.h"

class TConverteCidades : public TConversao {
 public:
  explicit TConverteCidades(TIBDatabase* cBanco);

  const std::u16string& CodCidade() const { return MCodCidade; }
  // First 5 characters, zero-padded to 5.
  void SetCodCidade(const std::u16string& Value);
  const std::u16string& Cidade() const { return MCidade; }
  // First 30 characters.
  void SetCidade(const std::u16string& Value);
  const std::u16string& Estado() const { return MEstado; }
  // First 2 characters.
  void SetEstado(const std::u16string& Value);
  const std::u16string& CodMunicipio() const { return MCodMunicipio; }
  // First 7 characters.
  void SetCodMunicipio(const std::u16string& Value);

  // The insert statement text, with its named parameters.
  static const char16_t* TextoInsert();
  // Inserts the current values into CIDADES through cBanco, in its default
  // transaction. Errors go to the caller.
  void ExecutaSql(TIBDatabase* cBanco);
  // Deletes every row of CIDADES and commits.
  void LimpaTabela();

 private:
  void PLimpaDados();

  std::u16string MCodCidade;
  std::u16string MCidade;
  std::u16string MEstado;
  std::u16string MCodMunicipio;
};
