#pragma once
// What the window's tests share: the message boxes and the open-file dialog
// answered by the test, and the runners of each group of tests.
#include <QString>
#include <deque>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "aplicacao/janela/Mensagens.h"
#include "aplicacao/janela/TelaPrincipal.h"

namespace apoio_janela {

// Records every message box instead of showing it, while alive. aoExibir runs
// while the box would be up.
class CaixasGravadas {
 public:
  CaixasGravadas() {
    anterior_ = janela::DefineExibidorDeCaixas([this](const janela::Caixa& c) {
      caixas.push_back(c);
      if (aoExibir) aoExibir(c);
    });
  }
  ~CaixasGravadas() { janela::DefineExibidorDeCaixas(std::move(anterior_)); }
  CaixasGravadas(const CaixasGravadas&) = delete;
  CaixasGravadas& operator=(const CaixasGravadas&) = delete;

  std::vector<janela::Caixa> caixas;
  std::function<void(const janela::Caixa&)> aoExibir;

 private:
  janela::ExibidorDeCaixas anterior_;
};

// Answers the window's open-file dialog with the queued paths (an empty one,
// or none left, is a cancel) and records the folder and filter it was given.
class DialogoGravado {
 public:
  explicit DialogoGravado(TFPrincipal& janela) {
    janela.DialogoAbrirArquivo = [this](const QString& pasta, const QString& filtro) {
      chamadas.emplace_back(pasta, filtro);
      if (respostas.empty()) return QString();
      QString r = respostas.front();
      respostas.pop_front();
      return r;
    };
  }
  std::deque<QString> respostas;
  std::vector<std::pair<QString, QString>> chamadas;
};

inline QString Caminho(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

int RodaTestesBarra(int argc, char** argv);
int RodaTestesJanela(int argc, char** argv);
int RodaTestesInicio(int argc, char** argv);
int RodaTestesMensagens(int argc, char** argv);
int RodaTestesCaptura(int argc, char** argv);

}  // namespace apoio_janela
