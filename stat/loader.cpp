/* Lazy loading of the statistics table from the tag list file. */
#include <string.h>

#include "../host/vlx.h"
#include "../plat/plat.h"
#include "loader.h"
#include "tagfile.h"

char StatPathBuffer[STAT_PATH_FIELD];
char StatLineBuffer[STAT_NAME_FIELD];

static TagFileReader reader;

const char *StatTagListPath(void)
{
    char directory[STAT_APPDIR_FIELD];
    directory[0] = 0;
    plat_app_directory(directory, sizeof directory);
    directory[STAT_APPDIR_FIELD - 1] = 0;
    size_t n = strlen(directory);
    memcpy(StatPathBuffer, directory, n);
    StatPathBuffer[n] = '\\';
    memcpy(StatPathBuffer + n + 1, STAT_TAGLIST_NAME, sizeof STAT_TAGLIST_NAME);
    return StatPathBuffer;
}

void StatEnsureLoaded(void)
{
    if (StatConnection != 0)
        return;
    /* Stored at once, 0 included: a 0 means the next call loads again. */
    StatConnection = VlxInit(0, 0);
    StatTagListPath();
    StatLoadedCount = 0;
    if (TagFileOpen(&reader, StatPathBuffer) == 0) {
        while (StatLoadedCount < STAT_MAX_TAGS && TagFileNextLine(&reader, StatLineBuffer)) {
            uint32_t point = VlxActivate(StatConnection, StatLineBuffer);
            if (point != 0) {
                StatSetSlot(StatLoadedCount, StatLineBuffer, point);
                StatLoadedCount++;
            }
        }
        TagFileClose(&reader);
    }
    for (int32_t i = 0; i < StatLoadedCount; i++)
        StatClearSlot(i);
}

void StatReload(void)
{
    if (StatConnection == 0)
        return;
    VlxShutdown(StatConnection);
    StatConnection = 0;
    StatEnsureLoaded();
}
