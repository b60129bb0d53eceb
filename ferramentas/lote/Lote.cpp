#include "lote/Lote.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <set>

#include "aplicacao/nucleo/Avisos.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"
#include "comum/Erro.h"
#include "comum/InterfaceUsuario.h"
#include "comum/Progresso.h"
#include "comum/Texto.h"
#include "comum/Versao.h"
#include "conversao/Interrupcao.h"

namespace lote {

namespace {

std::string ParaTerminal(const std::u16string& texto) { return texto::ParaUtf8(texto::Substitui(texto, u'\r', u'\n')); }

// Message boxes become lines: information on standard output, warnings and
// errors on standard error.
class InterfaceLote : public ui::IInterfaceUsuario {
 public:
  InterfaceLote(std::ostream& saida, std::ostream& erros) : saida_(saida), erros_(erros) {}
  void MostraMensagem(ui::TipoMensagem tipo, const std::u16string& texto) override {
    // A message never continues the live progress line.
    if (AntesDaMensagem) AntesDaMensagem();
    std::ostream& os = tipo == ui::TipoMensagem::Informacao ? saida_ : erros_;
    os << ParaTerminal(texto) << std::endl;
  }
  void ProcessaEventosPendentes() override {}

  std::function<void()> AntesDaMensagem;

 private:
  std::ostream& saida_;
  std::ostream& erros_;
};

// Progress on standard error: a live line with a bar on a terminal, otherwise
// one line per table when it is done.
class Progresso {
 public:
  Progresso(std::ostream& erros, bool terminal, ui::TGauge& barra, ui::TLabel& rotulo)
      : erros_(erros), terminal_(terminal), barra_(barra), rotulo_(rotulo) {
    rotulo_.AoMudar = [this] { RotuloMudou(); };
    barra_.AoMudar = [this] {
      if (terminal_ && linhaViva_) DesenhaLinha();
    };
  }
  ~Progresso() {
    rotulo_.AoMudar = nullptr;
    barra_.AoMudar = nullptr;
  }
  void Termina() {
    if (linhaViva_) erros_ << std::endl;
    linhaViva_ = false;
  }

 private:
  void RotuloMudou() {
    const std::u16string& texto = rotulo_.Caption();
    // A wait on a locked row is said at once, on a terminal and off it; it is
    // not a row's text, so it never stands for the table's last row.
    if (texto::Contem(texto, avisos::AguardandoBloqueio)) {
      if (terminal_) {
        linhaViva_ = true;
        DesenhaLinha();
      } else {
        erros_ << ParaTerminal(texto) << std::endl;
      }
      return;
    }
    if (!texto.empty()) {
      ultimo_ = texto;
      if (terminal_) {
        linhaViva_ = true;
        DesenhaLinha();
      }
      return;
    }
    if (ultimo_.empty()) return;
    // The table is done: its last caption says how many rows it had.
    if (terminal_) {
      Termina();
    } else {
      erros_ << ParaTerminal(ultimo_) << std::endl;
    }
    ultimo_.clear();
  }

  void DesenhaLinha() {
    const int largura = 30;
    int pct = std::clamp(barra_.PercentDone(), 0, 100);
    int cheio = pct * largura / 100;
    erros_ << "\r\033[K" << ParaTerminal(rotulo_.Caption()) << " [" << std::string(static_cast<std::size_t>(cheio), '#')
           << std::string(static_cast<std::size_t>(largura - cheio), '.') << "] " << pct << "%" << std::flush;
  }

