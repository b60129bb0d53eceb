// benchmark-conversao: generates samples, converts them table by table in this
// process through the batch runner's controller, and sets each table's time
// against the engine's limit for the same rows: the converted rows written
// into a second, empty destination by one prepared INSERT per table. Then the
// time per client row at two sizes of the clients and of the cities tables;
// with --servidor, the same conversion through a private Firebird server on
// loopback, its time against the embedded one and the network messages the
// client sent per row; with --memoria, the peak memory of converting a
// million clients and its time per row against a tenth of them instead.
// Meant for a build without sanitizers.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Esquemas.h"
#include "amostra/GeradorAmostra.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "apoio/ServidorFirebird.h"
#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"
#include "benchmark/ReleContador.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/CriacaoBanco.h"
#include "comum/Erro.h"
#include "comum/ExecutorScript.h"
#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

namespace fs = std::filesystem;
using Relogio = std::chrono::steady_clock;

const char* const kUso =
    "Uso: benchmark-conversao [--clientes N] [--fornecedores N] [--cidades N] [--sem-escala] [--servidor]\n"
    "                             [--literais]\n"
    "     benchmark-conversao --memoria [--clientes N] [--fornecedores N] [--cidades N] [--sem-escala]\n"
    "                             [--literais]\n"
    "\n"
    "Gera uma amostra (padrão: 100000 clientes, 20000 fornecedores, 5570 cidades),\n"
    "converte cada tabela como o conversor-lote e compara o tempo com o limite do\n"
    "motor: as mesmas linhas gravadas numa base vazia por um INSERT preparado por\n"
    "tabela. Depois compara o tempo por linha de cliente com 10000 clientes e com\n"
    "250 cidades, em amostras a mais; --sem-escala pula essas amostras.\n"
    "\n"
    "--servidor: converte também cópias da amostra por um servidor Firebird\n"
    "próprio em 127.0.0.1 (localhost/PORTA:arquivo), origem e destino, uma vez\n"
    "direto, para o tempo contra o embutido, e uma vez por um relé que conta as\n"
    "mensagens que o cliente enviou por linha de cada tabela.\n"
    "\n"
    "--memoria: só a conversão (padrão: 1000000 clientes, 500 fornecedores,\n"
    "250 cidades), o pico de memória da conversão de clientes e o tempo por\n"
    "linha de cliente contra o de 100000 clientes (--sem-escala pula este).\n"
    "\n"
    "--literais: clientes e fornecedores gravados com os valores escritos no\n"
    "texto de cada comando, como antes, em vez de marcadores e valores ligados.\n";

// The sizes the time per client row is compared at, against the main sample's.
constexpr int kClientesEscala = 10000;
constexpr int kCidadesEscala = 250;

// The clients' count the time per client row of --memoria is compared at.
constexpr int kClientesComparacaoMemoria = 100000;

// Rows read back and held at a time for the engine's limit.
constexpr std::size_t kLinhasPorLote = 2000;

double SegundosDesde(Relogio::time_point inicio) {
  return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

// Processor seconds of every thread of this process, the embedded engine's too.
double SegundosCpu() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  auto segundos = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return segundos(uso.ru_utime) + segundos(uso.ru_stime);
}

// Wall-clock and processor time. Other work on the machine stretches the
// first much more than the second, so both are shown.
struct Tempo {
  double relogio = 0;
  double cpu = 0;

  Tempo& operator+=(const Tempo& t) {
    relogio += t.relogio;
    cpu += t.cpu;
    return *this;
  }
  friend Tempo operator+(Tempo a, const Tempo& b) { return a += b; }
  friend Tempo operator/(const Tempo& a, double n) { return {a.relogio / n, a.cpu / n}; }
};

class Cronometro {
 public:
  Cronometro() : relogio_(Relogio::now()), cpu_(SegundosCpu()) {}
  Tempo Decorrido() const { return {SegundosDesde(relogio_), SegundosCpu() - cpu_}; }

 private:
  Relogio::time_point relogio_;
  double cpu_;
};

long PicoMemoriaKb() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return uso.ru_maxrss;
}

std::string Fixo(double valor, int casas) {
  std::ostringstream s;
  s << std::fixed << std::setprecision(casas) << valor;
  return s.str();
}

std::string MiB(long kb) { return Fixo(static_cast<double>(kb) / 1024.0, 1); }

class Silenciosa : public ui::IInterfaceUsuario {
 public:
  void MostraMensagem(ui::TipoMensagem tipo, const std::u16string& texto) override {
    if (tipo != ui::TipoMensagem::Informacao) std::cerr << texto::ParaUtf8(texto) << "\n";
  }
  void ProcessaEventosPendentes() override {}
};

