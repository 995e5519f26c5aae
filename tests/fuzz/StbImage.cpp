// The picture decoder's implementation, built into the fuzzer so that its
// code is instrumented too (the game links the system's prebuilt copy).
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