  std::ostream& erros_;
  bool terminal_;
  ui::TGauge& barra_;
  ui::TLabel& rotulo_;
  std::u16string ultimo_;
  bool linhaViva_ = false;
};

// One side's connection, set up as the main window sets up its two.
struct Lado {
  TIBDatabase banco;
  TIBTransaction transacao;
  Lado() { ConfiguraConexao(banco, transacao); }
};

// The window's two checks, then the connection; false after a warning.
bool Conecta(Lado& lado, const std::u16string& caminho, const char16_t* avisoVazio, std::ostream& erros) {
  if (caminho.empty()) {
    ui::MostraMensagem(ui::TipoMensagem::Aviso, avisoVazio);
    return false;
  }
  std::u16string causa;
  try {
    lado.banco.SetDatabaseName(caminho);
    lado.banco.SetConnected(true);
  } catch (const std::exception& e) {
    causa = comum::MensagemDe(e);
  }
  if (!lado.banco.TestConnected()) {
    ui::MostraMensagem(ui::TipoMensagem::Aviso, avisos::SemConexao);
    if (!causa.empty()) erros << "Motivo: " << ParaTerminal(causa) << std::endl;
    erros << "Banco de dados: " << texto::ParaUtf8(caminho) << std::endl;
    return false;
  }
  lado.transacao.SetActive(true);
  return true;
}

}  // namespace

std::string TextoDeUso() {
  return "Uso: conversor-lote --origem ORIGEM --destino DESTINO [--cidades] [--clientes] [--fornecedores]\n"
         "\n"
         "Converte as tabelas marcadas do banco de dados do sistema antigo (ORIGEM, *.FDB)\n"
         "para o banco de dados Vestrel (DESTINO, *.FB), na ordem cidades, clientes,\n"
         "fornecedores. Cada tabela marcada do destino é esvaziada antes da conversão.\n"
         "\n"
         "ORIGEM e DESTINO são caminhos de arquivos locais ou nomes servidor/porta:caminho.\n"
         "\n"
         "  --origem ORIGEM     banco de dados de origem\n"
         "  --destino DESTINO   banco de dados de destino\n"
         "  --cidades           converte RECDB001 em CIDADES\n"
         "  --clientes          converte RECDB004 em CLIENTE e COMPCLIE\n"
         "  --fornecedores      converte PAGDB003 em FORNECE\n"
         "  --help              mostra este texto\n"
         "  --version           mostra a versão do programa\n"
         "\n"
         "Saída: 0 conversão concluída, 1 verificação ou conversão com erro, 2 uso incorreto.\n";
}

bool LeOpcoes(const std::vector<std::string>& args, Opcoes& opcoes, std::string& erro) {
  bool temOrigem = false;
  bool temDestino = false;
  std::set<std::string> vistas;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    // A second --destino would silently replace the first: the operator must say which.
    if (a.rfind("--", 0) == 0 && !vistas.insert(a).second) {
      erro = "a opção " + a + " foi dada mais de uma vez";
      return false;
    }
    auto valor = [&](std::u16string& destino, bool& visto) {
      if (i + 1 >= args.size()) {
        erro = "a opção " + a + " precisa de um valor";
        return false;
      }
      destino = texto::DeUtf8(args[++i]);
      visto = true;
      return true;
    };
    if (a == "--help" || a == "-h") {
      opcoes.ajuda = true;
    } else if (a == "--version") {
      opcoes.versao = true;
    } else if (a == "--origem") {
      if (!valor(opcoes.origem, temOrigem)) return false;
    } else if (a == "--destino") {
      if (!valor(opcoes.destino, temDestino)) return false;
    } else if (a == "--cidades") {
      opcoes.cidades = true;
    } else if (a == "--clientes") {
      opcoes.clientes = true;
    } else if (a == "--fornecedores") {
      opcoes.fornecedores = true;
    } else {
      erro = "opção desconhecida: " + a;
      return false;
    }
  }
  if (opcoes.ajuda || opcoes.versao) return true;
  if (!temOrigem || !temDestino) {
    erro = "informe --origem e --destino";
    return false;
  }
  return true;
}

int Executa(const std::vector<std::string>& args, std::ostream& saida, std::ostream& erros, bool terminal) {
  Opcoes opcoes;
  std::string erro;
  if (!LeOpcoes(args, opcoes, erro)) {
    erros << "conversor-lote: " << erro << "\n\n" << TextoDeUso();
    return 2;
  }
  if (opcoes.ajuda) {
    saida << TextoDeUso();
    return 0;
  }
  if (opcoes.versao) {
    saida << "conversor-lote " << comum::kVersao << "\n";
    return 0;
  }

  InterfaceLote interface(saida, erros);
  ui::IInterfaceUsuario* anterior = ui::DefineInterfaceUsuario(&interface);
  int status = 1;
  try {
    Lado origem;
    Lado destino;
    // The source is checked like the destination: a run must never empty a
    // destination table when the source cannot be read.
    if (Conecta(destino, opcoes.destino, avisos::CaminhoDestinoVazio, erros) &&
        Conecta(origem, opcoes.origem, avisos::CaminhoOrigemVazio, erros)) {
      comum::TStringList MParams;
      pIniciaListaParametros(MParams);
      pCarregaParametros(MParams, opcoes.cidades, opcoes.clientes, opcoes.fornecedores);
      ui::TGauge Barra;
      ui::TLabel lblInfo;
      Progresso progresso(erros, terminal, Barra, lblInfo);
      interface.AntesDaMensagem = [&progresso] { progresso.Termina(); };
      TClassesConversaoController controlador;
      bool ok = controlador.FEfetuaConversao(MParams, origem.banco, origem.transacao, destino.banco, destino.transacao,
                                             Barra, lblInfo);
      interface.AntesDaMensagem = nullptr;
      progresso.Termina();
      status = ok ? 0 : 1;
      if (int sinal = interrupcao::SinalRecebido()) status = interrupcao::StatusDeSaida(sinal);
    }
  } catch (const std::exception& e) {
    erros << ParaTerminal(comum::MensagemDe(e)) << std::endl;
    status = 1;
  }
  ui::DefineInterfaceUsuario(anterior);
  return status;
}

}  // namespace lote
