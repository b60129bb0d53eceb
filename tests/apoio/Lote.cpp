#include "apoio/Lote.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

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

}  // namespace

ResultadoLote RodaLote(const std::filesystem::path& pasta, const std::vector<std::string>& args) {
  std::string cmd = CONVERSOR_LOTE;
  for (const auto& a : args) cmd += " " + AspasShell(a);
  const auto out = pasta / "saida.txt";
  const auto err = pasta / "erros.txt";
  cmd += " > " + AspasShell(out.string()) + " 2> " + AspasShell(err.string()) + " < /dev/null";
  int w = std::system(cmd.c_str());
  ResultadoLote r;
  r.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
  r.saida = Le(out);
  r.erros = Le(err);
  return r;
}

}  // namespace apoio
