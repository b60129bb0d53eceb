#include "banco/BibliotecaCliente.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "banco/IBErro.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"

namespace banco {

namespace {

struct Estado {
  std::string nome = NomePadraoBibliotecaCliente();
  void* handle = nullptr;
  FuncoesCliente funcoes{};
  std::filesystem::path raizPropria;  // the configuration folder written by this process
};

Estado& estado() {
  static Estado e;
  return e;
}

template <typename F>
bool Resolve(void* handle, const char* simbolo, F& destino) {
  destino = reinterpret_cast<F>(dlsym(handle, simbolo));
  return destino != nullptr;
}

// At the program's end the embedded engine's threads are stopped before the
// process goes away, so nothing runs while the runtime tears itself down.
void EncerraBiblioteca() {
  Estado& e = estado();
  if (e.handle && e.funcoes.shutdown) e.funcoes.shutdown(0, fb_shutrsn_exit_called);
  if (!e.raizPropria.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(e.raizPropria, ec);
  }
}

std::filesystem::path PastaFirebird() { return CONVERSOR_PASTA_FIREBIRD; }

bool Existe(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::exists(p, ec);
}

// Firebird 4's client library (Debian 13) loads only its own engine for local
// files, and finds others only through the plugins.conf of its root folder.
// So that Firebird 3 files open too, without touching the system's
// configuration, the process gets a root folder of its own: a firebird.conf
// naming both engines (Firebird 4's first, so the files created are of one
// version, the one the system's tools read) and including the system's, a
// plugins.conf with their modules, and the system's messages and character
// sets. An operator's own
// FIREBIRD setting is left alone.
void PreparaRaizPropria(Estado& e) {
  if (!e.raizPropria.empty() || std::getenv("FIREBIRD")) return;
  const MotoresLocais m = MotoresDestaInstalacao();
  const std::filesystem::path fb4 = PastaFirebird() / "4.0";
  if (!m.firebird3 || !Existe(fb4 / "firebird.msg")) return;
  std::string modelo = (std::filesystem::temp_directory_path() / "conversor-firebird-XXXXXX").string();
  if (!mkdtemp(modelo.data())) return;
  const std::filesystem::path raiz = modelo;
  // The first setting of a name counts: the system's settings follow, all but
  // the providers kept as they are.
  std::ofstream conf(raiz / "firebird.conf");
  conf << "# Written by the converter for its own process.\n"
       << "Providers = Remote, " << (m.firebird4 ? "Engine13, " : "") << "Engine12, Loopback\n";
  if (Existe(fb4 / "firebird.conf")) conf << "include " << (fb4 / "firebird.conf").string() << "\n";
  conf.close();
  std::ofstream plugins(raiz / "plugins.conf");
  if (m.firebird4) plugins << "Plugin = Engine13 {\n\tModule = " << (fb4 / "plugins/libEngine13").string() << "\n}\n";
  plugins << "Plugin = Engine12 {\n\tModule = " << (PastaFirebird() / "3.0/plugins/libEngine12").string() << "\n}\n";
  plugins.close();
  std::error_code ec;
  std::filesystem::create_symlink(fb4 / "firebird.msg", raiz / "firebird.msg", ec);
  std::filesystem::create_symlink(fb4 / "intl", raiz / "intl", ec);
  setenv("FIREBIRD", raiz.c_str(), 1);
  e.raizPropria = raiz;
}

}  // namespace

std::string NomePadraoBibliotecaCliente() { return "libfbclient.so.2"; }

MotoresLocais MotoresDestaInstalacao() {
  MotoresLocais m;
  m.firebird3 = Existe(PastaFirebird() / "3.0/plugins/libEngine12.so");
  m.firebird4 = Existe(PastaFirebird() / "4.0/plugins/libEngine13.so");
  return m;
}

bool MotorAbre(const MotoresLocais& m, int odsMaior, int odsMenor) {
  if (odsMaior == 12) return m.firebird3;
  if (odsMaior == 13 && odsMenor == 0) return m.firebird4;
  return false;
}

void DefineNomeBibliotecaCliente(const std::string& nome) {
  Estado& e = estado();
  if (nome != e.nome) {
    // The library already loaded stays in memory; the name counts for the next load.
    e.nome = nome;
    e.handle = nullptr;
  }
}

void CarregaBibliotecaCliente() {
  Estado& e = estado();
  if (e.handle) return;
  regional::UsaNomesDeArquivoUtf8();
  PreparaRaizPropria(e);
  dlerror();
  void* h = dlopen(e.nome.c_str(), RTLD_NOW | RTLD_GLOBAL);
  // The loader's reason, while it is still there: a missing file, a missing
  // dependency, a wrong architecture, a symbol the file does not have.
  const char* motivo = h ? nullptr : dlerror();
  std::string motivoCarregador = motivo ? motivo : "";
  FuncoesCliente f{};
  bool ok = h != nullptr;
  ok = ok && Resolve(h, "isc_attach_database", f.attach_database);
  ok = ok && Resolve(h, "isc_detach_database", f.detach_database);
  ok = ok && Resolve(h, "isc_database_info", f.database_info);
  ok = ok && Resolve(h, "isc_start_multiple", f.start_multiple);
  ok = ok && Resolve(h, "isc_commit_transaction", f.commit_transaction);
  ok = ok && Resolve(h, "isc_rollback_transaction", f.rollback_transaction);
  ok = ok && Resolve(h, "isc_dsql_alloc_statement2", f.dsql_alloc_statement2);
  ok = ok && Resolve(h, "isc_dsql_prepare", f.dsql_prepare);
  ok = ok && Resolve(h, "isc_dsql_sql_info", f.dsql_sql_info);
  ok = ok && Resolve(h, "isc_dsql_describe_bind", f.dsql_describe_bind);
  ok = ok && Resolve(h, "isc_dsql_describe", f.dsql_describe);
  ok = ok && Resolve(h, "isc_dsql_execute", f.dsql_execute);
  ok = ok && Resolve(h, "isc_dsql_execute2", f.dsql_execute2);
  ok = ok && Resolve(h, "isc_dsql_fetch", f.dsql_fetch);
  ok = ok && Resolve(h, "isc_dsql_free_statement", f.dsql_free_statement);
  ok = ok && Resolve(h, "isc_open_blob2", f.open_blob2);
  ok = ok && Resolve(h, "isc_get_segment", f.get_segment);
  ok = ok && Resolve(h, "isc_close_blob", f.close_blob);
  ok = ok && Resolve(h, "fb_interpret", f.interpret);
  ok = ok && Resolve(h, "isc_sqlcode", f.sqlcode);
  ok = ok && Resolve(h, "isc_vax_integer", f.vax_integer);
  ok = ok && Resolve(h, "fb_shutdown", f.shutdown);
  if (!ok) {
    if (motivoCarregador.empty() && h) {
      const char* d = dlerror();
      motivoCarregador = d ? d : "símbolo ausente";
    }
    throw EIBClientError(u"InterBase library " + texto::DeUtf8(e.nome) +
                         u" not found in the path. Please install InterBase to use this functionality (" +
                         texto::DeUtf8(motivoCarregador) + u")");
  }
  e.funcoes = f;
  e.handle = h;
  static bool encerramentoRegistrado = false;
  if (!encerramentoRegistrado) {
    encerramentoRegistrado = true;
    std::atexit(EncerraBiblioteca);
  }
}

const FuncoesCliente& Cliente() {
  CarregaBibliotecaCliente();
  return estado().funcoes;
}

}  // namespace banco
