#include "lote/Lote.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <set>

#include "aplicacao/nucleo/ArquivoLocal.h"
#include "aplicacao/nucleo/Avisos.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "aplicacao/nucleo/RegistroExecucoes.h"
#include "aplicacao/nucleo/TextoRelatorio.h"
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
  // The run's summary follows its message, on standard error: standard output
  // keeps the message alone.
  void MostraMensagemComDetalhes(ui::TipoMensagem tipo, const std::u16string& texto,
                                 const std::u16string& detalhes) override {
    MostraMensagem(tipo, texto);
    erros_ << texto::ParaUtf8(detalhes) << std::flush;
  }
  void ProcessaEventosPendentes() override {}

  std::function<void()> AntesDaMensagem;

 private:
  std::ostream& saida_;
  std::ostream& erros_;
};

// Progress on standard error. On a terminal, a live line: the label, a bar,
// the percentage, rows per second and the time left, redrawn at most five
// times a second. Otherwise one line per table when it is done, with its rows
// and time.
class Progresso {
 public:
  using Relogio = std::chrono::steady_clock;

  Progresso(std::ostream& erros, bool terminal, ui::TGauge& barra, ui::TLabel& rotulo)
      : erros_(erros), terminal_(terminal), barra_(barra), rotulo_(rotulo) {
    rotulo_.AoMudar = [this] { RotuloMudou(); };
    barra_.AoMudar = [this] {
      if (terminal_ && linhaViva_) DesenhaSeHaTempo();
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
  static constexpr std::chrono::milliseconds kIntervalo{200};

  void RotuloMudou() {
    const std::u16string& texto = rotulo_.Caption();
    // A wait on a locked row is said at once, on a terminal and off it; it is
    // not a row's text, so it never stands for the table's last row.
    if (texto::Contem(texto, avisos::AguardandoBloqueio)) {
      if (terminal_) {
        linhaViva_ = true;
        Desenha(texto);
      } else {
        erros_ << ParaTerminal(texto) << std::endl;
      }
      return;
    }
    if (!texto.empty()) {
      if (ultimo_.empty()) inicioTabela_ = Relogio::now();
      ultimo_ = texto;
      if (terminal_) {
        linhaViva_ = true;
        DesenhaSeHaTempo();
      }
      return;
    }
    if (ultimo_.empty()) return;
    // The table is done: its last caption says how many rows it had.
    const double segundos = std::chrono::duration<double>(Relogio::now() - inicioTabela_).count();
    const std::string tempo = " - " + std::to_string(barra_.Progress()) + " registros em " +
                              texto::ParaUtf8(textorelatorio::Segundos(segundos)) + " s";
    if (terminal_) {
      Desenha(ultimo_, tempo);
      Termina();
    } else {
      erros_ << ParaTerminal(ultimo_) << tempo << std::endl;
    }
    ultimo_.clear();
  }

  void DesenhaSeHaTempo() {
    const auto agora = Relogio::now();
    // The last row of a table is always drawn, so the line ends complete.
    if (agora - desenhado_ < kIntervalo && barra_.Progress() < barra_.MaxValue()) return;
    desenhado_ = agora;
    Desenha(rotulo_.Caption(), Ritmo(agora));
  }

  // Rows per second so far and the time left at that pace.
  std::string Ritmo(Relogio::time_point agora) const {
    const double segundos = std::chrono::duration<double>(agora - inicioTabela_).count();
    const int feitas = barra_.Progress();
    if (segundos < 0.5 || feitas <= 0) return {};
    const double porSegundo = feitas / segundos;
    const long faltam = std::lround((barra_.MaxValue() - feitas) / porSegundo);
    return " " + std::to_string(std::lround(porSegundo)) + " reg/s, faltam " + Duracao(faltam);
  }

  static std::string Duracao(long s) {
    if (s < 60) return std::to_string(s) + " s";
    const std::string seg = (s % 60 < 10 ? "0" : "") + std::to_string(s % 60);
    if (s < 3600) return std::to_string(s / 60) + " min " + seg + " s";
    return std::to_string(s / 3600) + " h " + std::to_string(s / 60 % 60) + " min";
  }

  void Desenha(const std::u16string& texto, const std::string& depois = {}) {
    const int largura = 30;
    int pct = std::clamp(barra_.PercentDone(), 0, 100);
    int cheio = pct * largura / 100;
    erros_ << "\r\033[K" << ParaTerminal(texto) << " [" << std::string(static_cast<std::size_t>(cheio), '#')
           << std::string(static_cast<std::size_t>(largura - cheio), '.') << "] " << pct << "%" << depois << std::flush;
  }

  std::ostream& erros_;
  bool terminal_;
  ui::TGauge& barra_;
  ui::TLabel& rotulo_;
  std::u16string ultimo_;
  bool linhaViva_ = false;
  Relogio::time_point inicioTabela_{};
  Relogio::time_point desenhado_{};
};

// One side's connection, set up as the main window sets up its two.
struct Lado {
  TIBDatabase banco;
  TIBTransaction transacao;
  Lado() { ConfiguraConexao(banco, transacao); }
};

// The window's two checks, then the connection; false after a warning.
bool Conecta(Lado& lado, const std::u16string& caminho, const char16_t* avisoVazio, verificacao::Lado qual,
             std::ostream& erros) {
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
    std::u16string nome = verificacao::NomeDoLado(qual);
    nome[0] = u'B';
    erros << ParaTerminal(nome) << ": " << ParaTerminal(caminho) << std::endl;
    return false;
  }
  lado.transacao.SetActive(true);
  return true;
}

}  // namespace

