/* The commands that show the module's other faces: the script editor's
 * paste templates, the wizard library's answers, and the wizard run. */
#ifndef KELHOST_WIZINFO_H
#define KELHOST_WIZINFO_H

#include <stdio.h>

#include <string>
#include <vector>

#include "module.h"

/* Each command gives 0, or -1 with the reason in error. */
int show_paste(const Module *m, const std::vector<std::string> &names, FILE *out, std::string *error);
int show_wizard_info(const Module *m, FILE *out, std::string *error);
/* Run the wizard. With cancel_after_ms above 0 the host itself reports
 * what the editor shows and presses Cancel after that long; otherwise a
 * user closes it. */
int run_wizard(const Module *m, int cancel_after_ms, FILE *out, std::string *error);

#endif
