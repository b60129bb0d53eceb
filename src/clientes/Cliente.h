#pragma once
// TConverteCliente: the values of one client of the destination table CLIENTE,
// normalised as they are assigned, and the statements that write them.
#include <cstdint>
#include <string>

#include "conversao/classConversao.h"

class TConverteCliente : public TConversao {
 public:
  // Binds the statement objects to cBanco and resets the values; connects nothing.
  explicit TConverteCliente(TIBDatabase* cBanco);
  ~TConverteCliente() override;

  // Every setter except the date setters and SetLimiteCredito drops the double
  // quotes first, then cuts and filters the value for its column.
  const std::u16string& CodCliente() const { return FCodCliente; }
  void SetCodCliente(const std::u16string& Value);
  const std::u16string& CodFornec() const { return FCodFornec; }
  void SetCodFornec(const std::u16string& Value);
  const std::u16string& Nome() const { return FNome; }
  void SetNome(const std::u16string& Value);
  const std::u16string& Contato() const { return FContato; }
  void SetContato(const std::u16string& Value);
  const std::u16string& NomeFantasia() const { return FNomeFantasia; }
  void SetNomeFantasia(const std::u16string& Value);
  const std::u16string& Endereco() const { return FEndereco; }
  void SetEndereco(const std::u16string& Value);
  const std::u16string& EnderecoEntr() const { return FEnderecoEntr; }
  void SetEnderecoEntr(const std::u16string& Value);
  const std::u16string& EnderecoCob() const { return FEnderecoCob; }
  void SetEnderecoCob(const std::u16string& Value);
  const std::u16string& Bairro() const { return FBairro; }
  void SetBairro(const std::u16string& Value);
  const std::u16string& BairroEntr() const { return FBairroEntr; }
  void SetBairroEntr(const std::u16string& Value);
  const std::u16string& BairroCob() const { return FBairroCob; }
  void SetBairroCob(const std::u16string& Value);
  const std::u16string& CodCidade() const { return FCodCidade; }
  void SetCodCidade(const std::u16string& Value);
  const std::u16string& NomeCidade() const { return FNomeCidade; }
  void SetNomeCidade(const std::u16string& Value);
  const std::u16string& CodCidadeEntr() const { return FCodCidadeEntr; }
  void SetCodCidadeEntr(const std::u16string& Value);
  const std::u16string& NomeCidadeEntr() const { return FNomeCidadeEntr; }
  void SetNomeCidadeEntr(const std::u16string& Value);
  const std::u16string& CodCidadeCob() const { return FCodCidadeCob; }
  void SetCodCidadeCob(const std::u16string& Value);
  const std::u16string& NomeCidadeCob() const { return FNomeCidadeCob; }
  void SetNomeCidadeCob(const std::u16string& Value);
  const std::u16string& Estado() const { return FEstado; }
  void SetEstado(const std::u16string& Value);
  const std::u16string& EstadoEntr() const { return FEstadoEntr; }
  void SetEstadoEntr(const std::u16string& Value);
  const std::u16string& EstadoCob() const { return FEstadoCob; }
  void SetEstadoCob(const std::u16string& Value);
  const std::u16string& Cep() const { return FCep; }
  void SetCep(const std::u16string& Value);
  const std::u16string& CepEntr() const { return FCepEntr; }
  void SetCepEntr(const std::u16string& Value);
  const std::u16string& CepCob() const { return FCepCob; }
  void SetCepCob(const std::u16string& Value);
  const std::u16string& CgcCpf() const { return FCgcCpf; }
  void SetCgcCpf(const std::u16string& Value);
  const std::u16string& InscEst() const { return FInscEst; }
  void SetInscEst(const std::u16string& Value);
  const std::u16string& InscMunicipal() const { return FInscMunicipal; }
  void SetInscMunicipal(const std::u16string& Value);
  const std::u16string& Pessoa_FJ() const { return FPessoa_FJ; }
  void SetPessoa_FJ(const std::u16string& Value);
  const std::u16string& Fone() const { return FFone; }
  void SetFone(const std::u16string& Value);
  const std::u16string& Fax() const { return FFax; }
  void SetFax(const std::u16string& Value);
  const std::u16string& PrefixCelular() const { return FPrefixCelular; }
  void SetPrefixCelular(const std::u16string& Value);
  const std::u16string& Celular() const { return FCelular; }
  void SetCelular(const std::u16string& Value);
  const std::u16string& Email() const { return FEmail; }
  void SetEmail(const std::u16string& Value);
  const std::u16string& HomePage() const { return FHomePage; }
  void SetHomePage(const std::u16string& Value);
  const std::u16string& Ativo() const { return FAtivo; }
  void SetAtivo(const std::u16string& Value);
  const std::u16string& NomeMae() const { return FNomeMae; }
  void SetNomeMae(const std::u16string& Value);
  const std::u16string& NomePai() const { return FNomePai; }
  void SetNomePai(const std::u16string& Value);
  const std::u16string& CliBloqueado() const { return FCliBloqueado; }
  void SetCliBloqueado(const std::u16string& Value);
  const std::u16string& MalaDiretaEletr() const { return FMalaDiretaEletr; }
  void SetMalaDiretaEletr(const std::u16string& Value);
  const std::u16string& ProtestarCliente() const { return FProtestarCliente; }
  void SetProtestarCliente(const std::u16string& Value);

