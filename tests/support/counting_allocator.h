// Counting replacements for the C allocator's entry points, for tests that
// prove a path allocates nothing. Include it in exactly one source file of a
// test executable; set `counting` on the thread to watch and read `allocations`.
#pragma once

#include <cerrno>
#include <cstddef>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;
inline void Count() {
    if (counting) ++allocations;
}
}  // namespace

extern "C" {
void* malloc(size_t n) {
    Count();
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
    Count();
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
    Count();
    return __libc_realloc(p, n);
}
void* memalign(size_t align, size_t n) {
    Count();
    return __libc_memalign(align, n);
}
void* aligned_alloc(size_t align, size_t n) {
    Count();
    return __libc_memalign(align, n);
}
int posix_memalign(void** out, size_t align, size_t n) {
    Count();
    void* p = __libc_memalign(align, n);
    if (!p) return ENOMEM;
    *out = p;
    return 0;
}
void free(void* p) { __libc_free(p); }
}
