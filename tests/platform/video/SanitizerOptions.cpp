// Leak checking is off for this binary: llvmpipe's compiled shader code allocates small blocks
// that it never frees and that cannot be traced to a module, so no suppression can name them.
// The drawing code itself is leak-checked through the recording device in test_graphics.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}
