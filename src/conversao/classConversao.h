#pragma once
// TConversao: the base of every table converter and, on its own, a service
// object for the transaction procedures, the text normalisation functions and
// the get-or-create lookups of the destination's reference tables.
#include <cstdint>
#include <memory>
#include <string>
#include <optional>
#include <unordered_map>
#include <vector>

#include "banco/IBDatabase.h"
#include "banco/IBErro.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"

class TConversao {
 public:
  // Binds QDestino and QAuxiliar to the destination connection cBanco, which
  // stays borrowed. Connects nothing and starts nothing.
  explicit TConversao(TIBDatabase* cBanco);
  virtual ~TConversao();
  TConversao(const TConversao&) = delete;
  TConversao& operator=(const TConversao&) = delete;

  std::int32_t QuantRegistro() const { return FQuantRegistro; }
  void SetQuantRegistro(std::int32_t Value) { FQuantRegistro = Value; }
  std::int32_t NumRegistroAtual() const { return FNumRegistroAtual; }
  void SetNumRegistroAtual(std::int32_t Value) { FNumRegistroAtual = Value; }

  // Left-pads Valor with "0" to Qtd characters; never cuts, never trims.
  static std::u16string StrZero(const std::u16string& Valor, std::int32_t Qtd);

  // Start, commit, roll back Transacao when (not) active; errors go to the caller.
  static void PIniciaTransacao(TIBTransaction& Transacao);
  static void PConfirmaTransacao(TIBTransaction& Transacao);
  static void PCancelaTransacao(TIBTransaction& Transacao);

  // "DELETE FROM " + NomeTabela, then "COMMIT". An error sets ErroGravacao and
  // is shown in an error box; it goes no further.
  void PLimpaTabela(const std::u16string& NomeTabela);
  // Switch the trigger PRODUTO_BI0; an error is shown in a warning box and
  // Transacao is rolled back; it goes no further.
  void DesativaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao);
  void AtivaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao);

  // Text normalisation. They use no field of the object.
  static std::u16string TiraMascara(const std::u16string& Valor);
  static std::u16string FValidaData(std::u16string& Data);
  static std::u16string FValidaTelefone(const std::u16string& Tel);
  static std::u16string FVirgulaPonto(const std::u16string& Valor);
  static std::u16string FRemoveCaracter(const std::u16string& Valor);
  static std::u16string FRetiraAcento(const std::u16string& Valor);
  static std::u16string FRetiraTraco(const std::u16string& Valor);
  static std::u16string FSoNumero(const std::u16string& MNumero);
  static std::u16string FRetornaFJ(const std::u16string& sCNPJ_CPF);

  // Reference-table lookups on QAuxiliar, in the destination's default
  // transaction: the code of the row found, or of the row created with the
  // next code.
  std::u16string FCidade(const std::u16string& Cidade, const std::u16string& Estado);
  std::u16string FGrupo(const std::u16string& Grupo);
  std::u16string FGrupoComCodigoPredefinido(const std::u16string& CodGrupo, const std::u16string& Descricao);
  std::u16string FSubGrupoComCodigoPredefinido(const std::u16string& CodGrupo, const std::u16string& CodSubgrupo,
                                               const std::u16string& Descricao);
  std::u16string FFabricante(const std::u16string& Fabricante);
  std::u16string FPais(const std::u16string& Pais);
  std::u16string FClasCli(const std::u16string& ClasCli);
  std::u16string FLocalProd(const std::u16string& LocalProd);
  std::u16string FUnidade(const std::u16string& VFUNID);
  std::u16string FRetornaCodClasFis(const std::u16string& ClasFis);

  // Whether FCidade answers a search it has answered before from memory
  // (true) or always sends the statements (false, to compare the two).
  static inline bool LembraCidades = true;

  // Whether the client and supplier rows are written by statement texts with
  // markers, the same text for every row of a shape so that it is prepared
  // once, and the values bound (true); or with the values written into the
  // texts (false: the older way, kept to compare the two and for the
  // benchmark).
  static inline bool ValoresVinculados = true;

  // A dry run: the statements that would commit are not sent, so everything
  // the run does stays in its transaction, which the run then rolls back.
  static inline bool Simulacao = false;

  // Set when PLimpaTabela fails; never reset.
  bool ErroGravacao = false;
  // Not used by the system.
  bool Acao = false;

 protected:
  // A converter's LimpaTabela: the delete text, then the COMMIT statement text
  // through QAuxiliar, which commits the destination's default transaction
  // with everything done in it so far (not in a dry run). Errors reach the
  // caller.
  void EsvaziaTabela(const std::u16string& textoDelete, const std::u16string& textoCommit);

  std::int32_t FQuantRegistro = 0;
  std::int32_t FNumRegistroAtual = 0;
  // Owned; a derived converter may release QDestino itself and clear it.
  std::unique_ptr<TIBQuery> QDestino;
  std::unique_ptr<TIBQuery> QAuxiliar;
  TIBDatabase* cnBanco;

 private:
  // FCidade's answers so far: the searched name and state, then the code.
  std::unordered_map<std::u16string, std::u16string> cidadesConhecidas_;

  // CIDADES read once, for the searches of names not asked before, when the
  // engine's comparison of its CIDADE and ESTADO is plain byte equality with
  // trailing blanks ignored (character set NONE or WIN1252, default
  // collation). Rows the lookup creates are added as they are created.
  struct TabelaCidades {
    // Name and state as the engine compares them, then the lowest code of
    // such rows.
    std::unordered_map<std::u16string, std::u16string> codigos;
    // The lowest code of the rows named BELO HORIZONTE, whatever their state
    // (empty when there is none).
    std::u16string menorBeloHorizonte;
  };
  // Empty until the first search; then the table, or nothing when its
  // comparison rules are not those (the statements answer every search).
  std::optional<std::optional<TabelaCidades>> tabelaCidades_;
  const std::optional<TabelaCidades>& TabelaDeCidades();

 public:
  // For tests and callers that inspect the statement objects.
  TIBQuery* StatementDestino() const { return QDestino.get(); }
  TIBQuery* StatementAuxiliar() const { return QAuxiliar.get(); }
  TIBDatabase* Banco() const { return cnBanco; }
};

