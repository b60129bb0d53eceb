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
