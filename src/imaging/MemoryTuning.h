#pragma once

namespace sorvane {

// Decoding a camera picture allocates buffers of tens of megabytes, one after
// another, for every picture read ahead. By default each of them is mapped
// afresh and handed back at once, so every picture pays for faulting in
// thousands of new pages — on a virtual machine enough to stall the window
// for tens of milliseconds. Keeping such buffers in the heap up to 64 MiB
// lets the next picture reuse the same memory; memory is still given back to
// the system beyond 128 MiB of free heap.
// All threads share one heap: by default each reader thread gets a heap of
// its own, each keeping up to that much free, and the pictures one thread
// reads and another frees leave holes in both. Over 300 viewer steps the
// resident memory grew by 65 MiB after the first tenth that way, and stayed
// flat with one heap, which reuses its free memory just as well. Called once
// at start-up, before any reader thread starts.
void KeepPictureBuffersInTheHeap();

} // namespace sorvane
