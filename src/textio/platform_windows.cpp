// Windows side of the platform interface: Win32 handles throughout, so the C
// runtime's text mode never touches a byte (no CR LF or Ctrl-Z translation).
#include "platform.hpp"

#include <windows.h>

#include <algorithm>

namespace ravitol::platform {

namespace {

HANDLE toWin(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

std::string describe(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "No such file or directory";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "in use by another process";
        case ERROR_ACCESS_DENIED:
            return "Permission denied (or a directory)";
        default:
            break;
    }
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == ' ' || text[length - 1] == '.')) {
        --length;
    }
    if (length == 0) {
        return "system error " + std::to_string(code);
    }
    return std::string(text, length);
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

bool writeAll(HANDLE handle, std::string_view bytes, std::string& why) {
    while (!bytes.empty()) {
        // Consoles refuse very large single writes.
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 16384));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
            why = describe(GetLastError());
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

Handle openExclusive(const std::string& name, std::string& why) {
    // No sharing: the open fails while another process has the report open,
    // and no one else can open it while ravitol reads it.
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        why = describe(GetLastError());
        return NO_HANDLE;
    }
    return reinterpret_cast<Handle>(handle);
}

Handle standardInput() { return reinterpret_cast<Handle>(GetStdHandle(STD_INPUT_HANDLE)); }

void closeFile(Handle handle) { CloseHandle(toWin(handle)); }

std::ptrdiff_t readSome(Handle handle, char* buffer, std::size_t size, std::string& why) {
    HANDLE win = toWin(handle);
    if (win == nullptr || win == INVALID_HANDLE_VALUE) {
        return 0;
    }
    bool console = isConsole(win);
    // The console's own line input does the echo and editing; it hands over
    // one line per read.
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, console ? 16384 : 1 << 30));
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(win, buffer, wanted, &count, nullptr)) {
            DWORD code = GetLastError();
            if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) {
                return 0;
            }
            why = describe(code);
            return -1;
        }
        // A console read of nothing is a Ctrl-Z typed at the start of a line,
        // which keyboard entry ignores.
        if (count == 0 && console) {
            continue;
        }
        return static_cast<std::ptrdiff_t>(count);
    }
}

bool writeOutput(std::string_view bytes, std::string& why) {
    return writeAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes, why);
}

void writeErrorLine(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    std::string why;
    writeAll(GetStdHandle(STD_ERROR_HANDLE), line, why);
}

}  // namespace ravitol::platform
