#include "banco/BibliotecaCliente.h"

#include <dlfcn.h>

#include <cstdlib>

#include "banco/IBErro.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"

namespace banco {

namespace {

struct Estado {
  std::string nome = NomePadraoBibliotecaCliente();
  void* handle = nullptr;
  FuncoesCliente funcoes{};
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
}

}  // namespace

std::string NomePadraoBibliotecaCliente() { return "libfbclient.so.2"; }

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
  void* h = dlopen(e.nome.c_str(), RTLD_NOW | RTLD_GLOBAL);
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
    throw EIBClientError(u"InterBase library " + texto::DeUtf8(e.nome) +
                         u" not found in the path. Please install InterBase to use this functionality");
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
