#include "fornecedores/FornecedoresController.h"

#include "comum/Texto.h"
#include "conversao/PercorreOrigem.h"
#include "conversao/Relatorio.h"
#include "conversao/classConversao.h"
#include "fornecedores/Fornecedor.h"

TIBQuery& TClassPreencheDadosFornecedores::BuscaFornecedoresBDOrigem(TIBQuery& qryBusca) {
  qryBusca.SQL().Clear();
  qryBusca.SQL().SetText(
      u"SELECT CODIGO, RAZAO_SOCIAL, NOME_FANTASIA, CGC, IE, ENDERECO, BAIRRO, CIDADE, UF, FONE, FAX, EMAIL, OBS, "
      u"CONTATO FROM PAGDB003 ");
  qryBusca.Open();
  return qryBusca;
}

void TClassPreencheDadosFornecedores::PreencheConverteFornecedores(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                                   ui::TGauge& Barra, ui::TLabel& lblInfo) {
  TConverteFornece ConverteFornecedores(&DbDestino);
  TIBQuery qryBusca;
  qryBusca.SetDatabase(&DbOrigem);
  TConversao FConversao(&DbDestino);

  // The source rows are opened first: a table that cannot be read leaves the
  // destination's table as it was.
  BuscaFornecedoresBDOrigem(qryBusca);
  ConverteFornecedores.LimpaTabela();
  auto campo = [&qryBusca](const char16_t* nome) { return qryBusca.FieldByName(nome).AsString(); };
  PercorreOrigem(qryBusca, u"Fornecedores", u"CODIGO", Barra, lblInfo, [&] {
    ConverteFornecedores.SetCodFornec(campo(u"CODIGO"));
    ConverteFornecedores.SetNome(campo(u"RAZAO_SOCIAL"));
    ConverteFornecedores.SetNomeFantasia(campo(u"NOME_FANTASIA"));
    ConverteFornecedores.SetCgcCpf(campo(u"CGC"));
    ConverteFornecedores.SetInscEst(campo(u"IE"));
    ConverteFornecedores.SetPessoa_FJ(u"J");
    ConverteFornecedores.SetEndereco(campo(u"ENDERECO"));
    ConverteFornecedores.SetBairro(campo(u"BAIRRO"));
    ConverteFornecedores.SetEstado(campo(u"UF"));
    // The lookup gets CIDADE and UF exactly as read, before the name test, so a
    // skipped row may still append its city. A row without a city gets no
    // code: a code left by an earlier skipped row must not reach it.
    std::u16string cidade = campo(u"CIDADE");
    if (!cidade.empty()) {
      ConverteFornecedores.SetCodCidade(FConversao.FCidade(cidade, campo(u"UF")));
    } else {
      ConverteFornecedores.SetCodCidade(u"");
    }
    ConverteFornecedores.SetFone(campo(u"FONE"));
    ConverteFornecedores.SetFax(campo(u"FAX"));
    ConverteFornecedores.SetEmail(campo(u"EMAIL"));
    ConverteFornecedores.SetObservacao(campo(u"OBS"));
    ConverteFornecedores.SetContato(campo(u"CONTATO"));

    if (!texto::Trim(ConverteFornecedores.Nome()).empty()) {
      ConverteFornecedores.GravaFornecedor();
      relatorio::Gravou(u"FORNECE");
    } else {
      relatorio::Ignorou(relatorio::motivos::SemNome);
    }
  });
}
