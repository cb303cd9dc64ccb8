// libfile.cpp - locked appends and locked atomic rewrites of library files.
#include "commands/libfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/output.h"
#include "engine/library.h"

// Opens 'path' with 'flags' and takes its lock. The lock is on the file that the path
// names once it is held: a file renamed over it or removed meanwhile (by a rewrite that
// held the lock first) is opened again. Returns the descriptor, or -1 with errno set
// (EINVAL: not a regular file).
static int lockpath(const std::string &path, int flags)
{
    for (;;) {
        // O_NONBLOCK: a pipe without a reader must not make the call wait.
        int fd = open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0664);
        if (fd < 0) return -1;
        struct stat held, named;
        if (fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            close(fd);
            errno = EINVAL;
            return -1;
        }
        // Where the file system has no locks, the writers do not take turns.
        while (flock(fd, LOCK_EX) != 0 && errno == EINTR) continue;
        if (stat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) return fd;
        close(fd);  // the path names another file now, or none: open that
    }
}

bool writeall(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        errno = 0;
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
}

// Writes 'entry' at the end of the file open at 'fd' for appending, whose length was
// 'before' (-1: not known). An entry that cannot be written whole is cut off again: a
// part of it would be read as part of the entry before it. Returns 0, or the error
// after writing a message naming 'path'.
static int writeentry(int fd, const std::string &path, const std::string &entry, off_t before)
{
    if (writeall(fd, entry)) return 0;
    int err = errno ? errno : EIO;
    bool cut = before >= 0 && ftruncate(fd, before) == 0;
    *cout2 << "Could not write the entry to " << path << " : " << std::strerror(err)
           << (cut ? " , the file is cut back to its former length , nothing written\n"
                   : " , part of the entry may be left at the end of the file : remove it by hand\n");
    return err;
}

bool appendentry(const std::string &path, const std::string &entry)
{
    int fd = lockpath(path, O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0 && errno == EINVAL) {
        *cout2 << path << " is not a regular file , nothing written\n";
        return false;
    }
    if (fd < 0) {
        *cout2 << "Could not open " << path << " for appending , nothing written\n";
        return false;
    }
    // Writers take turns, so the length before the entry is the length to cut the file
    // back to when the entry cannot be written whole.
    struct stat st;
    int err = writeentry(fd, path, entry, fstat(fd, &st) == 0 ? st.st_size : -1);
    if (close(fd) != 0 && !err) {
        err = errno;
        *cout2 << "Could not write the entry to " << path << " : " << std::strerror(err) << "\n";
    }
    libchanged();
    return !err;
}

// The text of the file open at 'fd'; false on a read error.
static bool readall(int fd, std::string &text)
{
    text.clear();
    char buf[65536];
    for (off_t at = 0;;) {
        ssize_t n = pread(fd, buf, sizeof buf, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        text.append(buf, (size_t)n);
        at += n;
    }
}

// Puts a file holding 'text' in the place of 'path' (the file 'held', whose lock is
// held; null when there is none): a new file in the same folder, synced, renamed over
// it, the folder synced. It gets the mode and owner of 'held' (mode 0664 less the
// umask without one). False with errno set on failure; the old file is then untouched.
static bool replacefile(const std::string &path, const struct stat *held, const std::string &text)
{
    // A link is followed: the file it names is replaced, the link stays.
    char real[PATH_MAX];
    std::string target = realpath(path.c_str(), real) ? real : path;
    size_t slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    std::string temp = (slash == std::string::npos ? "" : target.substr(0, slash + 1)) + "." +
                       target.substr(slash == std::string::npos ? 0 : slash + 1) + ".XXXXXX";
    int fd = mkostemp(&temp[0], O_CLOEXEC);
    if (fd < 0) return false;
    mode_t mask = umask(0);
    umask(mask);
    bool ok = writeall(fd, text) && fchmod(fd, held ? held->st_mode & 07777 : 0664 & ~mask) == 0;
    if (ok && held && fchown(fd, held->st_uid, held->st_gid) != 0) {}  // kept only where allowed
    ok = ok && fsync(fd) == 0;
    int e = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), target.c_str()) == 0) {
        int d = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (d >= 0) {
            fsync(d);
            close(d);
        }
        return true;
    }
    if (ok) e = errno;
    unlink(temp.c_str());
    errno = e;
    return false;
}

bool editfile(const std::string &path, bool create,
              const std::function<int(const std::string &text, std::string &out)> &edit)
{
    int fd = lockpath(path, O_RDWR | O_APPEND);  // an entry goes at the end; reads take 'pread'
    std::string text;
    bool missing = fd < 0 && errno == ENOENT && create;
    if (!missing && (fd < 0 || !readall(fd, text))) {
        if (fd < 0 && errno == EINVAL) {
            *cout2 << path << " is not a regular file , nothing written\n";
        } else {
            *cout2 << "Could not read " << path << " : " << std::strerror(errno) << " , nothing written\n";
        }
        if (fd >= 0) close(fd);
        return false;
    }
    std::string out;
    int what = edit(text, out);
    if (missing) {
        // A new file: an entry is appended as 'anu' appends; a whole text is renamed
        // into place.
        if (what == EDIT_KEEP) return true;
        if (what == EDIT_APPEND) {
            bool ok = appendentry(path, out);
            // The file made for an entry that could not be written goes again.
            struct stat st;
            if (!ok && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0) unlink(path.c_str());
            return ok;
        }
        bool ok = replacefile(path, nullptr, out);
        if (!ok) *cout2 << "Could not write " << path << " : " << std::strerror(errno) << " , nothing written\n";
        libchanged();
        return ok;
    }
    bool ok = true;
    if (what == EDIT_APPEND) {
        // The lock is on this descriptor: the entry goes through it.
        ok = writeentry(fd, path, out, (off_t)text.size()) == 0;
    } else if (what == EDIT_REWRITE) {
        struct stat held;
        ok = fstat(fd, &held) == 0 && replacefile(path, &held, out);
        if (!ok) *cout2 << "Could not rewrite " << path << " : " << std::strerror(errno) << " , nothing changed\n";
    }
    close(fd);
    if (what != EDIT_KEEP) libchanged();
    return ok;
}

bool holdsany(const std::string &s, const char *set) { return s.find_first_of(set) != std::string::npos; }
