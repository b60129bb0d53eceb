#pragma once
// The prepared statements a connection keeps after their statement objects
// have moved on to another text (or gone), so that a text that comes back in
// the same transaction runs without being prepared again. Bounded: the
// oldest is freed when the cache is full. A transaction ended through its
// object takes its statements with it; disconnecting frees them all.
#include <deque>
#include <memory>
#include <string>

#include "banco/Comando.h"

class TIBTransaction;

namespace banco {

class CacheDeComandos {
 public:
  // A prepared 50-column insert holds some 50 KB: this bounds the cache to a
  // few megabytes.
  static constexpr std::size_t kLimite = 32;

  // The statement prepared for texto in transacao, taken out of the cache;
  // none when it holds no such statement.
  std::unique_ptr<Comando> Toma(const std::string& texto, const TIBTransaction* transacao);
  void Guarda(std::string texto, const TIBTransaction* transacao, std::unique_ptr<Comando> comando);
  void DescartaDa(const TIBTransaction* transacao);
  void Limpa();
  std::size_t Tamanho() const { return entradas_.size(); }

 private:
  struct Entrada {
    std::string texto;
    const TIBTransaction* transacao;
    std::unique_ptr<Comando> comando;
  };
  std::deque<Entrada> entradas_;  // the most recent last
};

}  // namespace banco
