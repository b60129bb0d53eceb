#include "banco/CacheDeComandos.h"

#include <algorithm>

namespace banco {

std::unique_ptr<Comando> CacheDeComandos::Toma(const std::string& texto, const TIBTransaction* transacao) {
  for (auto it = entradas_.rbegin(); it != entradas_.rend(); ++it) {
    if (it->transacao == transacao && it->texto == texto) {
      std::unique_ptr<Comando> c = std::move(it->comando);
      entradas_.erase(std::next(it).base());
      return c;
    }
  }
  return nullptr;
}

void CacheDeComandos::Guarda(std::string texto, const TIBTransaction* transacao, std::unique_ptr<Comando> comando) {
  if (!comando) return;
  if (entradas_.size() >= kLimite) entradas_.pop_front();
  entradas_.push_back(Entrada{std::move(texto), transacao, std::move(comando)});
}

void CacheDeComandos::DescartaDa(const TIBTransaction* transacao) {
  entradas_.erase(std::remove_if(entradas_.begin(), entradas_.end(),
                                 [transacao](const Entrada& e) { return e.transacao == transacao; }),
                  entradas_.end());
}

void CacheDeComandos::Limpa() { entradas_.clear(); }

}  // namespace banco
