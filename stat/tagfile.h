/* Reading the tag list file: its bytes in text mode, split into lines.
 *
 * CR LF counts as LF; any other CR is an ordinary character; byte 26
 * (Ctrl-Z), the end of the file or a read error ends the input; a zero
 * byte adds nothing. A line is what an LF ends: the characters after
 * the last LF are not a line. Lines longer than a tag name are skipped
 * whole. The file is read in blocks; the lines are the same whatever
 * the block size. */
#ifndef VELMOK_STAT_TAGFILE_H
#define VELMOK_STAT_TAGFILE_H

#include <stddef.h>

#include "../plat/plat.h"
#include "table.h"

#define TAGFILE_BLOCK 512

typedef struct TagFileReader {
    plat_file file;               /* PLAT_NO_FILE when reading memory */
    const unsigned char *memory;  /* memory source, for tests and fuzzing */
    size_t memory_left;
    int block;                    /* largest read, 1 to TAGFILE_BLOCK */
    int pos, len;
    int ended;
    unsigned char buf[TAGFILE_BLOCK];
} TagFileReader;

/* Open the file at path for reading. Gives 0, or -1 when it cannot be
 * opened (then there are no lines). */
int TagFileOpen(TagFileReader *r, const char *path);

/* Read bytes from memory, at most block bytes per read. */
void TagFileOpenMemory(TagFileReader *r, const void *bytes, size_t size, int block);

/* Next line, terminated, into line (STAT_NAME_FIELD bytes). Gives 1
 * with a line, 0 once the input has ended. */
int TagFileNextLine(TagFileReader *r, char *line);

void TagFileClose(TagFileReader *r);

#endif
