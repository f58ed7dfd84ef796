// Leak checking is off for the picture test: the software rasteriser's shader code keeps blocks it
// never frees.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}
