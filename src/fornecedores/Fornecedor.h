#pragma once
// TConverteFornece: one supplier of the destination table FORNECE. Every value
// is normalised by its setter when assigned; the row is written by one INSERT
// whose values are quoted into the statement text.
#include <string>

#include "conversao/classConversao.h"

class TConverteFornece : public TConversao {
 public:
  // Runs the base constructor on the destination connection, then resets the values.
  explicit TConverteFornece(TIBDatabase* cBanco);

  // Every setter but SetAtivo first removes all apostrophes, so no stored value
  // carries one.
  const std::u16string& CodFornec() const { return FCodFornec; }
  void SetCodFornec(const std::u16string& Value);
  const std::u16string& CodCliente() const { return FCodCliente; }
  void SetCodCliente(const std::u16string& Value);
  const std::u16string& Nome() const { return FNome; }
  void SetNome(const std::u16string& Value);
  const std::u16string& NomeFantasia() const { return FNomeFantasia; }
  void SetNomeFantasia(const std::u16string& Value);
  const std::u16string& Contato() const { return FContato; }
  void SetContato(const std::u16string& Value);
  const std::u16string& Endereco() const { return FEndereco; }
  void SetEndereco(const std::u16string& Value);
  const std::u16string& Bairro() const { return FBairro; }
  void SetBairro(const std::u16string& Value);
  const std::u16string& Cep() const { return FCep; }
  void SetCep(const std::u16string& Value);
  const std::u16string& CodCidade() const { return FCodCidade; }
  void SetCodCidade(const std::u16string& Value);
  // Held but never written.
  const std::u16string& NomeCidade() const { return FNomeCidade; }
  void SetNomeCidade(const std::u16string& Value);
  const std::u16string& Numero() const { return FNumero; }
  void SetNumero(const std::u16string& Value);
  const std::u16string& Complemento() const { return FComplemento; }
  void SetComplemento(const std::u16string& Value);
  const std::u16string& Estado() const { return FEstado; }
  void SetEstado(const std::u16string& Value);
  const std::u16string& InscMunicipal() const { return FInscMunicipal; }
  void SetInscMunicipal(const std::u16string& Value);
  const std::u16string& Pessoa_FJ() const { return FPessoa_FJ; }
  void SetPessoa_FJ(const std::u16string& Value);
  const std::u16string& CgcCpf() const { return FCgcCpf; }
  void SetCgcCpf(const std::u16string& Value);
  const std::u16string& InscEst() const { return FInscEst; }
  void SetInscEst(const std::u16string& Value);
  const std::u16string& Fone() const { return FFone; }
  void SetFone(const std::u16string& Value);
  const std::u16string& Fax() const { return FFax; }
  void SetFax(const std::u16string& Value);
  const std::u16string& Celular() const { return FCelular; }
  void SetCelular(const std::u16string& Value);
  const std::u16string& Email() const { return FEmail; }
  void SetEmail(const std::u16string& Value);
  const std::u16string& HomePage() const { return FHomePage; }
  void SetHomePage(const std::u16string& Value);
  const std::u16string& CampoLivre1() const { return FCampoLivre1; }
  void SetCampoLivre1(const std::u16string& Value);
  const std::u16string& CampoLivre2() const { return FCampoLivre2; }
  void SetCampoLivre2(const std::u16string& Value);
  const std::u16string& Observacao() const { return FObservacao; }
  void SetObservacao(const std::u16string& Value);
  const std::u16string& Ativo() const { return FAtivo; }
  void SetAtivo(const std::u16string& Value);
  const std::u16string& TipoFornece() const { return FTipoFornece; }
  void SetTipoFornece(const std::u16string& Value);
  const std::u16string& ContaCx() const { return FContaCx; }
  void SetContaCx(const std::u16string& Value);
  const std::u16string& CTCTbred() const { return FCTCTbred; }
  void SetCTCTbred(const std::u16string& Value);

  // Writes the current values as one FORNECE row in the destination's default
  // transaction, then resets them. A failed insert leaves the values in place.
  void GravaFornecedor();
  // Deletes every FORNECE row and commits the destination transaction, with
  // everything done before in it.
  void LimpaTabela();

  // Empty text through the setters; CodCliente, Ativo, ContaCx and CTCTbred
  // are left as they are.
  void LimpaVariavel();
  // The INSERT of the current values.
  std::u16string MontaSql() const;

 private:
  // The insert, its values quoted into the text or as markers.
  std::u16string Insere(TValoresDoComando& V) const;

  std::u16string FCodFornec;
  std::u16string FCodCliente;
  std::u16string FNome;
  std::u16string FNomeFantasia;
  std::u16string FContato;
  std::u16string FEndereco;
  std::u16string FBairro;
  std::u16string FCep;
  std::u16string FCodCidade;
  std::u16string FNomeCidade;
  std::u16string FNumero;
  std::u16string FComplemento;
  std::u16string FEstado;
  std::u16string FInscMunicipal;
  std::u16string FPessoa_FJ;
  std::u16string FCgcCpf;
  std::u16string FInscEst;
  std::u16string FFone;
  std::u16string FFax;
  std::u16string FCelular;
  std::u16string FEmail;
  std::u16string FHomePage;
  std::u16string FCampoLivre1;
  std::u16string FCampoLivre2;
  std::u16string FContaCx;
  std::u16string FCTCTbred;
  std::u16string FObservacao;
  std::u16string FAtivo;
  std::u16string FTipoFornece;
};
