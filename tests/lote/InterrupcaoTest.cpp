// Ctrl-C, SIGTERM and SIGHUP during a run of the batch runner: the run stops,
// rolls back what it had not committed and says so on a line of its own; the
// exit status tells which signal it was. Repeated at many moments of a run,
// since a signal that lands at the wrong instant is exactly the fault.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <sstream>
#include <thread>

#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kInterrompida =
    "Ocorreu um erro durante a conversão! Motivo: Conversão interrompida pelo operador.\n";

class Interrupcao : public ::testing::Test {
 protected:
  void SetUp() override {
    auto r = apoio::GeraAmostra(pasta.Caminho() / "amostra", 30, 6000, 10, 11);
    origem = r.origem;
    original = r.destino;
    cidadesNaOrigem = apoio::ContaLinhas(origem, u"RECDB001");
  }

  // A run interrupted by sinais (one, or the same one again during the
  // rollback: two different signals at once may be taken in either order)
  // once the clients table has started, after espera.
  apoio::ResultadoLote Interrompe(const std::vector<int>& sinais, std::chrono::milliseconds espera) {
    destino = pasta.Caminho() / "VESTREL.FB";
    fs::copy_file(original, destino, fs::copy_options::overwrite_existing);
    apoio::LoteEmCurso lote(pasta.Caminho(),
                            {"--origem", origem.string(), "--destino", destino.string(), "--cidades", "--clientes"});
    // Off a terminal a table's line comes when it is done: cities, then clients start.
    const auto limite = std::chrono::steady_clock::now() + 60s;
    while (lote.ErrosAteAgora().find("Convertendo Cidades") == std::string::npos &&
           std::chrono::steady_clock::now() < limite) {
      std::this_thread::sleep_for(5ms);
    }
    std::this_thread::sleep_for(espera);
    for (int s : sinais) {
      kill(lote.Pid(), s);
      std::this_thread::sleep_for(2ms);
    }
    return lote.Espera(120s);
  }

  apoio::PastaTemporaria pasta;
  fs::path origem;
  fs::path original;
  fs::path destino;
  int cidadesNaOrigem = 0;
};

TEST_F(Interrupcao, SinaisEmMomentosAleatoriosDesfazemOQueNaoFoiConfirmado) {
  std::mt19937 sorteio(20261209);
  const std::vector<std::vector<int>> sinais = {{SIGINT}, {SIGTERM}, {SIGHUP}, {SIGINT, SIGINT}, {SIGTERM, SIGTERM}};
  for (int i = 0; i < 24; ++i) {
    const auto& estes = sinais[static_cast<std::size_t>(i) % sinais.size()];
    // The first row of the clients table, then anywhere in it.
    const auto espera = i == 0 ? 0ms : std::chrono::milliseconds(sorteio() % 1500);
    SCOPED_TRACE("tentativa " + std::to_string(i) + ", sinal " + std::to_string(estes[0]) + " após " +
                 std::to_string(espera.count()) + " ms");
    apoio::ResultadoLote r = Interrompe(estes, espera);
    ASSERT_EQ(r.sinal, 0) << r.erros;
    ASSERT_EQ(r.status, estes[0] == SIGINT ? 130 : 143) << r.erros;
    EXPECT_EQ(r.saida, "");
    // Its own line, after the cities' line, then the summary: the cities
    // stay, committed once they finished; the clients' emptying stands.
    EXPECT_NE(r.erros.find("\n" + kInterrompida), std::string::npos) << r.erros;
    EXPECT_NE(r.erros.find("Resultado: interrompida pelo operador; Cidades: convertida e confirmada; Clientes: "
                           "esvaziada e deixada vazia;"),
              std::string::npos)
        << r.erros;
    EXPECT_EQ(r.erros.rfind("Convertendo Cidades", 0), 0u) << r.erros;
    EXPECT_EQ(r.erros.find("Sanitizer"), std::string::npos) << r.erros;
    // The cities were committed before the clients started; the clients were rolled back.
    EXPECT_GE(apoio::ContaLinhas(destino, u"CIDADES"), cidadesNaOrigem);
    EXPECT_EQ(apoio::ContaLinhas(destino, u"CLIENTE"), 0);
    EXPECT_EQ(apoio::ContaLinhas(destino, u"COMPCLIE"), 0);
  }
}

}  // namespace
