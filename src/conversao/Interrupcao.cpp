#include "conversao/Interrupcao.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "comum/Erro.h"

namespace interrupcao {

namespace {

struct Estado {
  std::mutex mutex;
  std::function<void(int)> foraDeUmaRodada;
  bool emCurso = false;
  std::atomic<int> sinal{0};
};

Estado& estado() {
  static Estado e;
  return e;
}

sigset_t Sinais() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGINT);
  sigaddset(&s, SIGTERM);
  sigaddset(&s, SIGHUP);
  return s;
}

void Espera() {
  const sigset_t sinais = Sinais();
  for (;;) {
    int sinal = 0;
    if (sigwait(&sinais, &sinal) != 0) continue;
    Estado& e = estado();
    std::function<void(int)> fora;
    {
      std::lock_guard<std::mutex> trava(e.mutex);
      if (e.emCurso) {
        int nenhum = 0;
        // Only the first signal counts; the rollback it causes is not cut short.
        e.sinal.compare_exchange_strong(nenhum, sinal);
        continue;
      }
      fora = e.foraDeUmaRodada;
    }
    if (fora) fora(sinal);
  }
}

}  // namespace

void Instala(std::function<void(int sinal)> foraDeUmaRodada) {
  estado().foraDeUmaRodada = std::move(foraDeUmaRodada);
  const sigset_t sinais = Sinais();
  pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
  static bool iniciada = false;
  if (!iniciada) {
    iniciada = true;
    std::thread(Espera).detach();
  }
}

int SinalRecebido() { return estado().sinal.load(); }

int StatusDeSaida(int sinal) { return sinal == SIGINT ? 130 : 143; }

void Verifica() {
  if (SinalRecebido() != 0) throw comum::Erro(Mensagem);
}

RodadaEmCurso::RodadaEmCurso() {
  Estado& e = estado();
  std::lock_guard<std::mutex> trava(e.mutex);
  e.sinal = 0;
  e.emCurso = true;
}

RodadaEmCurso::~RodadaEmCurso() {
  Estado& e = estado();
  std::lock_guard<std::mutex> trava(e.mutex);
  e.emCurso = false;
}

}  // namespace interrupcao
