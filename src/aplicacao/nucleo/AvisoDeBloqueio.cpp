#include "aplicacao/nucleo/AvisoDeBloqueio.h"

#include "aplicacao/nucleo/Avisos.h"
#include "banco/EsperaPorBloqueio.h"
#include "comum/InterfaceUsuario.h"
#include "conversao/Interrupcao.h"

TAvisoDeBloqueio::TAvisoDeBloqueio(ui::TLabel& lblInfo) : lblInfo_(lblInfo) {
  anterior_ = banco::DefineAvisoDeEspera([this](bool esperando) { Avisa(esperando); });
}

TAvisoDeBloqueio::~TAvisoDeBloqueio() { banco::DefineAvisoDeEspera(std::move(anterior_)); }

void TAvisoDeBloqueio::Avisa(bool esperando) {
  if (esperando) {
    if (!esperando_) {
      esperando_ = true;
      legendaAnterior_ = lblInfo_.Caption();
      lblInfo_.SetCaption(legendaAnterior_.empty() ? std::u16string(avisos::AguardandoBloqueio)
                                                   : legendaAnterior_ + u" - " + avisos::AguardandoBloqueio);
    }
    ui::ProcessMessages();
    interrupcao::Verifica();
  } else if (esperando_) {
    esperando_ = false;
    lblInfo_.SetCaption(legendaAnterior_);
  }
}
