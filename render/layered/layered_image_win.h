// The layered edition's window image, kept between paints.
#pragma once
#include <cstdint>

// The last composed image, top-down 32-bit premultiplied pixels (tests, benchmarks).
const uint32_t* LayeredBackBuffer(int* width, int* height);