struct Lado {
  TIBDatabase banco;
  TIBTransaction transacao;
  explicit Lado(const fs::path& arquivo) : Lado(arquivo.string()) {}
  // A file name, or one that reaches the file through a server.
  explicit Lado(const std::string& nome) {
    ConfiguraConexao(banco, transacao);
    banco.SetDatabaseName(texto::DeUtf8(nome));
    banco.SetConnected(true);
    transacao.SetActive(true);
  }
};

// ---- Samples ----

struct Amostra {
  fs::path pasta;
  amostra::Parametros p;

  fs::path Origem() const { return pasta / "LEGADO.FDB"; }
  fs::path Destino() const { return pasta / "VESTREL.FB"; }
  std::string Descricao() const {
    return std::to_string(p.clientes) + " clientes, " + std::to_string(p.fornecedores) + " fornecedores, " +
           std::to_string(p.cidades) + " cidades";
  }
};

// Writes every sample in a child process, before this one first uses the
// client library: the generator's memory then never counts in this process's
// peak, which stays the conversions' alone.
bool GeraAmostras(const std::vector<Amostra>& amostras) {
  std::cout.flush();
  const pid_t filho = ::fork();
  if (filho < 0) {
    std::cerr << "benchmark-conversao: fork: " << std::strerror(errno) << "\n";
    return false;
  }
  if (filho == 0) {
    int status = 0;
    try {
      for (const Amostra& a : amostras) {
        const auto inicio = Relogio::now();
        std::ostringstream relatorio;
        amostra::Gera(a.pasta, a.p, relatorio);
        std::cout << "amostra de " << a.Descricao() << " gerada em " << Fixo(SegundosDesde(inicio), 1) << " s"
                  << std::endl;
      }
    } catch (const std::exception& e) {
      std::cerr << "benchmark-conversao: " << e.what() << std::endl;
      status = 1;
    }
    std::exit(status);
  }
  int status = 0;
  if (::waitpid(filho, &status, 0) < 0) {
    std::cerr << "benchmark-conversao: waitpid: " << std::strerror(errno) << "\n";
    return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// ---- Conversion ----

struct Passo {
  Tempo tempo{};
  long picoKb = 0;
};

// One run of the controller for the ticked tables; the peak memory is read
// right after it. Fails when the run did (the reason went to standard error).
Passo Converte(Lado& origem, Lado& destino, bool cidades, bool clientes, bool fornecedores) {
  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, cidades, clientes, fornecedores);
  ui::TGauge barra;
  ui::TLabel rotulo;
  TClassesConversaoController controlador;
  const Cronometro cronometro;
  const bool ok = controlador.FEfetuaConversao(params, origem.banco, origem.transacao, destino.banco, destino.transacao,
                                               barra, rotulo);
  Passo passo{cronometro.Decorrido(), PicoMemoriaKb()};
  if (!ok) throw comum::Erro(u"a conversão falhou");
  return passo;
}

// ---- The engine's limit ----

// A destination column, and how its values are read back and bound again.
struct Coluna {
  enum class Tipo { Texto, Numero, Data };
  std::u16string nome;
  Tipo tipo = Tipo::Texto;
};

struct Celula {
  bool nulo = true;
  std::u16string texto;
  regional::DataHora data;
};
using Linha = std::vector<Celula>;

// The columns of a table in their order, as the system tables describe them.
std::vector<Coluna> ColunasDe(TIBDatabase& banco, TIBTransaction& transacao, const std::u16string& tabela) {
  TIBQuery q;
  q.SetTransaction(&transacao);
  q.SetDatabase(&banco);
  q.SQL().SetText(
      u"SELECT RF.RDB$FIELD_NAME, F.RDB$FIELD_TYPE FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F "
      u"ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = :TABELA "
      u"ORDER BY RF.RDB$FIELD_POSITION");
  q.ParamByName(u"TABELA").SetAsString(tabela);
  q.Open();
  std::vector<Coluna> colunas;
  for (; !q.Eof(); q.Next()) {
    Coluna c{q.Fields(0).AsString()};
    switch (q.Fields(1).AsInteger()) {
      case 14:  // CHAR
      case 37:  // VARCHAR
        c.tipo = Coluna::Tipo::Texto;
        break;
      case 7:   // SMALLINT
      case 8:   // INTEGER
      case 10:  // FLOAT
      case 16:  // BIGINT, NUMERIC
      case 27:  // DOUBLE PRECISION
        c.tipo = Coluna::Tipo::Numero;
        break;
      case 12:  // DATE
      case 35:  // TIMESTAMP, the DATE of dialect 1
        c.tipo = Coluna::Tipo::Data;
        break;
      default:
        throw comum::Erro(u"coluna de tipo não previsto: " + tabela + u"." + c.nome);
    }
    colunas.push_back(std::move(c));
  }
  if (colunas.empty()) throw comum::Erro(u"tabela sem colunas: " + tabela);
  return colunas;
}

// The rows of a destination table, read a chunk at a time in one snapshot.
// Dates are read into values and numbers get "." as decimal separator here,
// so the inserts only bind.
class LeituraDaTabela {
 public:
  LeituraDaTabela(TIBDatabase& banco, const std::u16string& tabela) {
    transacao_.SetDefaultDatabase(&banco);
    transacao_.StartTransaction();
    colunas_ = ColunasDe(banco, transacao_, tabela);
    std::u16string lista;
    for (const Coluna& c : colunas_) lista += (lista.empty() ? u"" : u", ") + c.nome;
    consulta_.SetTransaction(&transacao_);
    consulta_.SetDatabase(&banco);
    consulta_.SetUniDirectional(true);
    consulta_.SQL().SetText(u"SELECT " + lista + u" FROM " + tabela);
    consulta_.Open();
  }

  const std::vector<Coluna>& Colunas() const { return colunas_; }

  // Replaces lote with up to maximo rows; false when no row was left.
  bool Proximas(std::vector<Linha>& lote, std::size_t maximo) {
    lote.clear();
    for (; !consulta_.Eof() && lote.size() < maximo; consulta_.Next()) lote.push_back(LinhaAtual());
    return !lote.empty();
  }

 private:
  Linha LinhaAtual() {
    Linha linha(colunas_.size());
    for (std::size_t i = 0; i < colunas_.size(); ++i) {
      TField& campo = consulta_.Fields(static_cast<int>(i));
      Celula& c = linha[i];
      c.nulo = campo.IsNull();
      if (c.nulo) continue;
      switch (colunas_[i].tipo) {
        case Coluna::Tipo::Texto:
          c.texto = campo.AsString();
          break;
        case Coluna::Tipo::Numero:
          c.texto = texto::Substitui(campo.AsString(), regional::SeparadorDecimal, u'.');
          break;
        case Coluna::Tipo::Data: {
          const auto d = regional::LeDataHora(campo.AsString());
          if (!d) throw comum::Erro(u"data ilegível em " + colunas_[i].nome + u": " + campo.AsString());
          c.data = *d;
          break;
        }
      }
    }
    return linha;
  }

  TIBTransaction transacao_;
  TIBQuery consulta_;
  std::vector<Coluna> colunas_;
};

// A table's rows read at once and kept, for a limit measured later.
struct LinhasGuardadas {
  std::vector<Coluna> colunas;
  std::vector<Linha> linhas;
};

LinhasGuardadas Guarda(TIBDatabase& banco, const std::u16string& tabela) {
  LeituraDaTabela leitura(banco, tabela);
  LinhasGuardadas g{leitura.Colunas(), {}};
  std::vector<Linha> lote;
  while (leitura.Proximas(lote, kLinhasPorLote)) {
    for (Linha& l : lote) g.linhas.push_back(std::move(l));
  }
  return g;
}

struct Limite {
  std::u16string tabela;
  long linhas = 0;
  Tempo tempo{};
};

// Writes the rows that proximas hands over into the table of an empty
// destination through one prepared INSERT, executed once per row in one
// transaction, then commits. Only the inserts (the first one prepares the
// statement) and the commit are timed.
Limite MedeLimite(Lado& vazio, const std::u16string& tabela, const std::vector<Coluna>& colunas,
                  const std::function<bool(std::vector<Linha>&)>& proximas) {
  std::u16string nomes;
  std::u16string marcadores;
  for (const Coluna& c : colunas) {
    nomes += (nomes.empty() ? u"" : u", ") + c.nome;
    marcadores += (marcadores.empty() ? u":" : u", :") + c.nome;
  }
  TIBQuery insercao;
  insercao.SetDatabase(&vazio.banco);
  insercao.SQL().SetText(u"INSERT INTO " + tabela + u" (" + nomes + u") VALUES (" + marcadores + u")");
  if (!vazio.transacao.Active()) vazio.transacao.StartTransaction();

  Limite limite{tabela};
  std::vector<Linha> lote;
  while (proximas(lote)) {
    const Cronometro cronometro;
    for (const Linha& linha : lote) {
      for (std::size_t i = 0; i < colunas.size(); ++i) {
        TParam& p = insercao.Params(static_cast<int>(i));
        const Celula& c = linha[i];
        if (c.nulo) {
          p.Clear();
        } else if (colunas[i].tipo == Coluna::Tipo::Data) {
          p.SetAsDate(c.data);
        } else {
          p.SetAsString(c.texto);
        }
      }
      insercao.ExecSQL();
    }
    limite.tempo += cronometro.Decorrido();
    limite.linhas += static_cast<long>(lote.size());
  }
  const Cronometro cronometro;
  vazio.transacao.Commit();
  limite.tempo += cronometro.Decorrido();
  return limite;
}

Limite MedeLimite(Lado& vazio, const std::u16string& tabela, LinhasGuardadas& guardadas) {
  bool entregue = false;
  return MedeLimite(vazio, tabela, guardadas.colunas, [&](std::vector<Linha>& lote) {
    if (entregue) return false;
    lote = std::move(guardadas.linhas);
    entregue = true;
    return true;
  });
}

Limite MedeLimite(Lado& vazio, TIBDatabase& convertido, const std::u16string& tabela) {
  LeituraDaTabela leitura(convertido, tabela);
  return MedeLimite(vazio, tabela, leitura.Colunas(),
                    [&](std::vector<Linha>& lote) { return leitura.Proximas(lote, kLinhasPorLote); });
}

// An empty destination of the generator's schema, with the program's
// connection settings.
void CriaDestinoVazio(const fs::path& arquivo) {
  TIBDatabase banco;
  TIBTransaction transacao;
  ConfiguraConexao(banco, transacao);
  ferramentas::CriaBanco(arquivo, 1, texto::ParaUtf8(banco.Params().Values(u"user_name")),
                         texto::ParaUtf8(banco.Params().Values(u"password")));
  banco.SetDatabaseName(texto::DeUtf8(arquivo.string()));
  banco.SetConnected(true);
  ferramentas::ExecutaScript(banco, texto::DeUtf8(esquemas::Destino()));
}

// ---- Report ----

// Padded to largura columns of the terminal; the text is UTF-8.
std::string Alinha(const std::string& texto, std::size_t largura, bool aDireita = true) {
  std::size_t visiveis = 0;
  for (unsigned char c : texto) {
    if ((c & 0xC0) != 0x80) ++visiveis;
  }
  const std::string espacos(largura > visiveis ? largura - visiveis : 0, ' ');
  return aDireita ? espacos + texto : texto + espacos;
}

std::string Razao(double a, double b) { return Fixo(a / b, 2) + "x"; }

struct LinhaRelatorio {
  const char* tabela;
  int linhas;
  Passo passo;
  std::optional<Tempo> limite;
};

void ImprimeTabela(const std::vector<LinhaRelatorio>& linhas) {
  const bool comLimite = linhas.front().limite.has_value();
  std::cout << "\n" << Alinha("tabela", 14, false) << Alinha("linhas", 9) << Alinha("s", 9) << Alinha("linhas/s", 10);
  if (comLimite)
    std::cout << Alinha("limite do motor (s)", 21) << Alinha("tempo/limite", 14) << Alinha("idem, CPU", 11);
  std::cout << Alinha("pico de memória (MiB)", 23) << "\n";
  for (const LinhaRelatorio& l : linhas) {
    const Tempo& t = l.passo.tempo;
    std::cout << Alinha(l.tabela, 14, false) << Alinha(std::to_string(l.linhas), 9) << Alinha(Fixo(t.relogio, 2), 9)
              << Alinha(std::to_string(static_cast<long>(l.linhas / t.relogio)), 10);
    if (comLimite) {
      std::cout << Alinha(Fixo(l.limite->relogio, 2), 21) << Alinha(Razao(t.relogio, l.limite->relogio), 14)
                << Alinha(Razao(t.cpu, l.limite->cpu), 11);
    }
    std::cout << Alinha(MiB(l.passo.picoKb), 23) << "\n";
  }
}

void ImprimeLimites(const std::vector<Limite>& limites) {
  std::cout << "\nlimite do motor: cada tabela gravada numa base vazia por um INSERT preparado, uma execução por "
               "linha, numa transação, e o commit\n";
  for (const Limite& l : limites) {
    std::cout << "  " << Alinha(texto::ParaUtf8(l.tabela), 10, false) << Alinha(std::to_string(l.linhas), 8)
              << " linhas em " << Fixo(l.tempo.relogio, 2) << " s ("
              << static_cast<long>(static_cast<double>(l.linhas) / l.tempo.relogio) << " linhas/s), CPU "
              << Fixo(l.tempo.cpu, 2) << " s\n";
  }
}

// ---- Runs ----

// The time per client row of a sample: its cities converted first, as in a
// full run, then its clients timed.
Tempo TempoPorCliente(const Amostra& a) {
  Lado origem(a.Origem());
  Lado destino(a.Destino());
  Converte(origem, destino, true, false, false);
  return Converte(origem, destino, false, true, false).tempo / a.p.clientes;
}

void ImprimeEscala(const Amostra& principal, const Tempo& porClientePrincipal, const Amostra& menosClientes,
                   const Amostra& menosCidades) {
  const Tempo porClienteMenosClientes = TempoPorCliente(menosClientes);
  const Tempo porClienteMenosCidades = TempoPorCliente(menosCidades);
  auto linha = [](const std::string& rotulo, const std::string& relogio, const std::string& cpu) {
    std::cout << "  " << Alinha(rotulo, 36, false) << Alinha(relogio, 9) << Alinha(cpu, 9) << "\n";
  };
  auto amostra = [&](const Amostra& a, const Tempo& porCliente) {
    linha(std::to_string(a.p.clientes) + " clientes, " + std::to_string(a.p.cidades) + " cidades",
          Fixo(porCliente.relogio * 1000, 3), Fixo(porCliente.cpu * 1000, 3));
  };
  auto razao = [&](const std::string& rotulo, const Tempo& maior, const Tempo& menor) {
    linha("  razão " + rotulo, Razao(maior.relogio, menor.relogio), Razao(maior.cpu, menor.cpu));
  };
  std::cout << "\n"
            << Alinha("tempo por linha de cliente (ms)", 38, false) << Alinha("relógio", 9) << Alinha("CPU", 9) << "\n";
  amostra(menosClientes, porClienteMenosClientes);
  amostra(principal, porClientePrincipal);
  razao(std::to_string(principal.p.clientes) + "/" + std::to_string(menosClientes.p.clientes) + " clientes",
        porClientePrincipal, porClienteMenosClientes);
  amostra(menosCidades, porClienteMenosCidades);
  amostra(principal, porClientePrincipal);
  razao(std::to_string(principal.p.cidades) + "/" + std::to_string(menosCidades.p.cidades) + " cidades",
        porClientePrincipal, porClienteMenosCidades);
}

// The main sample's report; amostras holds it, then the two smaller samples
// unless they were left out.
std::vector<LinhaRelatorio> RodadaCompleta(const std::vector<Amostra>& amostras) {
  const Amostra& principal = amostras.front();
  const amostra::Parametros& p = principal.p;
  std::vector<LinhaRelatorio> relatorio;
  std::vector<Limite> limites;
  {
    Lado origem(principal.Origem());
    Lado destino(principal.Destino());
    const Passo cidades = Converte(origem, destino, true, false, false);
    // The clients' and the suppliers' city lookups add rows to CIDADES too:
    // the cities step's own rows are read back before those steps run.
    LinhasGuardadas cidadesConvertidas = Guarda(destino.banco, u"CIDADES");
    const Passo clientes = Converte(origem, destino, false, true, false);
    const Passo fornecedores = Converte(origem, destino, false, false, true);

    const fs::path arquivoVazio = principal.pasta / "LIMITE.FB";
    CriaDestinoVazio(arquivoVazio);
    Lado vazio(arquivoVazio);
    limites.push_back(MedeLimite(vazio, u"CIDADES", cidadesConvertidas));
    for (const char16_t* tabela : {u"CLIENTE", u"COMPCLIE", u"FORNECE"}) {
      limites.push_back(MedeLimite(vazio, destino.banco, tabela));
    }
    // The clients' conversion writes CLIENTE and COMPCLIE together.
    relatorio = {{"cidades", p.cidades, cidades, limites[0].tempo},
                 {"clientes", p.clientes, clientes, limites[1].tempo + limites[2].tempo},
                 {"fornecedores", p.fornecedores, fornecedores, limites[3].tempo}};
  }
  ImprimeTabela(relatorio);
  ImprimeLimites(limites);
  if (amostras.size() == 3) {
    ImprimeEscala(principal, relatorio[1].passo.tempo / p.clientes, amostras[1], amostras[2]);
  }
  return relatorio;
}

// The peak memory is the process's: the smaller sample, when there is one,
// is converted after the main one's peak has been read.
void RodadaMemoria(const Amostra& a, const std::optional<Amostra>& comparacao) {
  Passo clientes;
  {
    Lado origem(a.Origem());
    Lado destino(a.Destino());
    const Passo cidades = Converte(origem, destino, true, false, false);
    clientes = Converte(origem, destino, false, true, false);
    const Passo fornecedores = Converte(origem, destino, false, false, true);
    ImprimeTabela({{"cidades", a.p.cidades, cidades, std::nullopt},
                   {"clientes", a.p.clientes, clientes, std::nullopt},
                   {"fornecedores", a.p.fornecedores, fornecedores, std::nullopt}});
  }
  std::cout << "\npico de memória da conversão de " << a.p.clientes << " clientes: " << MiB(clientes.picoKb) << " MiB ("
            << Fixo(static_cast<double>(clientes.picoKb) * 1024.0 / 1e6, 1) << " MB)\n";
  if (!comparacao) return;
  const Tempo porCliente = clientes.tempo / a.p.clientes;
  const Tempo porClienteComparacao = TempoPorCliente(*comparacao);
  auto linha = [](const std::string& rotulo, const std::string& relogio, const std::string& cpu) {
    std::cout << "  " << Alinha(rotulo, 36, false) << Alinha(relogio, 9) << Alinha(cpu, 9) << "\n";
  };
  std::cout << "\n"
            << Alinha("tempo por linha de cliente (ms)", 38, false) << Alinha("relógio", 9) << Alinha("CPU", 9) << "\n";
  for (const auto& [amostra, tempo] : {std::pair{&*comparacao, porClienteComparacao}, std::pair{&a, porCliente}}) {
    linha(std::to_string(amostra->p.clientes) + " clientes, " + std::to_string(amostra->p.cidades) + " cidades",
          Fixo(tempo.relogio * 1000, 3), Fixo(tempo.cpu * 1000, 3));
  }
  linha("  razão " + std::to_string(a.p.clientes) + "/" + std::to_string(comparacao->p.clientes) + " clientes",
        Razao(porCliente.relogio, porClienteComparacao.relogio), Razao(porCliente.cpu, porClienteComparacao.cpu));
}

// ---- Through a server ----

// Processor seconds the server process has used, all its threads.
double SegundosCpuDe(pid_t pid) {
  std::ifstream arquivo("/proc/" + std::to_string(pid) + "/stat");
  std::string conteudo((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
  // The program's name, in parentheses, may hold spaces: the fields after it
  // start at the process state; user and system time are the 12th and 13th.
  const std::size_t fim = conteudo.rfind(')');
  if (fim == std::string::npos) throw comum::Erro(u"não foi possível ler o tempo de CPU do servidor");
  std::istringstream campos(conteudo.substr(fim + 1));
  std::string campo;
  double tiques = 0;
  for (int i = 1; i <= 13 && campos >> campo; ++i) {
    if (i >= 12) tiques += std::stod(campo);
  }
  return tiques / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// A table's conversion through the server: the time (processor time of
// this process and of the server together) and what the relays counted.
struct PassoServidor {
  Tempo tempo{};
  ferramentas::ContagemRele origem;
  ferramentas::ContagemRele destino;
};

struct Rele {
  ferramentas::ReleContador origem;
  ferramentas::ReleContador destino;
  explicit Rele(int porta) : origem(porta), destino(porta) {}
};

// The cities, the clients and the suppliers, one run of the controller each,
// with the source and the destination reached through the server, directly
// or through the relays.
std::array<PassoServidor, 3> ConvertePeloServidor(const Amostra& a, const apoio::ServidorFirebird& servidor,
                                                  const Rele* rele) {
  auto nome = [&](const fs::path& arquivo, const ferramentas::ReleContador* r) {
    if (!r) return servidor.NomeConexao(arquivo);
    return "localhost/" + std::to_string(r->Porta()) + ":" + fs::absolute(arquivo).lexically_normal().string();
  };
  Lado origem(nome(a.Origem(), rele ? &rele->origem : nullptr));
  Lado destino(nome(a.Destino(), rele ? &rele->destino : nullptr));
  std::array<PassoServidor, 3> passos;
  for (int i = 0; i < 3; ++i) {
    const ferramentas::ContagemRele origemAntes = rele ? rele->origem.Contagem() : ferramentas::ContagemRele{};
    const ferramentas::ContagemRele destinoAntes = rele ? rele->destino.Contagem() : ferramentas::ContagemRele{};
    const double cpuServidor = SegundosCpuDe(servidor.Pid());
    passos[i].tempo = Converte(origem, destino, i == 0, i == 1, i == 2).tempo;
    passos[i].tempo.cpu += SegundosCpuDe(servidor.Pid()) - cpuServidor;
    if (rele) {
      passos[i].origem = rele->origem.Contagem() - origemAntes;
      passos[i].destino = rele->destino.Contagem() - destinoAntes;
    }
  }
  return passos;
}

std::string PorLinha(double n, long linhas) { return Fixo(n / static_cast<double>(linhas), 3); }

void ImprimeServidor(const std::vector<LinhaRelatorio>& embutido, const std::array<PassoServidor, 3>& direto,
                     const std::array<PassoServidor, 3>& peloRele) {
  std::cout << "\npor um servidor Firebird em 127.0.0.1: origem e destino como localhost/PORTA:arquivo\n"
            << Alinha("tabela", 14, false) << Alinha("linhas", 9) << Alinha("embutido (s)", 14)
            << Alinha("servidor (s)", 14) << Alinha("servidor/embutido", 19) << Alinha("idem, CPU", 11)
            << Alinha("pelo relé (s)", 15) << Alinha("mensagens/linha", 17) << Alinha("destino", 9)
            << Alinha("origem", 8) << Alinha("leituras/linha", 16) << "\n";
  struct Soma {
    long linhas = 0;
    Tempo embutido{}, direto{}, rele{};
    ferramentas::ContagemRele origem, destino;
  };
  auto imprime = [](const std::string& tabela, const Soma& s) {
    const long mensagens = s.origem.mensagens + s.destino.mensagens;
    std::cout << Alinha(tabela, 14, false) << Alinha(std::to_string(s.linhas), 9)
              << Alinha(Fixo(s.embutido.relogio, 2), 14) << Alinha(Fixo(s.direto.relogio, 2), 14)
              << Alinha(Razao(s.direto.relogio, s.embutido.relogio), 19)
              << Alinha(Razao(s.direto.cpu, s.embutido.cpu), 11) << Alinha(Fixo(s.rele.relogio, 2), 15)
              << Alinha(PorLinha(static_cast<double>(mensagens), s.linhas), 17)
              << Alinha(PorLinha(static_cast<double>(s.destino.mensagens), s.linhas), 9)
              << Alinha(PorLinha(static_cast<double>(s.origem.mensagens), s.linhas), 8)
              << Alinha(PorLinha(static_cast<double>(s.origem.leituras + s.destino.leituras), s.linhas), 16) << "\n";
  };
  Soma total;
  for (std::size_t i = 0; i < 3; ++i) {
    Soma s{embutido[i].linhas, embutido[i].passo.tempo, direto[i].tempo,
           peloRele[i].tempo,  peloRele[i].origem,      peloRele[i].destino};
    imprime(embutido[i].tabela, s);
    total.linhas += s.linhas;
    total.embutido += s.embutido;
    total.direto += s.direto;
    total.rele += s.rele;
    total.origem.mensagens += s.origem.mensagens;
    total.origem.leituras += s.origem.leituras;
    total.destino.mensagens += s.destino.mensagens;
    total.destino.leituras += s.destino.leituras;
  }
  imprime("total", total);
  std::cout << "mensagens: as vezes que o cliente voltou a enviar depois de uma resposta do servidor, contadas por "
               "um relé entre os dois (destino e origem, cada um o seu); leituras: as leituras do relé que "
               "trouxeram bytes do cliente; CPU: deste processo e do servidor juntos\n";
}

// Two copies of the main sample, made before any conversion: one converted
// through the server directly, for the time, the other through the relays,
// for the messages.
void RodadaServidor(const std::vector<LinhaRelatorio>& embutido, const Amostra& direta, const Amostra& peloRele) {
  apoio::ServidorFirebird servidor;
  const std::array<PassoServidor, 3> direto = ConvertePeloServidor(direta, servidor, nullptr);
  std::array<PassoServidor, 3> releado;
  {
    const Rele rele(servidor.Porta());
    releado = ConvertePeloServidor(peloRele, servidor, &rele);
  }
  ImprimeServidor(embutido, direto, releado);
}

// ---- Options ----

struct Opcoes {
  std::optional<int> clientes;
  std::optional<int> fornecedores;
  std::optional<int> cidades;
  bool semEscala = false;
  bool memoria = false;
  bool literais = false;
  bool servidor = false;
};

bool LeNumero(const std::string& texto, int& n) {
  try {
    std::size_t usados = 0;
    const long long v = std::stoll(texto, &usados);
    if (usados != texto.size() || v < 1 || v > 10000000) return false;
    n = static_cast<int>(v);
    return true;
  } catch (...) {
    return false;
  }
}

// nullopt after a usage error, told on standard error.
std::optional<Opcoes> LeOpcoes(int argc, char** argv) {
  Opcoes o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--sem-escala") {
      o.semEscala = true;
      continue;
    }
    if (a == "--memoria") {
      o.memoria = true;
      continue;
    }
    if (a == "--literais") {
      o.literais = true;
      continue;
    }
    if (a == "--servidor") {
      o.servidor = true;
      continue;
    }
    std::optional<int>* alvo = a == "--clientes"       ? &o.clientes
                               : a == "--fornecedores" ? &o.fornecedores
                               : a == "--cidades"      ? &o.cidades
                                                       : nullptr;
    if (!alvo) {
      std::cerr << "benchmark-conversao: opção desconhecida: " << a << "\n\n" << kUso;
      return std::nullopt;
    }
    int n = 0;
    if (i + 1 >= argc || !LeNumero(argv[i + 1], n)) {
      std::cerr << "benchmark-conversao: " << a << " pede um número de 1 a 10000000\n\n" << kUso;
      return std::nullopt;
    }
    *alvo = n;
    ++i;
  }
  if (o.memoria && o.servidor) {
    std::cerr << "benchmark-conversao: --memoria e --servidor não se combinam\n\n" << kUso;
    return std::nullopt;
  }
  return o;
}

// Removes the samples' folder however the run ends.
struct PastaTemporaria {
  fs::path pasta;
  ~PastaTemporaria() {
    std::error_code ec;
    fs::remove_all(pasta, ec);
  }
};

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
      std::cout << kUso;
      return 0;
    }
  }
  const std::optional<Opcoes> opcoes = LeOpcoes(argc, argv);
  if (!opcoes) return 2;
  const Opcoes& o = *opcoes;
  TConversao::ValoresVinculados = !o.literais;

  const PastaTemporaria temporaria{fs::temp_directory_path() / ("benchmark-conversao-" + std::to_string(::getpid()))};
  Amostra principal{temporaria.pasta / "amostra", {}};
  principal.p.clientes = o.clientes.value_or(o.memoria ? 1000000 : 100000);
  principal.p.fornecedores = o.fornecedores.value_or(o.memoria ? 500 : 20000);
  principal.p.cidades = o.cidades.value_or(o.memoria ? 250 : 5570);
  std::vector<Amostra> amostras{principal};
  if (!o.memoria && !o.semEscala) {
    // Only their cities and clients are converted.
    Amostra menosClientes{temporaria.pasta / "escala-clientes", principal.p};
    menosClientes.p.clientes = kClientesEscala;
    menosClientes.p.fornecedores = 0;
    Amostra menosCidades{temporaria.pasta / "escala-cidades", principal.p};
    menosCidades.p.cidades = kCidadesEscala;
    menosCidades.p.fornecedores = 0;
    amostras.push_back(menosClientes);
    amostras.push_back(menosCidades);
  }
  std::optional<Amostra> comparacao;
  if (o.memoria && !o.semEscala && principal.p.clientes > kClientesComparacaoMemoria) {
    comparacao = Amostra{temporaria.pasta / "comparacao", principal.p};
    comparacao->p.clientes = kClientesComparacaoMemoria;
    comparacao->p.fornecedores = 0;
    amostras.push_back(*comparacao);
  }
  if (o.servidor && !apoio::ServidorFirebird::Instalado()) {
    std::cerr << "benchmark-conversao: " << apoio::ServidorFirebird::Falta() << "\n";
    return 1;
  }
  if (!GeraAmostras(amostras)) return 1;
  // The same files as the main sample, for the runs through the server.
  const Amostra direta{temporaria.pasta / "servidor", principal.p};
  const Amostra peloRele{temporaria.pasta / "servidor-rele", principal.p};
  if (o.servidor) {
    try {
      for (const Amostra& copia : {direta, peloRele}) {
        fs::create_directories(copia.pasta);
        fs::copy_file(principal.Origem(), copia.Origem());
        fs::copy_file(principal.Destino(), copia.Destino());
      }
    } catch (const std::exception& e) {
      std::cerr << "benchmark-conversao: " << e.what() << "\n";
      return 1;
    }
  }

  Silenciosa interface;
  ui::DefineInterfaceUsuario(&interface);
  int status = 0;
  try {
    if (o.memoria) {
      RodadaMemoria(principal, comparacao);
    } else {
      const std::vector<LinhaRelatorio> embutido = RodadaCompleta(amostras);
      if (o.servidor) RodadaServidor(embutido, direta, peloRele);
    }
  } catch (const std::exception& e) {
    std::cerr << "benchmark-conversao: " << e.what() << "\n";
    status = 1;
  }
  ui::DefineInterfaceUsuario(nullptr);
  return status;
}
