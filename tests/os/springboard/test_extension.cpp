// An extension whose initialiser leaves a mark in the process that loads it.
#include <cstdlib>

__attribute__((constructor)) static void mark_loaded() { setenv("TEST_EXTENSION_LOADED", "1", 1); }
