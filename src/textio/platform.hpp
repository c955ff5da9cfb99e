// The little the program needs of its operating system: reading files and
// standard input, writing standard output and error. One implementation per
// platform is compiled in; nothing else in the program includes a system header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravitol::platform {

// A file descriptor on POSIX, a HANDLE on Windows.
using Handle = std::intptr_t;
inline constexpr Handle NO_HANDLE = -1;

// Opens an existing file for reading, for this process's exclusive use. On
// failure returns NO_HANDLE and says why; nothing is ever created.
Handle openExclusive(const std::string& name, std::string& why);

// Standard input, read as raw bytes.
Handle standardInput();

void closeFile(Handle handle);

// Reads up to `size` bytes. Returns the count, 0 at the end of the input (a
// pipe whose writer has gone included), or -1 with `why` set on a failure.
std::ptrdiff_t readSome(Handle handle, char* buffer, std::size_t size, std::string& why);

// Writes all of `bytes` to standard output, unchanged. False with `why` set
// on a failure.
bool writeOutput(std::string_view bytes, std::string& why);

// Writes a diagnostic line (without its line end) to standard error.
void writeErrorLine(std::string_view text);

}  // namespace ravitol::platform
