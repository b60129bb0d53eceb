// The benchmark's relay: bytes pass unchanged both ways, and the client's
// messages are counted as the bursts between the server's answers, however
// the bursts are cut into writes.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "benchmark/ReleContador.h"

namespace {

sockaddr_in Loopback(int porta) {
  sockaddr_in end{};
  end.sin_family = AF_INET;
  end.sin_port = htons(static_cast<std::uint16_t>(porta));
  end.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return end;
}

// A server on a free port of 127.0.0.1 that accepts one connection at a time.
class Ouvinte {
 public:
  Ouvinte() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in end = Loopback(0);
    socklen_t tam = sizeof(end);
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&end), sizeof(end)) != 0 || listen(fd_, 4) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&end), &tam) != 0)
      throw std::runtime_error("cannot listen");
    porta_ = ntohs(end.sin_port);
  }
  ~Ouvinte() { close(fd_); }
  int Porta() const { return porta_; }
  int Aceita() const { return accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC); }

 private:
  int fd_ = -1;
  int porta_ = 0;
};

int Conecta(int porta) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in end = Loopback(porta);
  if (fd < 0 || connect(fd, reinterpret_cast<const sockaddr*>(&end), sizeof(end)) != 0)
    throw std::runtime_error("cannot connect");
  return fd;
}

void EscreveTudo(int fd, const std::string& dados) {
  std::size_t feito = 0;
  while (feito < dados.size()) {
    const ssize_t n = send(fd, dados.data() + feito, dados.size() - feito, MSG_NOSIGNAL);
    if (n <= 0) throw std::runtime_error("send failed");
    feito += static_cast<std::size_t>(n);
  }
}

// Exactly n bytes; fewer only when the other end closed.
std::string LeExatos(int fd, std::size_t n) {
  std::string r(n, '\0');
  std::size_t feito = 0;
  while (feito < n) {
    const ssize_t lidos = recv(fd, r.data() + feito, n - feito, 0);
    if (lidos <= 0) break;
    feito += static_cast<std::size_t>(lidos);
  }
  r.resize(feito);
  return r;
}

// Whether the other end closed within a few seconds (nothing more was sent).
bool Fechou(int fd) {
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, 5000) != 1) return false;
  char c = 0;
  return recv(fd, &c, 1, 0) == 0;
}

// One exchange through the relay: who writes, and the writes. Every write is
// read in full at the other end before the next step, so the relay has seen
// it by then.
struct Passo {
  bool doCliente;
  std::vector<std::string> escritas;
};

