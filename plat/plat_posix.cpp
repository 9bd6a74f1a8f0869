/* Platform seam over POSIX, for the native build. The profile value is
 * held in memory and set by the caller; paths written with Windows
 * separators are opened with POSIX ones. */
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "plat.h"
#include "plat_posix.h"

static char app_directory[1024];

void plat_posix_set_app_directory(const char *directory)
{
    if (!directory)
        directory = "";
    snprintf(app_directory, sizeof app_directory, "%s", directory);
}

void plat_app_directory(char *buffer, int size)
{
    if (size <= 0)
        return;
    snprintf(buffer, (size_t)size, "%s", app_directory);
}

static int posix_path(const char *path, char *out, size_t size)
{
    size_t len = strlen(path);
    if (len + 1 > size)
        return -1;
    for (size_t i = 0; i <= len; i++)
        out[i] = path[i] == '\\' ? '/' : path[i];
    return 0;
}

plat_file plat_open_read(const char *path)
{
    char p[4096];
    if (posix_path(path, p, sizeof p) != 0)
        return PLAT_NO_FILE;
    int fd = open(p, O_RDONLY);
    if (fd < 0)
        return PLAT_NO_FILE;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return PLAT_NO_FILE;
    }
    return fd;
}

int plat_read(plat_file file, void *buffer, int size)
{
    ssize_t got;
    do
        got = read((int)file, buffer, (size_t)size);
    while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : (int)got;
}

void plat_close(plat_file file)
{
    close((int)file);
}

int plat_replace_file(const char *path, const void *bytes, size_t size)
{
    char p[4096], temp[4100];
    if (posix_path(path, p, sizeof p) != 0)
        return -1;
    snprintf(temp, sizeof temp, "%s.tmp", p);
    /* A file without write permission is read-only; refuse it even as root. */
    struct stat st;
    if (stat(p, &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR)))
        return -1;
    int fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return -1;
    const char *b = (const char *)bytes;
    int ok = 1;
    while (ok && size > 0) {
        ssize_t put = write(fd, b, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            ok = 0;
        else {
            b += put;
            size -= (size_t)put;
        }
    }
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok)
        ok = rename(temp, p) == 0;
    if (!ok) {
        unlink(temp);
        return -1;
    }
    return 0;
}
