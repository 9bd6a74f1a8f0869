/* Platform seam over Win32. */
#include <windows.h>

#include "plat.h"

plat_file plat_open_read(const char *path)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    return h == INVALID_HANDLE_VALUE ? PLAT_NO_FILE : (plat_file)h;
}

int plat_read(plat_file file, void *buffer, int size)
{
    DWORD got = 0;
    if (!ReadFile((HANDLE)file, buffer, (DWORD)size, &got, NULL))
        return -1;
    return (int)got;
}

void plat_close(plat_file file)
{
    CloseHandle((HANDLE)file);
}

static int write_all(HANDLE h, const char *bytes, size_t size)
{
    while (size > 0) {
        DWORD chunk = size > 0x10000 ? 0x10000 : (DWORD)size;
        DWORD put = 0;
        if (!WriteFile(h, bytes, chunk, &put, NULL) || put != chunk)
            return -1;
        bytes += put;
        size -= put;
    }
    return 0;
}

int plat_replace_file(const char *path, const void *bytes, size_t size)
{
    char temp[MAX_PATH + 16];
    int len = lstrlenA(path);
    if (len + 5 >= (int)sizeof temp)
        return -1;

    /* Windows will not replace a read-only file; Wine would, so look. */
    DWORD attrs = GetFileAttributesA(path);
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return -1;

    lstrcpyA(temp, path);
    lstrcatA(temp, ".tmp");
    HANDLE h = CreateFileA(temp, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    int ok = write_all(h, (const char *)bytes, size) == 0;
    ok = FlushFileBuffers(h) && ok;
    ok = CloseHandle(h) && ok;
    if (ok)
        ok = MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileA(temp);
        return -1;
    }
    return 0;
}

void plat_app_directory(char *buffer, int size)
{
    GetProfileStringA("Kelvane", "ApplicationDirectory", "", buffer, (DWORD)size);
}
