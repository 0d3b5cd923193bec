#include "tests/robustness/alloc_counter.h"

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZK_COUNT_WITH_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ZK_COUNT_WITH_HOOKS 1
#endif
#endif

namespace {

// Plain thread-locals: initial-exec TLS in the executable, usable from
// inside malloc without allocating.
thread_local bool t_counting = false;
thread_local long t_allocations = 0;
thread_local long t_locks = 0;

inline void count_allocation() {
    if (t_counting) ++t_allocations;
}
inline void count_lock() {
    if (t_counting) ++t_locks;
}

}  // namespace

void alloc_counter_begin() {
    t_allocations = 0;
    t_locks = 0;
    t_counting = true;
}

AllocCounts alloc_counter_end() {
    t_counting = false;
    return AllocCounts{t_allocations, t_locks};
}

#ifdef ZK_COUNT_WITH_HOOKS

extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, size_t), void (*free_hook)(const volatile void*));

namespace {
void on_malloc(const volatile void*, size_t) { count_allocation(); }
void on_free(const volatile void*) {}
[[maybe_unused]] const int g_hooks_installed = __sanitizer_install_malloc_and_free_hooks(on_malloc, on_free);
}  // namespace

bool alloc_counter_sees_locks() { return false; }

#else

#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);

void* malloc(size_t n) {
    count_allocation();
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
    count_allocation();
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
    count_allocation();
    return __libc_realloc(p, n);
}
void free(void* p) { __libc_free(p); }
void* memalign(size_t alignment, size_t n) {
    count_allocation();
    return __libc_memalign(alignment, n);
}
void* aligned_alloc(size_t alignment, size_t n) {
    count_allocation();
    return __libc_memalign(alignment, n);
}
int posix_memalign(void** out, size_t alignment, size_t n) {
    count_allocation();
    void* p = __libc_memalign(alignment, n);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}
}

namespace {

template <typename Fn>
Fn next_symbol(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

using MutexFn = int (*)(pthread_mutex_t*);
using RwFn = int (*)(pthread_rwlock_t*);
using SpinFn = int (*)(pthread_spinlock_t*);
using SemFn = int (*)(sem_t*);
using CondFn = int (*)(pthread_cond_t*, pthread_mutex_t*);

// Resolved before main, so no lookup happens inside a counted call.
MutexFn real_mutex_lock = next_symbol<MutexFn>("pthread_mutex_lock");
MutexFn real_mutex_trylock = next_symbol<MutexFn>("pthread_mutex_trylock");
RwFn real_rdlock = next_symbol<RwFn>("pthread_rwlock_rdlock");
RwFn real_wrlock = next_symbol<RwFn>("pthread_rwlock_wrlock");
SpinFn real_spin_lock = next_symbol<SpinFn>("pthread_spin_lock");
SemFn real_sem_wait = next_symbol<SemFn>("sem_wait");
CondFn real_cond_wait = next_symbol<CondFn>("pthread_cond_wait");

}  // namespace

extern "C" {
int pthread_mutex_lock(pthread_mutex_t* m) {
    count_lock();
    return real_mutex_lock(m);
}
int pthread_mutex_trylock(pthread_mutex_t* m) {
    count_lock();
    return real_mutex_trylock(m);
}
int pthread_rwlock_rdlock(pthread_rwlock_t* l) {
    count_lock();
    return real_rdlock(l);
}
int pthread_rwlock_wrlock(pthread_rwlock_t* l) {
    count_lock();
    return real_wrlock(l);
}
int pthread_spin_lock(pthread_spinlock_t* l) {
    count_lock();
    return real_spin_lock(l);
}
int sem_wait(sem_t* s) {
    count_lock();
    return real_sem_wait(s);
}
int pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m) {
    count_lock();
    return real_cond_wait(c, m);
}
}

bool alloc_counter_sees_locks() { return true; }

#endif
