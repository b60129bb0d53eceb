// The get-or-create lookups of the destination's reference tables: a name
// becomes the code of its row, and a missing row is created with the next
// code. Everything runs on QAuxiliar, so created rows belong to the run's
// transaction (except the manufacturer's, which commits at once).
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "comum/CodePage.h"
#include "comum/Erro.h"
#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"
#include "conversao/Relatorio.h"
#include "conversao/classConversao.h"

namespace {

// The code after the table's highest one, at its width; `primeiro` when the
// table has no code yet. A highest code that is not a number fails.
std::u16string ProximoCodigo(TIBQuery& q, const std::u16string& textoMaximo, const std::u16string& campo,
                             std::int32_t largura, const std::u16string& primeiro) {
  q.Close();
  q.SQL().SetText(textoMaximo);
  q.Open();
  if (q.FieldByName(campo).AsString().empty()) return primeiro;
  // Widened so that the largest code still counts one further.
  const std::int64_t maior = q.FieldByName(campo).AsInteger();
  return TConversao::StrZero(texto::IntParaTexto(maior + 1), largura);
}

// One code-and-description table whose code is computed by the lookup.
struct TabelaReferencia {
  const char16_t* tabela;
  const char16_t* busca;  // ends in "= ", the quoted description follows
  const char16_t* maximo;
  const char16_t* insercao;
  const char16_t* campoCodigo;  // also the code's parameter in the insert
  const char16_t* campoDescricao;
  std::int32_t largura;
};

std::u16string BuscaOuCria(TIBQuery& q, const TabelaReferencia& t, const std::u16string& descricao) {
  q.Close();
  q.SQL().SetText(t.busca + QuotedStr(descricao));
  q.Open();
  if (!q.IsEmpty()) return q.FieldByName(t.campoCodigo).AsString();

  const std::u16string novo =
      ProximoCodigo(q, t.maximo, t.campoCodigo, t.largura, TConversao::StrZero(u"1", t.largura));
  q.Close();
  q.SQL().SetText(t.insercao);
  q.ParamByName(t.campoCodigo).SetAsString(novo);
  q.ParamByName(t.campoDescricao).SetAsString(descricao);
  q.ExecSQL();
  relatorio::Criou(t.tabela, novo, descricao);
  return novo;
}

// The last three characters (all of a shorter text), zero-padded to three.
std::u16string TresUltimos(const std::u16string& codigo) {
  const std::u16string fim = codigo.size() > 3 ? codigo.substr(codigo.size() - 3) : codigo;
  return TConversao::StrZero(fim, 3);
}

const TabelaReferencia kGrupos{u"GRUPROD",
                               u" SELECT CODGRUPO FROM GRUPROD WHERE DESCRICAO = ",
                               u" SELECT MAX(CODGRUPO) AS CODGRUPO FROM GRUPROD ",
                               u" INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES (:CODGRUPO, :DESCRICAO) ",
                               u"CODGRUPO",
                               u"DESCRICAO",
                               3};

const TabelaReferencia kPaises{u"PAISES",
                               u" SELECT CODPAIS FROM PAISES WHERE NOMEPAIS = ",
                               u" SELECT MAX(CODPAIS) AS CODPAIS FROM PAISES ",
                               u" INSERT INTO PAISES (CODPAIS, NOMEPAIS) VALUES (:CODPAIS, :NOMEPAIS) ",
                               u"CODPAIS",
                               u"NOMEPAIS",
                               4};

const TabelaReferencia kClassesCliente{
    u"CLASCLI",
    u" SELECT CODCLASCLI FROM CLASCLI WHERE DESCRICAO = ",
    u" SELECT MAX(CODCLASCLI) AS CODCLASCLI FROM CLASCLI ",
    u" INSERT INTO CLASCLI (CODCLASCLI, DESCRICAO) VALUES (:CODCLASCLI, :DESCRICAO) ",
    u"CODCLASCLI",
    u"DESCRICAO",
    3};

const TabelaReferencia kLocais{u"LOCALPROD",
                               u" SELECT CODLOCAL FROM LOCALPROD WHERE DESCRICAO = ",
                               u" SELECT MAX(CODLOCAL) AS CODLOCAL FROM LOCALPROD ",
                               u" INSERT INTO LOCALPROD (CODLOCAL, DESCRICAO) VALUES (:CODLOCAL, :DESCRICAO) ",
                               u"CODLOCAL",
                               u"DESCRICAO",
                               8};

}  // namespace

