// Leak checking is off for this binary, as for the device's own tests: llvmpipe's compiled shader
// code allocates small blocks that it never frees and that no suppression can name.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}
