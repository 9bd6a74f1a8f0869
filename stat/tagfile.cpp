/* Text-mode line reader for the tag list file. */
#include <string.h>

#include "tagfile.h"

#define CTRL_Z 26

int TagFileOpen(TagFileReader *r, const char *path)
{
    memset(r, 0, offsetof(TagFileReader, buf));
    r->file = plat_open_read(path);
    r->block = TAGFILE_BLOCK;
    if (r->file == PLAT_NO_FILE) {
        r->ended = 1;
        return -1;
    }
    return 0;
}

void TagFileOpenMemory(TagFileReader *r, const void *bytes, size_t size, int block)
{
    memset(r, 0, offsetof(TagFileReader, buf));
    r->file = PLAT_NO_FILE;
    r->memory = (const unsigned char *)bytes;
    r->memory_left = size;
    r->block = block < 1 ? 1 : block > TAGFILE_BLOCK ? TAGFILE_BLOCK : block;
}

void TagFileClose(TagFileReader *r)
{
    if (r->file != PLAT_NO_FILE)
        plat_close(r->file);
    r->file = PLAT_NO_FILE;
    r->ended = 1;
}

/* Refill the block. Gives 0 when no byte came (end or error). */
static int refill(TagFileReader *r)
{
    int got;
    if (r->file != PLAT_NO_FILE) {
        got = plat_read(r->file, r->buf, r->block);
    } else {
        got = r->memory_left < (size_t)r->block ? (int)r->memory_left : r->block;
        if (got > 0) {
            memcpy(r->buf, r->memory, (size_t)got);
            r->memory += got;
            r->memory_left -= (size_t)got;
        }
    }
    r->pos = 0;
    r->len = got > 0 ? got : 0;
    return r->len;
}

/* Next raw byte, or -1 once the input has ended. */
static int next_byte(TagFileReader *r)
{
    if (r->ended)
        return -1;
    if (r->pos == r->len && !refill(r)) {
        r->ended = 1;
        return -1;
    }
    return r->buf[r->pos++];
}

/* Next character after the text-mode translation, or -1. */
static int next_char(TagFileReader *r)
{
    int c = next_byte(r);
    if (c == CTRL_Z) {
        r->ended = 1;
        return -1;
    }
    if (c != '\r')
        return c;
    /* A CR is a line end only when an LF follows at once. */
    if (r->pos == r->len && !refill(r)) {
        r->ended = 1;
        return '\r';
    }
    if (r->buf[r->pos] == '\n') {
        r->pos++;
        return '\n';
    }
    return '\r';
}

int TagFileNextLine(TagFileReader *r, char *line)
{
    int n = 0, too_long = 0;
    for (;;) {
        int c = next_char(r);
        if (c < 0)
            return 0;
        if (c == '\n') {
            if (!too_long) {
                line[n] = 0;
                return 1;
            }
            n = 0;
            too_long = 0;
        } else if (c != 0) {
            if (n == STAT_TAGNAME_MAX)
                too_long = 1;
            else
                line[n++] = (char)c;
        }
    }
}
