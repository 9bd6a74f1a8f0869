/* Count of heap allocations made in this process: every malloc, calloc,
 * realloc and aligned allocation, and so every operator new. */
#ifndef VELMOK_BENCH_ALLOC_COUNT_H
#define VELMOK_BENCH_ALLOC_COUNT_H

unsigned long AllocCount(void);

#endif
