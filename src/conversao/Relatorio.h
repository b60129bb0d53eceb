#pragma once
// The report of a run: what each table read from the source, wrote to the
// destination and left out (with the row and why), the reference rows the
// lookups created on the way, and where a failed run stopped. The run fills
// it as it goes; the window and the batch runner show it and write it.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "comum/ConfiguracaoRegional.h"

namespace relatorio {

struct LinhaIgnorada {
  std::int64_t linha = 0;  // the row's number in the source reading, from 1
  std::u16string codigo;   // the source row's code, as read
  std::u16string motivo;
};

struct ReferenciaCriada {
  std::u16string tabela;  // the destination table, "CIDADES"
  std::u16string codigo;
  std::u16string descricao;
  std::u16string estado;  // cities only
};

// What a table of the destination holds once the run is over.
enum class Situacao {
  Confirmada,  // converted: its emptying and its new rows were committed
  ComoEstava,  // nothing of this run was committed in it
  Esvaziada,   // its emptying was committed, its new rows were not: it is empty
};

struct Tabela {
  std::u16string nome;    // as the progress label names it: "Clientes"
  std::u16string origem;  // the source table: "RECDB004"
  std::int64_t lidas = 0;
  // Rows written per destination table, in the order of the first write.
  std::vector<std::pair<std::u16string, std::int64_t>> gravadas;
  std::vector<LinhaIgnorada> ignoradas;
  std::vector<ReferenciaCriada> criadas;
  double segundos = 0;
  bool concluida = false;
  // The emptying of its destination table (or of one of them) was committed.
  bool esvaziada = false;
  // Its rows were committed: by the controller once the table finished, or by
  // the end of the run. A failed run undoes only what was not.
  bool confirmada = false;

  Situacao SituacaoFinal() const;

  std::int64_t Gravadas(const std::u16string& tabelaDestino) const;
  // Reference rows created in the destination table.
  std::int64_t Criadas(const std::u16string& tabelaDestino) const;
};

struct Falha {
  std::u16string tabela;   // empty when the run failed before its first table
  std::int64_t linha = 0;  // 0 when no row was being converted
  std::u16string codigo;
  std::u16string motivo;
};

enum class Resultado { Sucesso, Erro, Interrompida };

struct TRelatorio {
  std::u16string origem;
  std::u16string destino;
  bool simulacao = false;
  // The tables the operator ticked, in the run's order: "cidades", "clientes",
  // "fornecedores" (a run that stops early has fewer in tabelas).
  std::vector<std::u16string> marcadas;
  regional::DataHora inicio;  // local date and time the run started
  double segundos = 0;
  Resultado resultado = Resultado::Erro;
  std::vector<Tabela> tabelas;
  std::optional<Falha> falha;

  // Every row written to the destination table by any table of the run,
  // reference rows created by the lookups included.
  std::int64_t TotalGravado(const std::u16string& tabelaDestino) const;
  // Every ticked table with what it holds now, in the run's order; a ticked
  // table the run never reached is as it was. Names as the tables': "Cidades".
  std::vector<std::pair<std::u16string, Situacao>> Situacoes() const;
};

namespace motivos {
// A client or supplier whose RAZAO_SOCIAL is blank once normalised is not written.
inline constexpr const char16_t* SemNome = u"sem nome: RAZAO_SOCIAL vazia depois da normalização";
}  // namespace motivos

// While a Gravacao lives, the run's steps below record into its report;
// without one they do nothing. One run at a time.
class Gravacao {
 public:
  explicit Gravacao(TRelatorio& relatorio);
  ~Gravacao();
  Gravacao(const Gravacao&) = delete;
  Gravacao& operator=(const Gravacao&) = delete;

 private:
  TRelatorio* anterior_;
};

// A table's conversion starts and ends (its time is the span between).
void IniciaTabela(const std::u16string& nome, const std::u16string& origem);
void TerminaTabela();
// The source row now converted: its number from 1 and its code.
void IniciaLinha(std::int64_t numero, const std::u16string& codigo);
// The current row wrote one row into tabelaDestino.
void Gravou(const std::u16string& tabelaDestino);
// The current row is left out.
void Ignorou(const std::u16string& motivo);
// A lookup created a reference row.
void Criou(const std::u16string& tabela, const std::u16string& codigo, const std::u16string& descricao,
           const std::u16string& estado = {});
// The emptying of the current table's destination table was committed.
void EsvaziamentoConfirmado();
// Every table finished so far was committed and is kept whatever happens later.
void Confirmou();
// The run's end was committed: every table is kept.
void ConfirmouTudo();
// The run failed: where it was (the table and row being converted) and why.
void Falhou(const std::u16string& motivo);

}  // namespace relatorio
