#pragma once

namespace z718::platform {

// Starts the program again at once, with the same arguments, with glibc's per-thread caches of
// freed blocks turned off: they keep blocks the window freed from going back to the system, and
// so hold about 0.6 MiB of heap pages all day in the tray. A setting of the C library that only
// its start reads. Returns where nothing was done: elsewhere than glibc on Linux, in the copy
// started again, when the user chose those caches' size himself, or when starting again failed.
// Call first thing in main(), before any thread runs.
void restartWithLeanHeap(char* argv[]);

// Hands the heap's free pages back to the system, which glibc would otherwise keep for the next
// allocations.
void returnFreedMemory();

}  // namespace z718::platform