struct Caso {
  const char* nome;
  std::vector<Passo> passos;
  long mensagens;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

class ReleContadorConta : public ::testing::TestWithParam<Caso> {};

TEST_P(ReleContadorConta, RajadasDoClienteEntreRespostas) {
  Ouvinte servidor;
  ferramentas::ReleContador rele(servidor.Porta());
  const int cliente = Conecta(rele.Porta());
  const int lado = servidor.Aceita();
  ASSERT_GE(lado, 0);
  long escritasDoCliente = 0;
  long long bytesDoCliente = 0;
  long long bytesDoServidor = 0;
  for (const Passo& p : GetParam().passos) {
    for (const std::string& e : p.escritas) {
      // Written from another thread: a write larger than the sockets' buffers waits for this read.
      std::thread escritor([&] { EscreveTudo(p.doCliente ? cliente : lado, e); });
      const std::string lido = LeExatos(p.doCliente ? lado : cliente, e.size());
      escritor.join();
      ASSERT_EQ(lido, e);
      (p.doCliente ? bytesDoCliente : bytesDoServidor) += static_cast<long long>(e.size());
      if (p.doCliente) ++escritasDoCliente;
    }
  }
  const ferramentas::ContagemRele c = rele.Contagem();
  EXPECT_EQ(c.mensagens, GetParam().mensagens);
  EXPECT_EQ(c.conexoes, 1);
  EXPECT_EQ(c.bytesDoCliente, bytesDoCliente);
  EXPECT_EQ(c.bytesDoServidor, bytesDoServidor);
  // Each write was taken in full before the next, so it came in one read or more.
  EXPECT_GE(c.leituras, escritasDoCliente);
  close(cliente);
  EXPECT_TRUE(Fechou(lado));
  close(lado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ReleContadorConta,
    ::testing::Values(
        Caso{"NadaEnviado", {}, 0}, Caso{"UmaEscrita", {{true, {"op"}}}, 1},
        // Writes of the client with no answer between them are one message.
        Caso{"TresEscritasSemResposta", {{true, {"a", "bb", "ccc"}}}, 1},
        Caso{"PerguntaRespostaTresVezes",
             {{true, {"p1"}}, {false, {"r1"}}, {true, {"p2"}}, {false, {"r2"}}, {true, {"p3"}}},
             3},
        // The server's bytes alone start nothing; several answers in a row are one turn.
        Caso{"ServidorPrimeiro", {{false, {"ola"}}, {true, {"x", "y"}}, {false, {"1", "2", "3"}}}, 1},
        // More than the relay reads at a time: still one message.
        Caso{"MensagemGrande", {{true, {std::string(300000, 'g'), "fim"}}, {false, {"ok"}}, {true, {"p"}}}, 2}),
    [](const auto& info) { return std::string(info.param.nome); });

// Both ends sending much more than a socket buffer before reading: the relay
// must keep both ways moving.
TEST(ReleContador, AmbosOsLadosEscrevemMuitoAoMesmoTempo) {
  Ouvinte servidor;
  ferramentas::ReleContador rele(servidor.Porta());
  const int cliente = Conecta(rele.Porta());
  const int lado = servidor.Aceita();
  ASSERT_GE(lado, 0);
  std::string doCliente(4 << 20, '\0');
  std::string doServidor(4 << 20, '\0');
  for (std::size_t i = 0; i < doCliente.size(); ++i) {
    doCliente[i] = static_cast<char>(i * 7);
    doServidor[i] = static_cast<char>(i * 13 + 1);
  }
  std::thread escritorCliente([&] { EscreveTudo(cliente, doCliente); });
  std::thread escritorServidor([&] { EscreveTudo(lado, doServidor); });
  std::string recebidoPeloServidor;
  std::thread leitorServidor([&] { recebidoPeloServidor = LeExatos(lado, doCliente.size()); });
  const std::string recebidoPeloCliente = LeExatos(cliente, doServidor.size());
  leitorServidor.join();
  escritorCliente.join();
  escritorServidor.join();
  EXPECT_TRUE(recebidoPeloCliente == doServidor);
  EXPECT_TRUE(recebidoPeloServidor == doCliente);
  EXPECT_EQ(rele.Contagem().bytesDoCliente, static_cast<long long>(doCliente.size()));
  close(lado);
  EXPECT_TRUE(Fechou(cliente));
  close(cliente);
}

// Connections are counted together; a reading taken earlier gives what came after it.
TEST(ReleContador, DuasConexoesEDiferenca) {
  Ouvinte servidor;
  ferramentas::ReleContador rele(servidor.Porta());
  const int c1 = Conecta(rele.Porta());
  const int s1 = servidor.Aceita();
  EscreveTudo(c1, "um");
  ASSERT_EQ(LeExatos(s1, 2), "um");
  const ferramentas::ContagemRele antes = rele.Contagem();
  const int c2 = Conecta(rele.Porta());
  const int s2 = servidor.Aceita();
  EscreveTudo(c2, "dois");
  ASSERT_EQ(LeExatos(s2, 4), "dois");
  // The first connection's client writes again without an answer: the same message.
  EscreveTudo(c1, "um");
  ASSERT_EQ(LeExatos(s1, 2), "um");
  const ferramentas::ContagemRele depois = rele.Contagem() - antes;
  EXPECT_EQ(depois.mensagens, 1);
  EXPECT_EQ(depois.conexoes, 1);
  EXPECT_EQ(depois.bytesDoCliente, 6);
  EXPECT_EQ(rele.Contagem().mensagens, 2);
  for (int fd : {c1, s1, c2, s2}) close(fd);
}

// A server that is not there: the client's connection is closed, not kept waiting.
TEST(ReleContador, ServidorAusenteFechaOCliente) {
  int porta = 0;
  {
    Ouvinte fechado;
    porta = fechado.Porta();
  }
  ferramentas::ReleContador rele(porta);
  const int cliente = Conecta(rele.Porta());
  EXPECT_TRUE(Fechou(cliente));
  close(cliente);
}

}  // namespace
