#pragma once
// A relay on 127.0.0.1 between a database client and a server on the same
// machine: every connection it accepts is joined to a new connection to the
// server's port, and the bytes go through unchanged both ways. It counts
// what the clients sent, so that the network round trips of a run can be
// read off: on a real network each of the client's messages waits for the
// server's answer before the next one leaves.
#include <mutex>
#include <thread>

namespace ferramentas {

struct ContagemRele {
  // The client's messages: a message is everything the client sends from the
  // moment it starts writing until the server next writes back, however many
  // writes and reads carry it. The first bytes of a connection start one.
  long mensagens = 0;
  // The reads from the clients that carried bytes, as the relay made them;
  // at least one per message.
  long leituras = 0;
  long long bytesDoCliente = 0;
  long long bytesDoServidor = 0;
  // The clients' connections accepted, counted before the server's is made.
  long conexoes = 0;

  // What was counted between an earlier reading and this one.
  ContagemRele operator-(const ContagemRele& antes) const;
};

class ReleContador {
 public:
  // Listens on a free port of 127.0.0.1 for clients of the server on
  // portaServidor; std::runtime_error when it cannot.
  explicit ReleContador(int portaServidor);
  // Closes every connection, both ways, and stops.
  ~ReleContador();
  ReleContador(const ReleContador&) = delete;
  ReleContador& operator=(const ReleContador&) = delete;

  // The port the clients connect to.
  int Porta() const { return porta_; }
  // What has been counted since the start, on every connection together.
  ContagemRele Contagem() const;

 private:
  void Laco();

  int portaServidor_;
  int ouvinte_ = -1;
  int porta_ = 0;
  int despertar_[2] = {-1, -1};
  mutable std::mutex mutex_;
  ContagemRele contagem_;
  std::thread thread_;
};

}  // namespace ferramentas
