#include "comum/InterfaceUsuario.h"

namespace ui {

namespace {

class InterfaceSilenciosa : public IInterfaceUsuario {
 public:
  void MostraMensagem(TipoMensagem, const std::u16string&) override {}
  void ProcessaEventosPendentes() override {}
};

InterfaceSilenciosa silenciosa;
IInterfaceUsuario* atual = &silenciosa;

}  // namespace

IInterfaceUsuario* DefineInterfaceUsuario(IInterfaceUsuario* nova) {
  IInterfaceUsuario* anterior = atual;
  atual = nova ? nova : &silenciosa;
  return anterior;
}

IInterfaceUsuario& InterfaceUsuario() { return *atual; }

void MostraMensagem(TipoMensagem tipo, const std::u16string& texto) { atual->MostraMensagem(tipo, texto); }

void MostraMensagem(TipoMensagem tipo, const std::u16string& texto, const std::u16string& detalhes) {
  atual->MostraMensagemComDetalhes(tipo, texto, detalhes);
}

void ProcessMessages() { atual->ProcessaEventosPendentes(); }

}  // namespace ui
