// benchmark-janela: the same sample converted through the main window (its
// "Converter" button, drawing its label and gauge, processing its events every
// row) and through the run controller alone, as the batch runner converts it,
// each twice from identical copies of the files; prints the times and their
// ratio. Meant for the release build; without a display it draws offscreen.
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "amostra/GeradorAmostra.h"
#include "aplicacao/janela/Mensagens.h"
#include "aplicacao/janela/TelaPrincipal.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"
#include "comum/Progresso.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;
using Relogio = std::chrono::steady_clock;

struct Copia {
  fs::path origem;
  fs::path destino;
};

Copia CopiaDe(const amostra::Resultado& modelo, const fs::path& pasta) {
  fs::create_directories(pasta);
  Copia c{pasta / "LEGADO.FDB", pasta / "VESTREL.FB"};
  fs::copy_file(modelo.origem, c.origem);
  fs::copy_file(modelo.destino, c.destino);
  return c;
}

double PeloControlador(const Copia& c) {
  TIBDatabase origem, destino;
  TIBTransaction tOrigem, tDestino;
  ConfiguraConexao(origem, tOrigem);
  ConfiguraConexao(destino, tDestino);
  origem.SetDatabaseName(texto::DeUtf8(c.origem.string()));
  destino.SetDatabaseName(texto::DeUtf8(c.destino.string()));
  origem.SetConnected(true);
  destino.SetConnected(true);
  tOrigem.SetActive(true);
  tDestino.SetActive(true);
  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, true, true, true);
  ui::TGauge barra;
  ui::TLabel rotulo;
  TClassesConversaoController controlador;
  const auto inicio = Relogio::now();
  const bool ok = controlador.FEfetuaConversao(params, origem, tOrigem, destino, tDestino, barra, rotulo);
  const double s = std::chrono::duration<double>(Relogio::now() - inicio).count();
  if (!ok) std::cerr << "a conversão pelo controlador falhou\n";
  return s;
}

double PelaJanela(const Copia& c) {
  std::vector<QString> respostas{QString::fromStdString(c.origem.string()),
                                 QString::fromStdString(c.destino.string())};
  std::size_t proxima = 0;
  bool falhou = false;
  janela::ExibidorDeCaixas anterior = janela::DefineExibidorDeCaixas([&](const janela::Caixa& caixa) {
    if (caixa.icone != QMessageBox::Information) {
      falhou = true;
      std::cerr << caixa.texto.toStdString() << "\n";
    }
  });
  double s = 0;
  {
    TFPrincipal w;
    w.DialogoAbrirArquivo = [&](const QString&, const QString&) { return respostas.at(proxima++); };
    w.show();
    QCoreApplication::processEvents();
    w.btnAbrirOrigemClick();
    w.btnAbrirVestrelClick();
    w.chkCidades->setChecked(true);
    w.chkCLientes->setChecked(true);
    w.chkFornecedores->setChecked(true);
    const auto inicio = Relogio::now();
    w.btnConverterClick();
    s = std::chrono::duration<double>(Relogio::now() - inicio).count();
  }
  janela::DefineExibidorDeCaixas(anterior);
  if (falhou) std::cerr << "a conversão pela janela falhou\n";
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  amostra::Parametros p;
  p.clientes = argc > 1 ? std::atoi(argv[1]) : 20000;
  p.cidades = argc > 2 ? std::atoi(argv[2]) : 5570;
  p.fornecedores = p.clientes / 5;
  const fs::path pasta = fs::temp_directory_path() / ("benchmark-janela-" + std::to_string(::getpid()));
  // The runs' reports and log lines stay inside the sample's folder.
  setenv("XDG_DATA_HOME", (pasta / "dados").c_str(), 1);
  QApplication aplicacao(argc, argv);
  std::ostringstream nada;
  const amostra::Resultado modelo = amostra::Gera(pasta / "modelo", p, nada);
  std::cout << "amostra: " << p.clientes << " clientes, " << p.fornecedores << " fornecedores, " << p.cidades
            << " cidades\n";
  double melhorJanela = 1e300, melhorControlador = 1e300;
  for (int rodada = 1; rodada <= 2; ++rodada) {
    const double c = PeloControlador(CopiaDe(modelo, pasta / ("controlador" + std::to_string(rodada))));
    const double j = PelaJanela(CopiaDe(modelo, pasta / ("janela" + std::to_string(rodada))));
    std::cout << "rodada " << rodada << ": controlador (como o conversor-lote) " << c << " s, janela " << j << " s\n";
    melhorControlador = std::min(melhorControlador, c);
    melhorJanela = std::min(melhorJanela, j);
  }
  std::cout << "melhor de cada: janela/controlador " << melhorJanela / melhorControlador << "x\n";
  std::error_code ec;
  fs::remove_all(pasta, ec);
  return 0;
}