std::string TextoDeUso() {
  const std::string registro = registro::ArquivoDoRegistro();
  return "Uso: conversor-lote --origem ORIGEM --destino DESTINO [--cidades] [--clientes] [--fornecedores]\n"
         "                     [--simular] [--relatorio ARQUIVO]\n"
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
         "  --simular           faz toda a conversão, com verificações, pesquisas e inclusões,\n"
         "                      e desfaz tudo no fim: o destino fica exatamente como estava\n"
         "  --relatorio ARQUIVO grava o relatório completo (registros lidos, gravados,\n"
         "                      ignorados e criados); em CSV quando ARQUIVO termina em .csv\n"
         "  --help              mostra este texto\n"
         "  --version           mostra a versão do programa\n"
         "\n"
         "O resumo da rodada sai na saída de erros; a mensagem de sucesso, sozinha, na\n"
         "saída padrão. Cada rodada acrescenta uma linha ao registro de execuções:\n"
         "  " +
         (registro.empty() ? std::string("$XDG_DATA_HOME/conversor-zorvan-grafica/execucoes.log") : registro) +
         "\n"
         "\n"
         "Saída: 0 conversão concluída, 1 verificação ou conversão com erro, 2 uso incorreto,\n"
         "130 ou 143 interrompida (SIGINT; SIGTERM ou SIGHUP).\n";
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
    } else if (a == "--simular") {
      opcoes.simular = true;
    } else if (a == "--relatorio") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        erro = "a opção --relatorio precisa de um arquivo";
        return false;
      }
      opcoes.relatorio = args[++i];
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

namespace {

bool TerminaEm(const std::string& nome, const std::string& fim) {
  if (nome.size() < fim.size()) return false;
  return std::equal(fim.rbegin(), fim.rend(), nome.rbegin(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// The whole report into the file opened at the start: CSV for a name ending
// in .csv, readable text otherwise.
bool GravaRelatorio(std::ofstream& arquivo, const std::string& nome, const relatorio::TRelatorio& r) {
  const std::u16string conteudo = TerminaEm(nome, ".csv") ? textorelatorio::Csv(r) : textorelatorio::Completo(r);
  arquivo << texto::ParaUtf8(conteudo);
  arquivo.close();
  return !arquivo.fail();
}

}  // namespace

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

  // A report that cannot be written is found out before anything is touched.
  std::ofstream arquivoRelatorio;
  if (!opcoes.relatorio.empty()) {
    arquivoRelatorio.open(opcoes.relatorio, std::ios::binary | std::ios::trunc);
    if (!arquivoRelatorio) {
      erros << "conversor-lote: o relatório não pode ser gravado em " << opcoes.relatorio << ": "
            << std::strerror(errno) << std::endl;
      return 1;
    }
  }

  InterfaceLote interface(saida, erros);
  ui::IInterfaceUsuario* anterior = ui::DefineInterfaceUsuario(&interface);
  int status = 1;
  relatorio::TRelatorio rel;
  rel.origem = opcoes.origem;
  rel.destino = opcoes.destino;
  rel.simulacao = opcoes.simular;
  rel.inicio = regional::Agora();
  try {
    Lado origem;
    Lado destino;
    // The source is checked like the destination: a run must never empty a
    // destination table when the source cannot be read.
    // A local file no engine here opens is named before either side is opened.
    std::u16string problema = verificacao::ProblemaDoArquivo(opcoes.destino, verificacao::Lado::Destino);
    if (problema.empty()) problema = verificacao::ProblemaDoArquivo(opcoes.origem, verificacao::Lado::Origem);
    if (!problema.empty()) {
      ui::MostraMensagem(ui::TipoMensagem::Aviso, problema);
    } else if (Conecta(destino, opcoes.destino, avisos::CaminhoDestinoVazio, verificacao::Lado::Destino, erros) &&
               Conecta(origem, opcoes.origem, avisos::CaminhoOrigemVazio, verificacao::Lado::Origem, erros)) {
      comum::TStringList MParams;
      pIniciaListaParametros(MParams);
      pCarregaParametros(MParams, opcoes.cidades, opcoes.clientes, opcoes.fornecedores);
      ui::TGauge Barra;
      ui::TLabel lblInfo;
      Progresso progresso(erros, terminal, Barra, lblInfo);
      interface.AntesDaMensagem = [&progresso] { progresso.Termina(); };
      TClassesConversaoController controlador;
      controlador.SetSimulacao(opcoes.simular);
      bool ok = controlador.FEfetuaConversao(MParams, origem.banco, origem.transacao, destino.banco, destino.transacao,
                                             Barra, lblInfo);
      interface.AntesDaMensagem = nullptr;
      progresso.Termina();
      rel = controlador.Relatorio();
      status = ok ? 0 : 1;
      if (int sinal = interrupcao::SinalRecebido()) status = interrupcao::StatusDeSaida(sinal);
    } else {
      rel.falha = relatorio::Falha{{}, 0, {}, u"não foi possível abrir os bancos de dados"};
    }
  } catch (const std::exception& e) {
    erros << ParaTerminal(comum::MensagemDe(e)) << std::endl;
    rel.falha = relatorio::Falha{{}, 0, {}, comum::MensagemDe(e)};
    rel.resultado = relatorio::Resultado::Erro;
    status = 1;
  }
  ui::DefineInterfaceUsuario(anterior);

  if (arquivoRelatorio.is_open()) {
    if (GravaRelatorio(arquivoRelatorio, opcoes.relatorio, rel)) {
      erros << "Relatório gravado em " << opcoes.relatorio << std::endl;
    } else {
      erros << "conversor-lote: o relatório não pôde ser gravado em " << opcoes.relatorio << std::endl;
    }
  }
  if (!registro::Anota(rel, opcoes.relatorio, erro))
    erros << "conversor-lote: aviso: o registro de execuções não pôde ser gravado (" << erro << ")" << std::endl;
  return status;
}

}  // namespace lote
