// Placeholder replaced below.
#include "gfx/blitters/blit_kernels.h"
const BlitFamily* VectorBlitters() { return kPortableBlitters; }
