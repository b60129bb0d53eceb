#include "benchmark/ReleContador.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <list>
#include <stdexcept>
#include <string>
#include <vector>

namespace ferramentas {

namespace {

// At most this much is read at a time, and at most this much waits, each
// way, for the other end to take it: a side is not read while the bytes it
// sent before are still on their way.
constexpr std::size_t kTamanhoLeitura = 64 * 1024;

std::runtime_error ErroSistema(const std::string& o_que) {
  return std::runtime_error("relay: " + o_que + ": " + std::strerror(errno));
}

sockaddr_in Loopback(int porta) {
  sockaddr_in end{};
  end.sin_family = AF_INET;
  end.sin_port = htons(static_cast<std::uint16_t>(porta));
  end.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return end;
}

// The database client turns Nagle's algorithm off on its socket; the relay's
// two legs do the same, or a small message would wait there for an
// acknowledgement that the client never waited for.
void SemAtraso(int fd) {
  const int sim = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &sim, sizeof(sim));
}

bool NaoBloqueante(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// One end of a connection through the relay.
struct Ponta {
  int fd = -1;
  // Bytes read from the other end, still to be written to this one.
  std::string pendente;
  // This end will send nothing more.
  bool terminou = false;
};

struct Ligacao {
  Ponta cliente;
  Ponta servidor;
  // Who sent bytes last: the client's next bytes start a new message after
  // the server's, or at the start.
  bool servidorPorUltimo = true;
  bool falhou = false;

  bool Acabou() const {
    return falhou || (cliente.terminou && servidor.pendente.empty()) || (servidor.terminou && cliente.pendente.empty());
  }
  void Fecha() {
    close(cliente.fd);
    close(servidor.fd);
  }
};

// Writes what it can of the end's pending bytes; false on a failure.
bool Escreve(Ponta& p) {
  while (!p.pendente.empty()) {
    const ssize_t n = send(p.fd, p.pendente.data(), p.pendente.size(), MSG_NOSIGNAL);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    p.pendente.erase(0, static_cast<std::size_t>(n));
  }
  return true;
}

// Reads from de into para's pending bytes: the number read, 0 when nothing
// was there or de has ended (terminou), -1 on a failure.
ssize_t Le(Ponta& de, Ponta& para) {
  char buffer[kTamanhoLeitura];
  const ssize_t n = recv(de.fd, buffer, sizeof(buffer), 0);
  if (n > 0) {
    para.pendente.append(buffer, static_cast<std::size_t>(n));
    return n;
  }
  if (n == 0) {
    de.terminou = true;
    return 0;
  }
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
}

short Eventos(const Ponta& p, const Ponta& outra) {
  short e = 0;
  if (!p.terminou && outra.pendente.empty()) e |= POLLIN;
  if (!p.pendente.empty()) e |= POLLOUT;
  return e;
}

}  // namespace

ContagemRele ContagemRele::operator-(const ContagemRele& antes) const {
  return {mensagens - antes.mensagens, leituras - antes.leituras, bytesDoCliente - antes.bytesDoCliente,
          bytesDoServidor - antes.bytesDoServidor, conexoes - antes.conexoes};
}

ReleContador::ReleContador(int portaServidor) : portaServidor_(portaServidor) {
  try {
    if (pipe2(despertar_, O_CLOEXEC | O_NONBLOCK) != 0) throw ErroSistema("pipe");
    ouvinte_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (ouvinte_ < 0) throw ErroSistema("socket");
    sockaddr_in end = Loopback(0);
    socklen_t tam = sizeof(end);
    if (bind(ouvinte_, reinterpret_cast<sockaddr*>(&end), sizeof(end)) != 0) throw ErroSistema("bind");
    if (listen(ouvinte_, 16) != 0) throw ErroSistema("listen");
    if (getsockname(ouvinte_, reinterpret_cast<sockaddr*>(&end), &tam) != 0) throw ErroSistema("getsockname");
    porta_ = ntohs(end.sin_port);
    thread_ = std::thread([this] { Laco(); });
  } catch (...) {
    for (int fd : {ouvinte_, despertar_[0], despertar_[1]}) {
      if (fd >= 0) close(fd);
    }
    throw;
  }
}

ReleContador::~ReleContador() {
  const char sinal = 'x';
  while (write(despertar_[1], &sinal, 1) < 0 && errno == EINTR) {
  }
  thread_.join();
  for (int fd : {ouvinte_, despertar_[0], despertar_[1]}) close(fd);
}

ContagemRele ReleContador::Contagem() const {
  const std::lock_guard<std::mutex> trava(mutex_);
  return contagem_;
}

void ReleContador::Laco() {
  std::list<Ligacao> ligacoes;
  std::vector<pollfd> fds;
  for (;;) {
    fds.assign({{despertar_[0], POLLIN, 0}, {ouvinte_, POLLIN, 0}});
    for (const Ligacao& l : ligacoes) {
      fds.push_back({l.cliente.fd, Eventos(l.cliente, l.servidor), 0});
      fds.push_back({l.servidor.fd, Eventos(l.servidor, l.cliente), 0});
    }
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[0].revents != 0) break;

    std::size_t i = 2;
    for (Ligacao& l : ligacoes) {
      const short rc = fds[i++].revents;
      const short rs = fds[i++].revents;
      if ((rc | rs) & (POLLERR | POLLNVAL)) {
        l.falhou = true;
        continue;
      }
      if ((rc & POLLOUT) && !Escreve(l.cliente)) l.falhou = true;
      if ((rs & POLLOUT) && !Escreve(l.servidor)) l.falhou = true;
      // POLLHUP alone, on an end not being read now, waits for its turn.
      if ((rc & (POLLIN | POLLHUP)) && !l.falhou && !l.cliente.terminou && l.servidor.pendente.empty()) {
        const ssize_t n = Le(l.cliente, l.servidor);
        if (n < 0) {
          l.falhou = true;
        } else if (n > 0) {
          const std::lock_guard<std::mutex> trava(mutex_);
          if (l.servidorPorUltimo) ++contagem_.mensagens;
          ++contagem_.leituras;
          contagem_.bytesDoCliente += n;
          l.servidorPorUltimo = false;
        }
        if (!Escreve(l.servidor)) l.falhou = true;
      }
      if ((rs & (POLLIN | POLLHUP)) && !l.falhou && !l.servidor.terminou && l.cliente.pendente.empty()) {
        const ssize_t n = Le(l.servidor, l.cliente);
        if (n < 0) {
          l.falhou = true;
        } else if (n > 0) {
          const std::lock_guard<std::mutex> trava(mutex_);
          contagem_.bytesDoServidor += n;
          l.servidorPorUltimo = true;
        }
        if (!Escreve(l.cliente)) l.falhou = true;
      }
    }
    for (auto it = ligacoes.begin(); it != ligacoes.end();) {
      if (it->Acabou()) {
        it->Fecha();
        it = ligacoes.erase(it);
      } else {
        ++it;
      }
    }

    if (fds[1].revents & POLLIN) {
      for (;;) {
        const int cliente = accept4(ouvinte_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (cliente < 0) break;
        {
          const std::lock_guard<std::mutex> trava(mutex_);
          ++contagem_.conexoes;
        }
        const int servidor = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in end = Loopback(portaServidor_);
        // The server is on this machine: the connection is made, or refused, at once.
        if (servidor < 0 || connect(servidor, reinterpret_cast<const sockaddr*>(&end), sizeof(end)) != 0 ||
            !NaoBloqueante(servidor)) {
          if (servidor >= 0) close(servidor);
          close(cliente);
          continue;
        }
        SemAtraso(cliente);
        SemAtraso(servidor);
        Ligacao& l = ligacoes.emplace_back();
        l.cliente.fd = cliente;
        l.servidor.fd = servidor;
      }
    }
  }
  for (Ligacao& l : ligacoes) l.Fecha();
}

}  // namespace ferramentas
