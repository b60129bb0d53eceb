#pragma once
// The layer's bookkeeping of which objects name which: a connection knows its
// transactions and statement objects, a transaction its statement objects, so
// that each can unbind the others when it goes away.
#include <algorithm>
#include <vector>

namespace banco {

template <typename T>
class ListaObjetos {
 public:
  void Inclui(T* objeto) {
    if (!Contem(objeto)) itens_.push_back(objeto);
  }
  void Retira(T* objeto) { itens_.erase(std::remove(itens_.begin(), itens_.end(), objeto), itens_.end()); }
  bool Contem(const T* objeto) const { return std::find(itens_.begin(), itens_.end(), objeto) != itens_.end(); }
  // A copy, so that the loop may change the list itself.
  std::vector<T*> Copia() const { return itens_; }

 private:
  std::vector<T*> itens_;
};

// Moves objeto from the list of its present owner to the list of novo (either
// may be none) and makes novo its owner.
template <typename Dono, typename T>
void TrocaDono(T* objeto, Dono*& dono, Dono* novo, ListaObjetos<T> Dono::*lista) {
  if (dono) (dono->*lista).Retira(objeto);
  dono = novo;
  if (dono) (dono->*lista).Inclui(objeto);
}

}  // namespace banco
