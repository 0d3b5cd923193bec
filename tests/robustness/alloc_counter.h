// Counts heap allocations and lock acquisitions made by the calling thread
// while counting is on. Linked into a test executable, it replaces malloc
// and its relatives (which operator new uses) and the pthread lock calls;
// under a sanitizer, whose runtime owns malloc, it counts through the
// sanitizer's allocation hooks instead and cannot see locks.
#pragma once

struct AllocCounts {
    long allocations;
    long locks;
};

// Starts counting on this thread from zero.
void alloc_counter_begin();
// Stops counting on this thread and returns what was seen since begin.
AllocCounts alloc_counter_end();
// False when locks cannot be observed in this build (sanitizers).
bool alloc_counter_sees_locks();
