// libfile.cpp - appending one entry to a library file.
#include "commands/libfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/output.h"
#include "engine/library.h"

// Writes all of 'text' at the end of 'fd'; the error number, or 0.
static int writeall(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += (size_t)n;
    }
    return 0;
}

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
    // Writers take turns (where the file system has locks), so the length before the
    // entry is the length to cut the file back to when the entry cannot be written whole.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) continue;
    off_t before = fstat(fd, &st) == 0 ? st.st_size : -1;
    int err = writeall(fd, entry);
    if (err) {
        bool cut = before >= 0 && ftruncate(fd, before) == 0;
        *cout2 << "Could not write the entry to " << path << " : " << std::strerror(err)
               << (cut ? " , the file is cut back to its former length , nothing written\n"
                       : " , part of the entry may be left at the end of the file : remove it by hand\n");
    }
    if (close(fd) != 0 && !err) {
        err = errno;
        *cout2 << "Could not write the entry to " << path << " : " << std::strerror(err) << "\n";
    }
    libchanged();
    return !err;
}

bool holdsany(const std::string &s, const char *set) { return s.find_first_of(set) != std::string::npos; }
