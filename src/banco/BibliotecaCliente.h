#pragma once
// The Firebird client library's functions, as loaded at run time. Only the
// layer itself uses this header.
#include <ibase.h>

#include <string>

#include "banco/Biblioteca.h"

namespace banco {

struct FuncoesCliente {
  decltype(&isc_attach_database) attach_database;
  decltype(&isc_detach_database) detach_database;
  decltype(&isc_database_info) database_info;
  decltype(&isc_start_multiple) start_multiple;
  decltype(&isc_commit_transaction) commit_transaction;
  decltype(&isc_rollback_transaction) rollback_transaction;
  decltype(&isc_dsql_alloc_statement2) dsql_alloc_statement2;
  decltype(&isc_dsql_prepare) dsql_prepare;
  decltype(&isc_dsql_sql_info) dsql_sql_info;
  decltype(&isc_dsql_describe_bind) dsql_describe_bind;
  decltype(&isc_dsql_describe) dsql_describe;
  decltype(&isc_dsql_execute) dsql_execute;
  decltype(&isc_dsql_execute2) dsql_execute2;
  decltype(&isc_dsql_fetch) dsql_fetch;
  decltype(&isc_dsql_free_statement) dsql_free_statement;
  decltype(&isc_open_blob2) open_blob2;
  decltype(&isc_get_segment) get_segment;
  decltype(&isc_close_blob) close_blob;
  decltype(&fb_interpret) interpret;
  decltype(&isc_sqlcode) sqlcode;
  decltype(&isc_vax_integer) vax_integer;
  decltype(&fb_shutdown) shutdown;
};

// The loaded library's functions; loads it first when needed.
const FuncoesCliente& Cliente();

}  // namespace banco
