/* What the native build's tests set in place of the Windows profile. */
#ifndef VELMOK_PLAT_POSIX_H
#define VELMOK_PLAT_POSIX_H

/* Set the profile value "ApplicationDirectory"; NULL removes it. */
void plat_posix_set_app_directory(const char *directory);

#endif
