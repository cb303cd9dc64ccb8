// shared.cpp - where the shipped files lie: found from the running program or library,
// so that an installed tree works wherever it is unpacked.
#include "app/shared.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

// The installed share folder of qev, relative to the installation prefix (or absolute);
// set by the build.
#ifndef QEV_SHARE
#define QEV_SHARE "share/qev"
#endif

// How many folders above its own an installed program or Tcl package looks for the
// share folder: bin/ lies one below the prefix, lib/tcltk/<arch>/qev<version> four.
enum { SHAREDEPTH = 4 };

// The real path of 'path' (no "..", no symbolic links); "" when it cannot be resolved.
static std::string real(const char *path)
{
    char *r = realpath(path, nullptr);
    if (!r) return "";
    std::string s = r;
    free(r);
    return s;
}

std::string modulefolder(const void *code)
{
    Dl_info info;
    link_map *map = nullptr;
    if (!dladdr1(code, &info, reinterpret_cast<void **>(&map), RTLD_DL_LINKMAP) || !map) return "";
    std::string file;
    if (map->l_name[0]) {
        file = real(map->l_name);
    } else {
        // The program itself has no name in the link map (its dladdr name is argv[0]);
        // the link of the process names it, also after it was replaced on disk.
        char buf[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n > 0) file.assign(buf, n);
    }
    return file.substr(0, file.rfind('/'));
}

// 'folder' when it holds 'entry', else "".
static std::string holding(const std::string &folder, const char *entry)
{
    struct stat st;
    return stat((folder + "/" + entry).c_str(), &st) == 0 ? real(folder.c_str()) : "";
}

std::string sharedfolder(const std::string &module, const char *entry)
{
    if (module.empty()) return "";
    std::string found = holding(module, entry);
    if (!found.empty()) return found;
    if (QEV_SHARE[0] == '/') return holding(QEV_SHARE, entry);  // installed at a fixed place
    std::string up = module;
    for (int k = 1; k <= SHAREDEPTH && found.empty(); k++) {
        up += "/..";
        found = holding(up + "/" QEV_SHARE, entry);
    }
    return found;
}
