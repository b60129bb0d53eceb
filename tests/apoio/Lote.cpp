#include "apoio/Lote.h"

#include <cctype>

#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "apoio/Processo.h"

namespace apoio {

namespace {

std::string Le(const std::filesystem::path& p) {
  std::ifstream f(p);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string AspasShell(const std::string& v) {
  std::string r = "'";
  for (char c : v) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

void PreencheStatus(int w, ResultadoLote& r) {
  r.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
  r.sinal = WIFSIGNALED(w) ? WTERMSIG(w) : 0;
}

}  // namespace

ResultadoLote RodaLote(const std::filesystem::path& pasta, const std::vector<std::string>& args) {
  std::string cmd = CONVERSOR_LOTE;
  for (const auto& a : args) cmd += " " + AspasShell(a);
  const auto out = pasta / "saida.txt";
  const auto err = pasta / "erros.txt";
  cmd += " > " + AspasShell(out.string()) + " 2> " + AspasShell(err.string()) + " < /dev/null";
  int w = std::system(cmd.c_str());
  ResultadoLote r;
  PreencheStatus(w, r);
  r.saida = Le(out);
  r.erros = Le(err);
  return r;
}

LoteEmCurso::LoteEmCurso(const std::filesystem::path& pasta, const std::vector<std::string>& args)
    : saida_(pasta / "saida.txt"), erros_(pasta / "erros.txt") {
  std::filesystem::remove(saida_);
  std::filesystem::remove(erros_);
  std::vector<std::string> linha{CONVERSOR_LOTE};
  linha.insert(linha.end(), args.begin(), args.end());
  pid_ = IniciaProcesso(linha, AmbienteAtual(), "/dev/null", saida_, erros_);
}

LoteEmCurso::~LoteEmCurso() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  EsperaProcesso(pid_);
}

std::string LoteEmCurso::ErrosAteAgora() const { return Le(erros_); }

ResultadoLote LoteEmCurso::Espera(std::chrono::milliseconds limite) {
  ResultadoLote r;
  if (pid_ > 0) {
    auto w = EsperaProcessoAte(pid_, limite);
    if (!w) {
      kill(pid_, SIGKILL);
      w = EsperaProcesso(pid_);
    }
    pid_ = -1;
    PreencheStatus(*w, r);
  }
  r.saida = Le(saida_);
  r.erros = Le(erros_);
  return r;
}

std::string SemTempos(const std::string& erros) {
  std::string r;
  const std::string em = " em ";
  std::size_t i = 0;
  while (i < erros.size()) {
    const std::size_t achado = erros.find(em, i);
    if (achado == std::string::npos) break;
    r.append(erros, i, achado + em.size() - i);
    std::size_t j = achado + em.size();
    std::size_t digitos = 0;
    while (j + digitos < erros.size() && std::isdigit(static_cast<unsigned char>(erros[j + digitos]))) ++digitos;
    const std::size_t fim = j + digitos + 5;  // ",dd s"
    if (digitos > 0 && fim <= erros.size() && erros[j + digitos] == ',' &&
        std::isdigit(static_cast<unsigned char>(erros[j + digitos + 1])) &&
        std::isdigit(static_cast<unsigned char>(erros[j + digitos + 2])) && erros.compare(j + digitos + 3, 2, " s") == 0) {
      r += "T s";
      i = fim;
    } else {
      i = j;
    }
  }
  r.append(erros, i, std::string::npos);
  return r;
}

}  // namespace apoio
