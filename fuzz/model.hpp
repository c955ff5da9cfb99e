// A plain, byte-at-a-time model of the reader and the scanner, written for
// clarity rather than speed. The fuzz targets check the program against it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {

inline constexpr char CTRL_Z = '\x1A';
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Moves i past an LF, a CR, or a CR and the LF after it.
inline void skipLineEnd(std::string_view s, std::size_t& i) {
    if (i < s.size() && s[i] == '\r') {
        ++i;
        if (i < s.size() && s[i] == '\n') {
            ++i;
        }
    } else if (i < s.size() && s[i] == '\n') {
        ++i;
    }
}

// The lines a report yields, in order, up to the end of its input.
inline std::vector<std::string> reportLines(std::string_view s) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < s.size() && s[i] != CTRL_Z) {
        std::string line;
        while (i < s.size() && !isLineEnd(s[i]) && line.size() < 255) {
            line += s[i++];
        }
        while (i < s.size() && !isLineEnd(s[i]) && s[i] != CTRL_Z) {
            ++i;  // beyond the cap
        }
        skipLineEnd(s, i);
        lines.push_back(line);
    }
    return lines;
}

// Standard input under the keyboard rules.
struct Keyboard {
    std::string_view s;
    std::size_t i = 0;

    std::string readLine() {
        std::string line;
        while (i < s.size() && !isLineEnd(s[i])) {
            if (s[i] != CTRL_Z && line.size() < 254) {
                line += s[i];
            }
            ++i;
        }
        skipLineEnd(s, i);
        return line;
    }

    // The token typed at the DS prompt; nullopt when the input ends first.
    std::optional<std::string> readToken() {
        while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') {
            ++i;
        }
        if (i == s.size()) {
            return std::nullopt;
        }
        std::string token;
        while (i < s.size() && token.size() < 255) {
            if (s[i] == CTRL_Z) {
                ++i;
                continue;
            }
            if (static_cast<unsigned char>(s[i]) <= ' ') {
                break;
            }
            token += s[i++];
        }
        while (i < s.size() && !isLineEnd(s[i])) {
            ++i;
        }
        skipLineEnd(s, i);
        return token;
    }
};

// The value of a prompt token, or nullopt where the program must refuse it.
inline std::optional<std::uint32_t> tokenValue(std::string_view t) {
    if (!t.empty() && t[0] == '+') {
        t.remove_prefix(1);
    }
    unsigned radix = 10;
    if (!t.empty() && t[0] == '$') {
        radix = 16, t.remove_prefix(1);
    } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        radix = 16, t.remove_prefix(2);
    } else if (!t.empty() && t[0] == '%') {
        radix = 2, t.remove_prefix(1);
    } else if (!t.empty() && t[0] == '&') {
        radix = 8, t.remove_prefix(1);
    }
    if (t.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : t) {
        std::string_view hex = "0123456789abcdef";
        char lower = (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c;
        std::size_t digit = hex.find(lower);
        if (digit == std::string_view::npos || digit >= radix) {
            return std::nullopt;
        }
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

inline std::uint32_t appendDigit(std::uint32_t value, char c) {
    std::uint64_t next = std::uint64_t{value} * 10 + static_cast<unsigned>(c - '0');
    return next > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(next);
}

// The report's number rule on line[from...]; false unless a blank ends it.
inline bool takeNumber(const std::string& line, std::size_t from, std::uint32_t& target) {
    std::size_t i = from;
    while (i < line.size() && !isDigit(line[i])) {
        ++i;
    }
    if (i == line.size()) {
        return false;
    }
    target = 0;
    for (; i < line.size(); ++i) {
        if (line[i] == ' ') {
            return true;
        }
        if (isDigit(line[i])) {
            target = appendDigit(target, line[i]);
        }
    }
    return false;
}

struct Scan {
    bool inputError = false;  // the DS prompt refused its answer
    bool ok = false;
    std::uint32_t figures[5] = {};  // nlm, hwm, ds, phys, uas
    int searchesRun = 0;
};

inline Scan scan(std::string_view report, std::string_view answers) {
    const std::vector<std::string> lines = reportLines(report);
    Keyboard keyboard{answers};
    Scan result;
    const char* keys[5] = {"| NLM/VM Memory     :", "| High Water Mark   :", nullptr,
                           "Original:", "User Space High Water Mark"};
    std::size_t next = 0;
    for (int search = 0; search < 5; ++search) {
        result.searchesRun = search + 1;
        std::uint32_t& target = result.figures[search];
        bool found = false;
        while (!found && next < lines.size()) {
            const std::string& line = lines[next++];
            if (search != 2) {
                if (line.find(keys[search]) != std::string::npos) {
                    found = takeNumber(line, 0, target);
                }
            } else if (line.find("Logical Memory Summary Information") != std::string::npos) {
                std::optional<std::string> token = keyboard.readToken();
                std::optional<std::uint32_t> value =
                    token ? tokenValue(*token) : std::optional<std::uint32_t>();
                if (!value) {
                    result.inputError = true;
                    return result;
                }
                target = *value;
                found = true;
            } else if (line.find(" DS.NLM") != std::string::npos) {
                std::size_t y = line.substr(0, line.find('\0')).find("ytes");
                if (y == std::string::npos) {
                    continue;
                }
                std::size_t p = y;
                while (p > 0 && !isDigit(line[p - 1])) {
                    --p;
                }
                if (p == 0) {
                    continue;
                }
                while (p > 0 && (isDigit(line[p - 1]) || line[p - 1] == ',')) {
                    --p;
                }
                found = takeNumber(line, p, target);
            }
        }
        if (!found) {
            return result;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace model
