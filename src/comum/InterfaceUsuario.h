#pragma once
// How the core reaches the operator: modal message boxes and the processing of
// pending window events. The window, the batch runner and the tests each plug
// in their own implementation; without one, messages are discarded.
#include <string>

namespace ui {

enum class TipoMensagem { Aviso, Erro, Informacao };

class IInterfaceUsuario {
 public:
  virtual ~IInterfaceUsuario() = default;
  // Shows a modal box of the kind with one OK button and returns once it is
  // closed. A carriage return in the text is a line break.
  virtual void MostraMensagem(TipoMensagem tipo, const std::u16string& texto) = 0;
  // The same box with more text the operator may open (lines separated by
  // line feeds); without its own way to show it, the box alone is shown.
  virtual void MostraMensagemComDetalhes(TipoMensagem tipo, const std::u16string& texto,
                                         const std::u16string& /*detalhes*/) {
    MostraMensagem(tipo, texto);
  }
  // Handles every window event waiting in the queue and returns.
  virtual void ProcessaEventosPendentes() = 0;
};

// Installs the implementation used from now on (nullptr restores the silent
// default) and returns the previous one.
IInterfaceUsuario* DefineInterfaceUsuario(IInterfaceUsuario* nova);
IInterfaceUsuario& InterfaceUsuario();

void MostraMensagem(TipoMensagem tipo, const std::u16string& texto);
void MostraMensagem(TipoMensagem tipo, const std::u16string& texto, const std::u16string& detalhes);
// Application.ProcessMessages of the readers.
void ProcessMessages();

}  // namespace ui