  // Dates are kept as texts with "." separators (25.03.2010), as the
  // statements send them.
  const std::u16string& DT_Nascimento() const { return FDT_Nascimento; }
  void SetDT_Nascimento(const std::u16string& Value);
  const std::u16string& DT_Cadastro() const { return FDT_Cadastro; }
  void SetDT_Cadastro(const std::u16string& Value);
  const std::u16string& Dt_Ult_Venda() const { return FDT_Ult_Venda; }
  void SetDt_Ult_Venda(const std::u16string& Value);
  const std::u16string& DT_ValCad() const { return FDT_Valcad; }
  void SetDT_ValCad(const std::u16string& Value);

  const std::u16string& Observacao() const { return FObservacao; }
  void SetObservacao(const std::u16string& Value);
  const std::u16string& CampoLivre1() const { return FCampoLivre1; }
  void SetCampoLivre1(const std::u16string& Value);
  const std::u16string& CampoLivre2() const { return FCampoLivre2; }
  void SetCampoLivre2(const std::u16string& Value);
  const std::u16string& CampoLivre3() const { return FCampoLivre3; }
  void SetCampoLivre3(const std::u16string& Value);
  const std::u16string& CampoLivre4() const { return FCampoLivre4; }
  void SetCampoLivre4(const std::u16string& Value);
  const std::u16string& CampoLivre5() const { return FCampoLivre5; }
  void SetCampoLivre5(const std::u16string& Value);
  const std::u16string& CampoLivre6() const { return FCampoLivre6; }
  void SetCampoLivre6(const std::u16string& Value);
  const std::u16string& CampoLivre7() const { return FCampoLivre7; }
  void SetCampoLivre7(const std::u16string& Value);
  const std::u16string& CampoLivre8() const { return FCampoLivre8; }
  void SetCampoLivre8(const std::u16string& Value);
  const std::u16string& CampoLivre9() const { return FCampoLivre9; }
  void SetCampoLivre9(const std::u16string& Value);
  const std::u16string& CampoLivre10() const { return FCampoLivre10; }
  void SetCampoLivre10(const std::u16string& Value);
  const std::u16string& CodPais() const { return FCodPais; }
  void SetCodPais(const std::u16string& Value);
  const std::u16string& NomeSocio() const { return FNomeSocio; }
  void SetNomeSocio(const std::u16string& Value);
  double LimiteCredito() const { return FLimiteCredito; }
  void SetLimiteCredito(double Value);
  const std::u16string& CodSegmento() const { return FCodSegmento; }
  void SetCodSegmento(const std::u16string& Value);
  const std::u16string& CodClasCli() const { return FCodClasCli; }
  void SetCodClasCli(const std::u16string& Value);
  const std::u16string& CodVendend1() const { return FCodVendend1; }
  void SetCodVendend1(const std::u16string& Value);

  // Back to the initial values; fifteen values that a run assigns once, or
  // never, are kept.
  void LimpaVariavel();

  // 1 inserts, 2 updates the client CodCliente on QDestino; the values are
  // reset only after the statement has run. Database errors reach the caller.
  bool ExecutaSql(std::int32_t Acao);
  // The insert statement of the current values; public so it can be checked.
  std::u16string MontaSqlInsere();
  // The update statement of the client CodCliente.
  std::u16string AtualizaCliente();
  // One counter row into ncliente for company 00.
  void GravaNCliente(std::int32_t Quant);
  // Empties CLIENTE and commits the destination's default transaction.
  void LimpaTabela();

 private:
  // The two statements, their values quoted into the text or as markers.
  std::u16string Insere(TValoresDoComando& V) const;
  std::u16string Atualiza(TValoresDoComando& V) const;

  std::u16string FCodCliente;
  std::u16string FCodFornec;
  std::u16string FNome;
  std::u16string FContato;
  std::u16string FNomeFantasia;
  std::u16string FEndereco;
  std::u16string FEnderecoEntr;
  std::u16string FEnderecoCob;
  std::u16string FBairro;
  std::u16string FBairroEntr;
  std::u16string FBairroCob;
  std::u16string FCodCidade;
  std::u16string FNomeCidade;
  std::u16string FCodCidadeEntr;
  std::u16string FNomeCidadeEntr;
  std::u16string FCodCidadeCob;
  std::u16string FNomeCidadeCob;
  std::u16string FEstado;
  std::u16string FEstadoEntr;
  std::u16string FEstadoCob;
  std::u16string FCep;
  std::u16string FCepEntr;
  std::u16string FCepCob;
  std::u16string FCgcCpf;
  std::u16string FInscEst;
  std::u16string FInscMunicipal;
  std::u16string FPessoa_FJ;
  std::u16string FFone;
  std::u16string FFax;
  std::u16string FPrefixCelular;
  std::u16string FCelular;
  std::u16string FEmail;
  std::u16string FHomePage;
  std::u16string FAtivo;
  std::u16string FNomeMae;
  std::u16string FNomePai;
  std::u16string FCliBloqueado;
  std::u16string FMalaDiretaEletr;
  std::u16string FProtestarCliente;
  std::u16string FDT_Nascimento;
  std::u16string FDT_Cadastro;
  std::u16string FDT_Ult_Venda;
  std::u16string FDT_Valcad;
  std::u16string FObservacao;
  std::u16string FCampoLivre1;
  std::u16string FCampoLivre2;
  std::u16string FCampoLivre3;
  std::u16string FCampoLivre4;
  std::u16string FCampoLivre5;
  std::u16string FCampoLivre6;
  std::u16string FCampoLivre7;
  std::u16string FCampoLivre8;
  std::u16string FCampoLivre9;
  std::u16string FCampoLivre10;
  std::u16string FCodPais;
  std::u16string FNomeSocio;
  double FLimiteCredito = 0;
  std::u16string FCodSegmento;
  std::u16string FCodClasCli;
  std::u16string FCodVendend1;
};
