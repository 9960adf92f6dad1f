/* Preloaded into the sanitizer build's real-window tests: libraries are never unloaded, so
   what SDL's graphics drivers still hold at exit stays reachable and nameable for the leak
   checker, instead of becoming leaks of an unknown module. */
int dlclose(void* handle) {
  (void)handle;
  return 0;
}
