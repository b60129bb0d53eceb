#pragma once
// Every modal message box of the program goes through ExibeCaixa, so that a
// test can answer them: the core's warnings, errors and information, the
// default error report, the theme's error and the start-up failure.
#include <QMessageBox>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "comum/InterfaceUsuario.h"

namespace janela {

struct Caixa {
  QMessageBox::Icon icone = QMessageBox::NoIcon;
  QString titulo;
  // A carriage return is a line break.
  QString texto;
  // The one button.
  QMessageBox::StandardButton botao = QMessageBox::Ok;
  // A line shown under the text, apart from it; none when empty. Initialised
  // here so that a box without one need not name it.
  QString detalhe = QString();
  // Lines the operator may open under the box ("Show Details..."); none when
  // empty.
  QString detalhes = QString();
};

using ExibidorDeCaixas = std::function<void(const Caixa&)>;

// Installs who shows the boxes from now on (an empty function restores the
// real modal boxes) and returns the previous one.
ExibidorDeCaixas DefineExibidorDeCaixas(ExibidorDeCaixas novo);

// Shows the box and returns once it is closed.
void ExibeCaixa(const Caixa& caixa);

// The real box, not yet shown: the kind's icon, the caption, the text with
// its carriage returns turned into line breaks, the detail line under it and
// the one button.
std::unique_ptr<QMessageBox> CriaCaixa(const Caixa& caixa, QWidget* pai);

// The caption word of each kind: "Warning", "Error", "Information".
QString LegendaDoTipo(ui::TipoMensagem tipo);
QMessageBox::Icon IconeDoTipo(ui::TipoMensagem tipo);

// The window's side of the core's user interface: message boxes and the
// processing of pending window events.
class TInterfaceQt : public ui::IInterfaceUsuario {
 public:
  void MostraMensagem(ui::TipoMensagem tipo, const std::u16string& texto) override;
  void MostraMensagemComDetalhes(ui::TipoMensagem tipo, const std::u16string& texto,
                                 const std::u16string& detalhes) override;
  // Let through at most every 20 ms: the readers ask once per row.
  void ProcessaEventosPendentes() override;

 private:
  std::chrono::steady_clock::time_point processado_{};
};

}  // namespace janela