namespace {

// A name or state as the engine holds and compares it in a single-byte
// column: the code page's bytes of it (a character the code page lacks is
// "?"), with the trailing blanks it ignores removed. Nothing for a text with a
// NUL or one of the code page's five undefined bytes: only the engine can say
// what it makes of those.
std::optional<std::u16string> FormaNoMotor(const std::u16string& valor) {
  const std::string bytes = codepage::ParaAnsi(valor);
  for (unsigned char b : bytes) {
    if (b == 0 || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) return std::nullopt;
  }
  std::u16string forma = codepage::DeAnsi(bytes);
  const std::size_t fim = forma.find_last_not_of(u' ');
  forma.erase(fim == std::u16string::npos ? 0 : fim + 1);
  return forma;
}

std::u16string Chave(const std::u16string& cidade, const std::u16string& estado) {
  return texto::IntParaTexto(static_cast<std::int64_t>(cidade.size())) + u':' + cidade + estado;
}

// Codes are texts of digits: the lowest is the first in the engine's order.
void GuardaMenor(std::u16string& menor, const std::u16string& codigo) {
  if (menor.empty() || codigo < menor) menor = codigo;
}

}  // namespace

const std::optional<TConversao::TabelaCidades>& TConversao::TabelaDeCidades() {
  if (tabelaCidades_) return *tabelaCidades_;
  tabelaCidades_.emplace();
  TIBQuery q;
  q.SetDatabase(cnBanco);
  q.SetTransaction(QAuxiliar->Transaction());
  // Byte equality with trailing blanks ignored is the engine's comparison for
  // the single-byte character sets NONE (0) and WIN1252 (53) in their default
  // collation; any other (a case- or accent-insensitive one, say) is left to
  // the engine.
  q.SQL().SetText(
      u"SELECT F.RDB$CHARACTER_SET_ID, COALESCE(RF.RDB$COLLATION_ID, F.RDB$COLLATION_ID, 0) "
      u"FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
      u"WHERE RF.RDB$RELATION_NAME = 'CIDADES' AND RF.RDB$FIELD_NAME IN ('CIDADE', 'ESTADO')");
  q.Open();
  int comparaveis = 0;
  for (; !q.Eof(); q.Next()) {
    if (q.Fields(0).IsNull()) continue;
    const std::int32_t conjunto = q.Fields(0).AsInteger();
    if ((conjunto == 0 || conjunto == 53) && q.Fields(1).AsInteger() == 0) ++comparaveis;
  }
  q.Close();
  if (comparaveis != 2) return *tabelaCidades_;

  // Of several rows with the same name and state, the lowest code answers,
  // as the search's ORDER BY gives it, whatever order the rows are stored in.
  TabelaCidades t;
  q.SQL().SetText(u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES");
  q.SetUniDirectional(true);
  q.Open();
  for (; !q.Eof(); q.Next()) {
    if (q.Fields(1).IsNull()) continue;
    const std::optional<std::u16string> cidade = FormaNoMotor(q.Fields(1).AsString());
    if (!cidade) continue;
    const std::u16string codigo = q.Fields(0).AsString();
    if (*cidade == u"BELO HORIZONTE") GuardaMenor(t.menorBeloHorizonte, codigo);
    if (q.Fields(2).IsNull()) continue;
    if (const auto estado = FormaNoMotor(q.Fields(2).AsString())) {
      GuardaMenor(t.codigos[Chave(*cidade, *estado)], codigo);
    }
  }
  q.Close();
  *tabelaCidades_ = std::move(t);
  return *tabelaCidades_;
}

std::u16string TConversao::FCidade(const std::u16string& Cidade, const std::u16string& Estado) {
  TIBQuery& q = *QAuxiliar;
  const std::u16string cidade = texto::UpperCase(Cidade);
  const std::u16string estado = texto::UpperCase(Estado);
  // The same search text always gets the same answer while this object
  // lives: a row found stays the lowest code of its name, since rows are only
  // added for names not found. The Belo Horizonte stand-in is not kept: a
  // Belo Horizonte created later in the client's state takes its place.
  std::u16string chave;
  if (LembraCidades) {
    chave = cidade + u'\0' + estado;
    auto achada = cidadesConhecidas_.find(chave);
    if (achada != cidadesConhecidas_.end()) return achada->second;
  }
  auto lembra = [&](const std::u16string& codigo) {
    if (LembraCidades) cidadesConhecidas_.emplace(chave, codigo);
    return codigo;
  };

  // The table in memory answers when both texts are ones it can compare.
  const std::optional<std::u16string> cidadeNoMotor = FormaNoMotor(cidade);
  const std::optional<std::u16string> estadoNoMotor = FormaNoMotor(estado);
  const TabelaCidades* tabela = nullptr;
  if (LembraCidades && cidadeNoMotor && estadoNoMotor && TabelaDeCidades()) tabela = &*TabelaDeCidades();

  if (tabela) {
    auto achada = tabela->codigos.find(Chave(*cidadeNoMotor, *estadoNoMotor));
    if (achada != tabela->codigos.end()) return lembra(achada->second);
  } else {
    q.Close();
    // Of several rows of the name and state, the lowest code, so that the
    // answer does not depend on where the engine keeps them.
    q.SQL().SetText(u" SELECT CODCIDADE FROM CIDADES WHERE CIDADE = " + QuotedStr(cidade) + u" AND ESTADO = " +
                    QuotedStr(estado) + u" ORDER BY CODCIDADE ");
    q.Open();
    if (!q.IsEmpty()) return lembra(q.FieldByName(u"CODCIDADE").AsString());
  }

  // The legacy abbreviation of Belo Horizonte, exactly as the legacy rows
  // spell it: the Belo Horizonte of the client's own state when there is one,
  // otherwise the one with the lowest code, whatever its state.
  if (Cidade == u"BHTE") {
    if (tabela) {
      auto propria = tabela->codigos.find(Chave(u"BELO HORIZONTE", *estadoNoMotor));
      if (propria != tabela->codigos.end()) return propria->second;
      if (!tabela->menorBeloHorizonte.empty()) return tabela->menorBeloHorizonte;
    } else {
      q.Close();
      q.SQL().SetText(u" SELECT CODCIDADE FROM CIDADES WHERE CIDADE = 'BELO HORIZONTE' ORDER BY CASE WHEN ESTADO = " +
                      QuotedStr(estado) + u" THEN 0 ELSE 1 END, CODCIDADE ");
      q.Open();
      if (!q.IsEmpty()) return q.FieldByName(u"CODCIDADE").AsString();
    }
  }

  const std::u16string novo =
      ProximoCodigo(q, u" SELECT MAX(CODCIDADE) AS CODCIDADE FROM CIDADES ", u"CODCIDADE", 5, u"00001");
  q.Close();
  q.SQL().SetText(u" INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES (:CODCIDADE, :CIDADE, :ESTADO) ");
  q.ParamByName(u"CODCIDADE").SetAsString(novo);
  q.ParamByName(u"CIDADE").SetAsString(cidade);
  q.ParamByName(u"ESTADO").SetAsString(estado);
  q.ExecSQL();
  relatorio::Criou(u"CIDADES", novo, cidade, estado);
  // The new row joins the table in memory as the engine holds it; a row it
  // cannot compare leaves every later search to the statements.
  if (tabelaCidades_ && *tabelaCidades_) {
    TabelaCidades& t = **tabelaCidades_;
    if (cidadeNoMotor && estadoNoMotor) {
      GuardaMenor(t.codigos[Chave(*cidadeNoMotor, *estadoNoMotor)], novo);
      if (*cidadeNoMotor == u"BELO HORIZONTE") GuardaMenor(t.menorBeloHorizonte, novo);
    } else {
      tabelaCidades_->reset();
    }
  }
  return lembra(novo);
}

std::u16string TConversao::FGrupo(const std::u16string& Grupo) {
  return BuscaOuCria(*QAuxiliar, kGrupos, texto::UpperCase(Grupo));
}

// The caller's code is bound, never pasted into the text: a code that is not
// digits then only ever names a row of its own.
std::u16string TConversao::FGrupoComCodigoPredefinido(const std::u16string& CodGrupo, const std::u16string& Descricao) {
  TIBQuery& q = *QAuxiliar;
  const std::u16string grupo = StrZero(CodGrupo, 3);

  q.Close();
  q.SQL().SetText(u" SELECT DESCRICAO FROM GRUPROD WHERE CODGRUPO = :CODGRUPO ");
  q.ParamByName(u"CODGRUPO").SetAsString(grupo);
  q.Open();
  if (q.IsEmpty()) {
    q.Close();
    q.SQL().SetText(u" INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES (:CODGRUPO, :DESCRICAO) ");
    q.ParamByName(u"CODGRUPO").SetAsString(grupo);
    q.ParamByName(u"DESCRICAO").SetAsString(texto::Primeiros(texto::UpperCase(Descricao), 30));
    q.ExecSQL();
  }
  return CodGrupo;
}

std::u16string TConversao::FSubGrupoComCodigoPredefinido(const std::u16string& CodGrupo,
                                                         const std::u16string& CodSubgrupo,
                                                         const std::u16string& Descricao) {
  TIBQuery& q = *QAuxiliar;

  q.Close();
  q.SQL().SetText(u" SELECT DESCRICAO FROM SUBGRUP WHERE CODGRUPO = :CODGRUPO AND CODSUBGRUPO = :CODSUBGRUPO ");
  q.ParamByName(u"CODGRUPO").SetAsString(StrZero(CodGrupo, 3));
  q.ParamByName(u"CODSUBGRUPO").SetAsString(StrZero(CodSubgrupo, 3));
  q.Open();
  if (q.IsEmpty()) {
    q.Close();
    q.SQL().SetText(
        u" INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO) VALUES (:CODGRUPO, :CODSUBGRUPO, :DESCRICAO) ");
    q.ParamByName(u"CODGRUPO").SetAsString(TresUltimos(CodGrupo));
    q.ParamByName(u"CODSUBGRUPO").SetAsString(TresUltimos(CodSubgrupo));
    q.ParamByName(u"DESCRICAO").SetAsString(texto::Primeiros(texto::UpperCase(Descricao), 30));
    q.ExecSQL();
  }
  return CodSubgrupo;
}

// Commits its own insert, and with it everything pending in the destination's
// default transaction. Errors are shown, never raised.
std::u16string TConversao::FFabricante(const std::u16string& Fabricante) {
  TIBQuery& q = *QAuxiliar;
  const std::u16string descricao = texto::Primeiros(Fabricante, 30);
  std::u16string codigo;
  try {
    q.Close();
    q.SQL().SetText(u" SELECT CODFABRIC FROM CADFABR WHERE DESCRICAO = :PFABRIC ");
    q.ParamByName(u"PFABRIC").SetAsString(descricao);
    q.Open();
    if (!q.FieldByName(u"CODFABRIC").IsNull()) {
      codigo = q.FieldByName(u"CODFABRIC").AsString();
    } else if (!Fabricante.empty()) {
      q.Close();
      q.SQL().SetText(u"SELECT MAX(CODFABRIC) AS CODFABRIC FROM CADFABR ");
      q.Open();
      if (q.FieldByName(u"CODFABRIC").IsNull()) {
        codigo = u"00001";
      } else {
        const std::int64_t maior = q.FieldByName(u"CODFABRIC").AsInteger();
        codigo = StrZero(texto::IntParaTexto(maior + 1), 5);
      }
      q.Close();
      q.SQL().SetText(u"INSERT INTO CADFABR ( CODFABRIC, DESCRICAO) VALUES( :PCODFABRIC, :PFABRIC) ");
      q.ParamByName(u"PCODFABRIC").SetAsString(codigo);
      q.ParamByName(u"PFABRIC").SetAsString(descricao);
      q.ExecSQL();
      q.SQL().SetText(u"COMMIT");
      q.ExecSQL();
    }
  } catch (const std::exception& e) {
    ui::MostraMensagem(ui::TipoMensagem::Aviso,
                       u"Erro ao converter Fabricante. Motivo: " + std::u16string(u"\r") + comum::MensagemDe(e));
  }
  return codigo;
}

std::u16string TConversao::FPais(const std::u16string& Pais) {
  return BuscaOuCria(*QAuxiliar, kPaises, texto::Primeiros(texto::UpperCase(Pais), 60));
}

std::u16string TConversao::FClasCli(const std::u16string& ClasCli) {
  return BuscaOuCria(*QAuxiliar, kClassesCliente, texto::Primeiros(texto::UpperCase(ClasCli), 20));
}

std::u16string TConversao::FLocalProd(const std::u16string& LocalProd) {
  return BuscaOuCria(*QAuxiliar, kLocais, texto::Primeiros(texto::UpperCase(LocalProd), 20));
}

// The unit is its own key, so the answer never depends on the database; an
// error is only shown.
std::u16string TConversao::FUnidade(const std::u16string& VFUNID) {
  TIBQuery& q = *QAuxiliar;
  const std::u16string unidade = texto::Primeiros(texto::UpperCase(VFUNID), 2);
  try {
    q.SQL().SetText(u"Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE");
    q.ParamByName(u"PUNIDADE").SetAsString(unidade);
    q.Open();
    if (q.IsEmpty()) {
      q.Close();
      q.SQL().SetText(u"Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)");
      q.ParamByName(u"PUNIDADE").SetAsString(unidade);
      q.ExecSQL();
    }
  } catch (const std::exception&) {
    ui::MostraMensagem(ui::TipoMensagem::Aviso, u"Erro ao converter Unidade.");
  }
  return unidade;
}

std::u16string TConversao::FRetornaCodClasFis(const std::u16string& ClasFis) {
  TIBQuery& q = *QAuxiliar;

  q.Close();
  q.SQL().SetText(u" SELECT CODCLASFIS FROM CLASFISC WHERE CODIGONCM = " + QuotedStr(ClasFis));
  q.Open();
  if (!q.IsEmpty()) return q.FieldByName(u"CODCLASFIS").AsString();

  const std::u16string novo =
      ProximoCodigo(q, u" Select Max(CODCLASFIS) as CodClasFis From CLASFISC ", u"CodClasFis", 4, u"0001");
  const std::u16string ncm = texto::Primeiros(texto::Trim(ClasFis), 8);
  q.Close();
  q.SQL().SetText(
      u" Insert Into CLASFISC (CodClasFis, CodigoNCM, CodNBM, CODNATRECEITA ) VALUES (:CodClasFis, :CodigoNCM, "
      u":CodNBM, :CODNATRECEITA )");
  // The stored key keeps four characters even once the codes need five.
  q.ParamByName(u"CodClasFis").SetAsString(StrZero(texto::Primeiros(novo, 4), 4));
  q.ParamByName(u"CodigoNCM").SetAsString(ncm);
  q.ParamByName(u"CodNBM").SetAsString(ncm);
  q.ParamByName(u"CODNATRECEITA").SetAsString(u"999");
  q.ExecSQL();
  return novo;
}
