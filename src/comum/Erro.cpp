#include "comum/Erro.h"

#include "comum/Texto.h"

namespace comum {

Erro::Erro(std::u16string mensagem) : mensagem_(std::move(mensagem)), utf8_(texto::ParaUtf8(mensagem_)) {}

std::u16string MensagemDe(const std::exception& e) {
  if (auto* erro = dynamic_cast<const Erro*>(&e)) return erro->Mensagem();
  return texto::DeUtf8(e.what());
}

}  // namespace comum
