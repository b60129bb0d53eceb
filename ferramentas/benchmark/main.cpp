// benchmark-conversao: generates a sample of the given size and converts it
// table by table in this process, printing the time, rows per second and the
// peak memory of each step. Meant for a build without sanitizers.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "amostra/GeradorAmostra.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"
#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;

long PicoMemoriaKb() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return uso.ru_maxrss;
}

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
  explicit Lado(const fs::path& arquivo) {
    ConfiguraConexao(banco, transacao);
    banco.SetDatabaseName(texto::DeUtf8(arquivo.string()));
    banco.SetConnected(true);
    transacao.SetActive(true);
  }
};

}  // namespace

int main(int argc, char** argv) {
  amostra::Parametros p;
  p.clientes = argc > 1 ? std::stoi(argv[1]) : 20000;
  p.fornecedores = p.clientes / 10;
  p.cidades = argc > 2 ? std::stoi(argv[2]) : 250;
  fs::path pasta = fs::temp_directory_path() / ("benchmark-conversao-" + std::to_string(::getpid()));
  std::ostringstream relatorio;
  auto t0 = std::chrono::steady_clock::now();
  auto arquivos = amostra::Gera(pasta, p, relatorio);
  auto segundos = [](auto desde) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - desde).count();
  };
  std::cout << "amostra: " << p.cidades << " cidades, " << p.clientes << " clientes, " << p.fornecedores
            << " fornecedores gerados em " << segundos(t0) << " s\n";

  Silenciosa interface;
  ui::DefineInterfaceUsuario(&interface);
  int status = 0;
  {
    Lado origem(arquivos.origem);
    Lado destino(arquivos.destino);
    struct Etapa {
      const char* nome;
      int linhas;
      bool cidades, clientes, fornecedores;
    };
    for (const Etapa& e : {Etapa{"cidades", p.cidades, true, false, false},
                           Etapa{"clientes", p.clientes, false, true, false},
                           Etapa{"fornecedores", p.fornecedores, false, false, true}}) {
      comum::TStringList params;
      pIniciaListaParametros(params);
      pCarregaParametros(params, e.cidades, e.clientes, e.fornecedores);
      ui::TGauge barra;
      ui::TLabel rotulo;
      TClassesConversaoController controlador;
      auto inicio = std::chrono::steady_clock::now();
      bool ok = controlador.FEfetuaConversao(params, origem.banco, origem.transacao, destino.banco,
                                             destino.transacao, barra, rotulo);
      double s = segundos(inicio);
      std::cout << e.nome << ": " << e.linhas << " linhas em " << s << " s (" << static_cast<long>(e.linhas / s)
                << " linhas/s), pico de memória " << PicoMemoriaKb() / 1024 << " MiB" << (ok ? "" : " [FALHOU]")
                << "\n";
      if (!ok) status = 1;
    }
  }
  ui::DefineInterfaceUsuario(nullptr);
  std::error_code ec;
  fs::remove_all(pasta, ec);
  return status;
}
