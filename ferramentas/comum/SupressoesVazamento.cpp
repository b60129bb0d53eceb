// In the sanitizer build: memory that the Firebird client library and its ICU
// keep until the process ends is not ours to report.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfbclient.so\n"
         "leak:libEngine12.so\n"
         "leak:libicuuc\n"
         "leak:libicui18n\n"
         "leak:libtommath\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

// The leak checker's tracking of the dynamic thread-local blocks of libraries
// loaded at run time (the client library and its engine) reads stale block
// bounds on this C library and crashes its exit-time scan, depending on how
// the heap happens to be laid out. The blocks it would scan hold nothing of
// ours.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
