/* Module-wide values of the Windows module. */
#ifndef VELMOK_EXPORTS_MODULE_H
#define VELMOK_EXPORTS_MODULE_H

/* The module instance handle, set once at process attach; the wizard
 * loads the module's own resources through it. */
extern void *VelmokInstance;

#endif
