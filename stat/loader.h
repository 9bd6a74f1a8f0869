/* The tag list file's place, and the lazy loader that turns the file
 * into the statistics table. */
#ifndef VELMOK_STAT_LOADER_H
#define VELMOK_STAT_LOADER_H

#include "table.h"

#define STAT_APPDIR_FIELD 256 /* profile value: 255 characters at most */
#define STAT_TAGLIST_NAME "STATTAGS.CSV"
#define STAT_PATH_FIELD (STAT_APPDIR_FIELD - 1 + 1 + 12 + 1) /* 268 and the terminator */

/* Module-wide path and line storage, shared by the loader and the tag
 * list editor; each use ends within one call. */
extern char StatPathBuffer[STAT_PATH_FIELD];
extern char StatLineBuffer[STAT_NAME_FIELD];

/* Build the path afresh from the profile: directory, "\", file name. */
const char *StatTagListPath(void);

/* Load the table unless a connection is held. */
void StatEnsureLoaded(void);

/* After the editor's save: when a connection is held, shut it down and
 * load the table again from the new file. */
void StatReload(void);

#endif
