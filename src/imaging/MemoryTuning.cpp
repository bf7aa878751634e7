#include "imaging/MemoryTuning.h"

#include <malloc.h>

namespace sorvane {

void KeepPictureBuffersInTheHeap() {
    ::mallopt(M_MMAP_THRESHOLD, 64 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 128 << 20);
    ::mallopt(M_ARENA_MAX, 1);
}

} // namespace sorvane
