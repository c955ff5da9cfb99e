// What the fuzz targets share: bytes put in a file for the reader to open,
// standard input replaced between runs, standard output silenced.
#pragma once

#include "textio/textio.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace harness {

// A file name in memory-backed storage, one per process and purpose.
inline std::string scratchName(std::string_view purpose) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/ravitol-fuzz-" + std::to_string(getpid()) + "-" +
           std::string(purpose);
}

inline void writeFile(const std::string& name, std::string_view bytes) {
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::abort();
    }
    close(fd);
}

// A file holding `bytes`, rewritten for every input.
inline const std::string& scratchFile(std::string_view bytes) {
    static const std::string name = scratchName("report");
    writeFile(name, bytes);
    return name;
}

// Makes `bytes` the process's standard input, read from the start.
inline void setStandardInput(std::string_view bytes) {
    static const std::string name = scratchName("stdin");
    writeFile(name, bytes);
    int fd = open(name.c_str(), O_RDONLY);
    if (fd < 0 || dup2(fd, 0) < 0) {
        std::abort();
    }
    close(fd);
    ravitol::discardStandardInput();
}

// The program's texts are not what is checked here. (Its diagnostics go to
// standard error, which -close_fd_mask=2 quiets.)
inline void silenceStandardOutput() {
    static const bool done = [] {
        int fd = open("/dev/null", O_WRONLY);
        return fd >= 0 && dup2(fd, 1) >= 0;
    }();
    if (!done) {
        std::abort();
    }
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace harness
