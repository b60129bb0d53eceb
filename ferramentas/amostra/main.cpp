// gerar-amostra: writes a sample legacy database and an empty destination.
#include <iostream>
#include <string>

#include "amostra/GeradorAmostra.h"

namespace {

const char* const kUso =
    "Uso: gerar-amostra --pasta PASTA [--cidades N] [--clientes N] [--fornecedores N] [--semente N]\n"
    "\n"
    "Cria PASTA/LEGADO.FDB (tabelas do sistema antigo com dados de exemplo) e\n"
    "PASTA/VESTREL.FB (destino vazio), substituindo arquivos com esses nomes.\n"
    "Padrão: 250 cidades, 5000 clientes, 500 fornecedores, semente 1.\n";

bool LeNumero(const std::string& texto, long long& n) {
  try {
    std::size_t usados = 0;
    n = std::stoll(texto, &usados);
    return usados == texto.size() && n >= 0 && n <= 1000000;
  } catch (...) {
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  amostra::Parametros p;
  std::string pasta;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << kUso;
      return 0;
    }
    if (i + 1 >= argc) {
      std::cerr << "gerar-amostra: opção sem valor ou desconhecida: " << a << "\n\n" << kUso;
      return 2;
    }
    std::string v = argv[++i];
    long long n = 0;
    if (a == "--pasta") {
      pasta = v;
      continue;
    }
    if (!LeNumero(v, n)) {
      std::cerr << "gerar-amostra: valor inválido para " << a << ": " << v << "\n";
      return 2;
    }
    if (a == "--cidades") {
      p.cidades = static_cast<int>(n);
    } else if (a == "--clientes") {
      p.clientes = static_cast<int>(n);
    } else if (a == "--fornecedores") {
      p.fornecedores = static_cast<int>(n);
    } else if (a == "--semente") {
      p.semente = static_cast<std::uint32_t>(n);
    } else {
      std::cerr << "gerar-amostra: opção desconhecida: " << a << "\n\n" << kUso;
      return 2;
    }
  }
  if (pasta.empty()) {
    std::cerr << "gerar-amostra: informe --pasta\n\n" << kUso;
    return 2;
  }
  try {
    amostra::Gera(pasta, p, std::cout);
  } catch (const std::exception& e) {
    std::cerr << "gerar-amostra: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
