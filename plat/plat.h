/* Platform seam: the few services the statistics core needs from the
 * system. One implementation over Win32, one over POSIX for the native
 * build; nothing else in stat/ or exports/ touches the system. */
#ifndef VELMOK_PLAT_H
#define VELMOK_PLAT_H

#include <stddef.h>
#include <stdint.h>

typedef intptr_t plat_file;
#define PLAT_NO_FILE ((plat_file)-1)

/* Open an existing file for reading, sharing read and write with other
 * programs. Gives PLAT_NO_FILE when it cannot be opened. */
plat_file plat_open_read(const char *path);

/* Read up to size bytes. Gives the count read, 0 at end of file, -1 on
 * error. */
int plat_read(plat_file file, void *buffer, int size);

void plat_close(plat_file file);

/* Replace the file at path with the given bytes, all or nothing: the
 * bytes go to a temporary file beside it, which then takes its place in
 * one step. A read-only file is refused as Windows refuses it. On any
 * failure the file is left as it was and the temporary file removed.
 * Gives 0 on success, -1 on failure. */
int plat_replace_file(const char *path, const void *bytes, size_t size);

/* The host's application directory from the profile, section
 * "Kelvane", key "ApplicationDirectory", default empty; cut to size-1
 * characters and terminated. */
void plat_app_directory(char *buffer, int size);

#endif
