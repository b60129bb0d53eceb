#include "clientes/ClientesController.h"

#include "clientes/Cliente.h"
#include "clientes/ComplClientes.h"
#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"
#include "conversao/PercorreOrigem.h"
#include "conversao/Relatorio.h"
#include "conversao/classConversao.h"

TIBQuery& TClassPreencheDadosClientes::BuscaClientesBDOrigem(TIBQuery& qryBusca) {
  qryBusca.SQL().Clear();
  qryBusca.SQL().SetText(
      u" SELECT CODIGO, PESSOA, RAZAO_SOCIAL, NOME_FANTASIA, CGC, CPF, CELULAR, FONE, FAX, BLOQUEADO, EMAIL, "
      u"CONTATO, IE, DT_CADASTRO, DT_NASC, ENDERECO, BAIRRO, UF, CEP, NUMEROCASA, NOME_PAI, NOME_MAE, ESTADO_CIVIL, "
      u"OBS, CIDADE FROM RECDB004 ");
  qryBusca.Open();
  return qryBusca;
}

void TClassPreencheDadosClientes::PreencheDadosClientes(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                        ui::TGauge& Barra, ui::TLabel& lblInfo) {
  ui::ProcessMessages();
  TConverteCliente ConverteClientes(&DbDestino);
  TConverteCompClie ConverteCompClientes(&DbDestino);
  TConversao FConversao(&DbDestino);
  TIBQuery qryBusca;
  qryBusca.SetDatabase(&DbOrigem);

  // The source rows are opened first: a table that cannot be read leaves the
  // destination's tables as they were.
  BuscaClientesBDOrigem(qryBusca);
  ConverteClientes.LimpaTabela();
  ConverteCompClientes.LimpaTabela();
  auto campo = [&qryBusca](const char16_t* nome) { return qryBusca.FieldByName(nome).AsString(); };
  PercorreOrigem(qryBusca, u"Clientes", u"CODIGO", Barra, lblInfo, [&] {
    const std::u16string cidade = campo(u"CIDADE");
    const std::u16string uf = campo(u"UF");
    const bool temCidade = !texto::Trim(cidade).empty();
    // Each of the three codes comes from this row's own CIDADE; a blank CIDADE
    // gives empty codes, never those of an earlier skipped row.
    auto codigoCidade = [&]() -> std::u16string { return temCidade ? FConversao.FCidade(cidade, uf) : u""; };

    ConverteClientes.SetCodCliente(campo(u"CODIGO"));
    ConverteClientes.SetNome(campo(u"RAZAO_SOCIAL"));
    ConverteClientes.SetNomeFantasia(campo(u"NOME_FANTASIA"));
    ConverteClientes.SetPessoa_FJ(campo(u"PESSOA"));
    const std::u16string cpf = campo(u"CPF");
    if (!texto::Trim(TConversao::FRemoveCaracter(cpf)).empty()) {
      ConverteClientes.SetCgcCpf(cpf);
    } else {
      ConverteClientes.SetCgcCpf(campo(u"CGC"));
    }
    ConverteClientes.SetCelular(campo(u"CELULAR"));
    ConverteClientes.SetFone(campo(u"FONE"));
    ConverteClientes.SetFax(campo(u"FAX"));
    ConverteClientes.SetCliBloqueado(campo(u"BLOQUEADO"));
    ConverteClientes.SetEmail(campo(u"EMAIL"));
    ConverteClientes.SetContato(campo(u"CONTATO"));
    ConverteClientes.SetInscEst(campo(u"IE"));
    ConverteClientes.SetDT_Cadastro(campo(u"DT_CADASTRO"));
    ConverteClientes.SetDT_Nascimento(campo(u"DT_NASC"));
    ConverteClientes.SetEndereco(campo(u"ENDERECO"));
    ConverteClientes.SetBairro(campo(u"BAIRRO"));
    ConverteClientes.SetEstado(uf);
    ConverteClientes.SetCodCidade(codigoCidade());
    ConverteClientes.SetCep(campo(u"CEP"));
    ConverteClientes.SetEnderecoEntr(campo(u"ENDERECO"));
    ConverteClientes.SetBairroEntr(campo(u"BAIRRO"));
    ConverteClientes.SetEstadoEntr(uf);
    ConverteClientes.SetCodCidadeEntr(codigoCidade());
    ConverteClientes.SetCepEntr(campo(u"CEP"));
    ConverteClientes.SetEnderecoCob(campo(u"ENDERECO"));
    ConverteClientes.SetBairroCob(campo(u"BAIRRO"));
    ConverteClientes.SetEstadoCob(uf);
    ConverteClientes.SetCodCidadeCob(codigoCidade());
    ConverteClientes.SetCepCob(campo(u"CEP"));
    ConverteCompClientes.SetCodcliente(ConverteClientes.CodCliente());
    ConverteCompClientes.SetEnderecoNfe(campo(u"ENDERECO"));
    ConverteCompClientes.SetNumeroNfe(campo(u"NUMEROCASA"));
    ConverteClientes.SetCampoLivre3(campo(u"NOME_PAI"));
    ConverteClientes.SetCampoLivre4(campo(u"NOME_MAE"));
    ConverteClientes.SetCampoLivre5(campo(u"ESTADO_CIVIL"));
    ConverteClientes.SetAtivo(u"S");
    ConverteClientes.SetObservacao(campo(u"OBS"));

    if (!texto::Trim(ConverteClientes.Nome()).empty()) {
      ConverteClientes.ExecutaSql(1);
      relatorio::Gravou(u"CLIENTE");
      ConverteCompClientes.ExecutaSql();
      relatorio::Gravou(u"COMPCLIE");
    } else {
      relatorio::Ignorou(relatorio::motivos::SemNome);
    }
  });
}
