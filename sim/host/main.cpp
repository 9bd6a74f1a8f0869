/* kelhost: a stand-in for the host application. It loads VELMOK.dll as
 * the host does, sets the profile value through which the module finds
 * its tag list file, serves a tag database through the point-access
 * stand-in, and runs host scripts; it also shows the paste templates
 * and the wizard library's answers, and runs the wizard. */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "module.h"
#include "run.h"
#include "script.h"
#include "tagdb.h"
#include "wizinfo.h"

static const char usage[] =
    "usage: kelhost [options] run SCRIPT      run a host script, then print the summary table\n"
    "       kelhost [options] paste [NAME...] the script editor's templates (all ten by default)\n"
    "       kelhost [options] info            the wizard library's answers\n"
    "       kelhost [options] wizard          run the wizard (the tag list editor; needs a display)\n"
    "options:\n"
    "  -C FOLDER   work in FOLDER, the host's application directory, where the module\n"
    "              finds STATTAGS.CSV (default: the current folder)\n"
    "  -m MODULE   the module to load (default: VELMOK.dll beside kelhost.exe)\n"
    "  -t FILE     the tag database for run (default: tags.txt)\n"
    "  -q          no progress line on long runs\n"
    "  --cancel-after SECONDS   wizard: report the editor's list and press Cancel after SECONDS\n";

static int error_exit(const std::string &what)
{
    fflush(stdout);
    fprintf(stderr, "kelhost: %s\n", what.c_str());
    return 1;
}

static int usage_exit(const char *what)
{
    fflush(stdout);
    fprintf(stderr, "kelhost: %s\n%s", what, usage);
    return 2;
}

int main(int argc, char **argv)
{
    /* LF line ends whatever the system, so stored outputs compare. */
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    const char *folder = NULL, *module_path = NULL, *tags = "tags.txt";
    int quiet = 0, cancel_ms = 0, i = 1;
    for (; i < argc && argv[i][0] == '-'; i++) {
        const char *o = argv[i];
        if (strcmp(o, "-q") == 0) {
            quiet = 1;
        } else if (strcmp(o, "-C") == 0 || strcmp(o, "-m") == 0 || strcmp(o, "-t") == 0 ||
                   strcmp(o, "--cancel-after") == 0) {
            if (i + 1 >= argc)
                return usage_exit((std::string(o) + " needs a value").c_str());
            const char *v = argv[++i];
            if (o[1] == 'C') folder = v;
            else if (o[1] == 'm') module_path = v;
            else if (o[1] == 't') tags = v;
            else {
                char *end;
                double s = strtod(v, &end);
                if (*end || !(s > 0 && s <= 3600))
                    return usage_exit("--cancel-after needs a number of seconds up to 3600");
                cancel_ms = (int)(s * 1000 + 0.5);
            }
        } else if (strcmp(o, "-h") == 0 || strcmp(o, "--help") == 0) {
            fputs(usage, stdout);
            return 0;
        } else {
            return usage_exit((std::string("unknown option ") + o).c_str());
        }
    }
    if (i >= argc)
        return usage_exit("no command given");
    const char *command = argv[i++];
    int is_run = strcmp(command, "run") == 0;
    if (!is_run && strcmp(command, "paste") && strcmp(command, "info") && strcmp(command, "wizard"))
        return usage_exit((std::string("unknown command ") + command).c_str());
    if (is_run && argc - i != 1)
        return usage_exit("run needs one script");
    if ((strcmp(command, "info") == 0 || strcmp(command, "wizard") == 0) && i < argc)
        return usage_exit((std::string(command) + " takes no arguments").c_str());

    std::string module_file = module_path ? module_path : module_default_path();
    if (folder && !SetCurrentDirectoryA(folder))
        return error_exit(std::string("cannot work in ") + folder);

    /* As the host's set-up does: the module looks for STATTAGS.CSV in
     * the application directory named by this profile value. */
    char here[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof here, here);
    if (n == 0 || n >= sizeof here)
        return error_exit("the working folder's path is too long");
    WriteProfileStringA("Kelvane", "ApplicationDirectory", here);

    Module module = Module();
    std::string error;
    TagDb db;
    Script script;
    if (is_run) {
        /* Both files are read whole first: a fault in either stops the
         * run before the module is called. */
        if (tagdb_load(&db, tags, &error) || script_parse(&script, argv[i], &error))
            return error_exit(error);
    }
    if (module_load(&module, module_file.c_str(), &error))
        return error_exit(error);

    int rc;
    if (is_run) {
        HostRun run = HostRun();
        run.module = &module;
        run.db = &db;
        run.tag_list_path = "STATTAGS.CSV";
        run.out = stdout;
        run.progress = !quiet && _isatty(_fileno(stderr));
        rc = run_script(&run, &script, &error);
    } else if (strcmp(command, "paste") == 0) {
        rc = show_paste(&module, std::vector<std::string>(argv + i, argv + argc), stdout, &error);
    } else if (strcmp(command, "info") == 0) {
        rc = show_wizard_info(&module, stdout, &error);
    } else {
        rc = run_wizard(&module, cancel_ms, stdout, &error);
    }
    if (rc)
        return error_exit(error);
    fflush(stdout);
    return 0;
}
