/* The C library's allocator entries replaced by counting ones that hand
 * the work to the C library's own allocator. operator new calls malloc,
 * so it is counted too. <stdlib.h> is left out on purpose: these are
 * the definitions, not the library's declarations. */
#include <stddef.h>

#include "alloc_count.h"

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *block, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void *__libc_valloc(size_t size);
void *__libc_pvalloc(size_t size);
void __libc_free(void *block);
}

static unsigned long allocations;

static void counted(void)
{
    __atomic_fetch_add(&allocations, 1, __ATOMIC_RELAXED);
}

unsigned long AllocCount(void)
{
    return __atomic_load_n(&allocations, __ATOMIC_RELAXED);
}

extern "C" {

void *malloc(size_t size)
{
    counted();
    return __libc_malloc(size);
}

void *calloc(size_t count, size_t size)
{
    counted();
    return __libc_calloc(count, size);
}

void *realloc(void *block, size_t size)
{
    counted();
    return __libc_realloc(block, size);
}

void free(void *block)
{
    __libc_free(block);
}

void *memalign(size_t alignment, size_t size)
{
    counted();
    return __libc_memalign(alignment, size);
}

void *aligned_alloc(size_t alignment, size_t size)
{
    counted();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void **out, size_t alignment, size_t size)
{
    counted();
    if (alignment < sizeof(void *) || (alignment & (alignment - 1)) != 0)
        return 22; /* EINVAL */
    void *block = __libc_memalign(alignment, size);
    if (!block)
        return 12; /* ENOMEM */
    *out = block;
    return 0;
}

void *valloc(size_t size)
{
    counted();
    return __libc_valloc(size);
}

void *pvalloc(size_t size)
{
    counted();
    return __libc_pvalloc(size);
}

}
