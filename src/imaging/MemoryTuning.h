#pragma once

namespace sorvane {

// Decoding a camera picture allocates buffers of tens of megabytes, one after
// another, for every picture read ahead. By default each of them is mapped
// afresh and handed back at once, so every picture pays for faulting in
// thousands of new pages — on a virtual machine enough to stall the window
// for tens of milliseconds. Keeping such buffers in the heap up to 64 MiB
// lets the next picture reuse the same memory; memory is still given back to
// the system beyond 128 MiB of free heap. Called once at start-up.
void KeepPictureBuffersInTheHeap();

} // namespace sorvane
