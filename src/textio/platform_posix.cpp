// POSIX side of the platform interface.
#include "platform.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace ravitol::platform {

Handle openExclusive(const std::string& name, std::string& why) {
    // O_NONBLOCK keeps the open of a FIFO without a writer from waiting forever.
    int fd = ::open(name.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = std::strerror(errno);
        return NO_HANDLE;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        why = S_ISDIR(info.st_mode) ? "is a directory" : std::strerror(errno);
        ::close(fd);
        return NO_HANDLE;
    }
    // The lock keeps a second ravitol (or any process that locks) off the
    // report while this one reads it. A file system that cannot lock at all
    // does not stop the run; only another holder of the lock does.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        why = "in use by another process";
        ::close(fd);
        return NO_HANDLE;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

Handle standardInput() { return STDIN_FILENO; }

void closeFile(Handle handle) { ::close(static_cast<int>(handle)); }

std::ptrdiff_t readSome(Handle handle, char* buffer, std::size_t size, std::string& why) {
    for (;;) {
        ssize_t count = ::read(static_cast<int>(handle), buffer, size);
        if (count >= 0) {
            return count;
        }
        if (errno == EINTR) {
            continue;
        }
        // Standard input may come non-blocking from whoever started us: wait
        // for it rather than take "not yet" for a failure.
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd wait{static_cast<int>(handle), POLLIN, 0};
            ::poll(&wait, 1, -1);
            continue;
        }
        if (errno == EPIPE) {
            return 0;
        }
        why = std::strerror(errno);
        return -1;
    }
}

bool writeOutput(std::string_view bytes, std::string& why) {
    while (!bytes.empty()) {
        ssize_t count = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            why = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

void writeErrorLine(std::string_view text) {
    std::string line(text);
    line += '\n';
    std::string_view rest = line;
    while (!rest.empty()) {
        ssize_t count = ::write(STDERR_FILENO, rest.data(), rest.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(count));
    }
}

}  // namespace ravitol::platform