// A text quoted for a statement: single quotes around it, every inner single
// quote doubled.
std::u16string QuotedStr(const std::u16string& valor);

// The values of one statement as its text is built: written into the text as
// quoted texts, or as markers (":V1", ":V2"...) whose values are bound when
// the statement runs. Either way the server converts the same text to the
// column's type, so both write the same bytes.
class TValoresDoComando {
 public:
  explicit TValoresDoComando(bool marcadores) : marcadores_(marcadores) {}
  // A value the literal way would quote.
  std::u16string Texto(const std::u16string& valor);
  // A value the literal way would write as it is (a number).
  std::u16string Numero(const std::u16string& valor);
  // Builds the statement with monta(valores) and runs it on query, with
  // markers when vinculados. A value the server refuses as it binds it is
  // run again written into the text, so the row fails with the very error
  // of the text (nothing of the first try was done).
  template <typename Monta>
  static void Executa(TIBQuery& query, bool vinculados, Monta&& monta) {
    TValoresDoComando valores(vinculados);
    const std::u16string texto = monta(valores);
    valores.PoeEm(query, texto);
    try {
      query.ExecSQL();
    } catch (const EIBError& e) {
      if (!vinculados || !ValorLigadoRecusado(e)) throw;
      TValoresDoComando literais(false);
      query.SQL().SetText(monta(literais));
      query.ExecSQL();
    }
  }

 private:
  // Sets texto on query and binds the values; the prepared statement of a
  // text that ran before in the transaction is taken from the connection.
  void PoeEm(TIBQuery& query, const std::u16string& texto) const;
  std::u16string Marcador(const std::u16string& valor);

  bool marcadores_;
  std::vector<std::u16string> valores_;
};
