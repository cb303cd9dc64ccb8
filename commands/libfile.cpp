// libfile.cpp - appending one entry to a library file.
#include "commands/libfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/output.h"
#include "engine/library.h"

bool appendentry(const std::string &path, const std::string &entry)
{
    // O_NONBLOCK: a pipe without a reader must not make the call wait.
    int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0664);
    if (fd < 0) {
        *cout2 << "Could not open " << path << " for appending , nothing written\n";
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        *cout2 << path << " is not a regular file , nothing written\n";
        return false;
    }
    ssize_t n;
    do n = write(fd, entry.data(), entry.size());
    while (n < 0 && errno == EINTR);
    bool ok = close(fd) == 0 && n == (ssize_t)entry.size();
    if (!ok) *cout2 << "Could not write the entry to " << path << "\n";
    libchanged();
    return ok;
}

bool holdsany(const std::string &s, const char *set) { return s.find_first_of(set) != std::string::npos; }
