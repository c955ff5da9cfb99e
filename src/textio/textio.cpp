// Console output and the line reader. Input is read in large blocks into a
// buffer; lines are cut from the buffer by the rules below.
#include "textio.hpp"

#include "platform.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace ravitol {

namespace {

constexpr char CTRL_Z = '\x1A';
constexpr std::size_t REPORT_LINE_MAX = 255;
constexpr std::size_t KEYBOARD_LINE_MAX = 254;
constexpr std::size_t TOKEN_MAX = 255;
constexpr std::size_t FILE_BUFFER_SIZE = 128 * 1024;
constexpr std::size_t INPUT_BUFFER_SIZE = 64 * 1024;

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// The first c in [first, last), or last. memchr runs many bytes a step,
// which matters on the long lines of a report.
const char* findByte(const char* first, const char* last, char c) {
    const void* found = std::memchr(first, c, static_cast<std::size_t>(last - first));
    return found != nullptr ? static_cast<const char*>(found) : last;
}

}  // namespace

// The bytes of one input, read ahead in blocks. Standard input has one for
// the whole run, so that a report read from it and the keyboard share what
// has been read ahead.
struct ByteSource {
    ByteSource(platform::Handle from, std::string displayName, std::size_t size)
        : handle(from), name(std::move(displayName)), buffer(new char[size]), capacity(size) {}

    platform::Handle handle;
    std::string name;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity;
    std::size_t pos = 0;
    std::size_t end = 0;
    bool eof = false;
    // A CR ended the last line; an LF right after it belongs to that line
    // end. Looked at only when the next byte is needed, so that a CR typed
    // at a terminal never waits for another keystroke.
    bool pendingLf = false;

    char* data() { return buffer.get(); }

    // Reads more bytes behind the unread ones. False when none were added:
    // the input has ended, or the buffer is full of unread bytes.
    bool fill() {
        if (eof) {
            return false;
        }
        if (pos == end) {
            pos = end = 0;
        } else if (end == capacity) {
            if (pos == 0) {
                return false;
            }
            std::memmove(data(), data() + pos, end - pos);
            end -= pos;
            pos = 0;
        }
        std::string why;
        std::ptrdiff_t count = platform::readSome(handle, data() + end, capacity - end, why);
        if (count < 0) {
            throw IoError("cannot read " + name + ": " + why);
        }
        if (count == 0) {
            eof = true;
            return false;
        }
        end += static_cast<std::size_t>(count);
        return true;
    }

    bool available() { return pos < end || fill(); }

    void resolvePendingLf() {
        if (pendingLf) {
            pendingLf = false;
            if (available() && data()[pos] == '\n') {
                ++pos;
            }
        }
    }

    // Called with a CR or LF as the next byte.
    void consumeLineEnd() { pendingLf = data()[pos++] == '\r'; }

    // Drops the rest of the current line and its line end. With stopAtCtrlZ,
    // a Ctrl-Z stops the skipping and stays unread, so the input ends there.
    void skipRestOfLine(bool stopAtCtrlZ) {
        while (available()) {
            const char* first = data() + pos;
            const char* last = data() + end;
            const char* p = findByte(first, findByte(first, last, '\n'), '\r');
            if (stopAtCtrlZ) {
                p = findByte(first, p, CTRL_Z);
            }
            pos += static_cast<std::size_t>(p - first);
            if (p < last) {
                if (*p != CTRL_Z) {
                    consumeLineEnd();
                }
                return;
            }
        }
    }
};

namespace {

ByteSource& standardInputSource() {
    static ByteSource source(platform::standardInput(), "standard input", INPUT_BUFFER_SIZE);
    return source;
}

}  // namespace

void reportError(std::string_view message) {
    std::string line = "ravitol: ";
    line += message;
    platform::writeErrorLine(line);
}

void ConsoleWriter::write(std::string_view text) {
    std::string why;
    if (!text.empty() && !platform::writeOutput(text, why)) {
        throw IoError("cannot write standard output: " + why);
    }
}

void ConsoleWriter::writeUnsigned(std::uint32_t n) {
    char digits[10];
    auto result = std::to_chars(std::begin(digits), std::end(digits), n);
    write(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void ConsoleWriter::writeLine(std::string_view text) {
    // One write for the whole line, so a line is never seen half-ended.
    std::string line(text);
    line += "\r\n";
    write(line);
}

void ConsoleWriter::flush() {
    // Nothing is held back: every write above has already reached the console.
}

ConsoleWriter& console() {
    static ConsoleWriter writer;
    return writer;
}

const char* LineKey::findIn(const char* first, const char* last) {
    const std::size_t size = text_.size();
    if (size == 0 || static_cast<std::size_t>(last - first) < size) {
        return last;
    }
    if (!anchorChosen_) {
        std::array<std::size_t, 256> count{};
        for (const char* p = first; p < last; ++p) {
            ++count[static_cast<unsigned char>(*p)];
        }
        for (std::size_t i = 1; i < size; ++i) {
            if (count[static_cast<unsigned char>(text_[i])] <
                count[static_cast<unsigned char>(text_[anchor_])]) {
                anchor_ = i;
            }
        }
        anchorChosen_ = true;
    }
    // Only where the whole key fits around the anchor byte.
    const char* scan = first + anchor_;
    const char* scanEnd = last - (size - 1 - anchor_);
    while (scan < scanEnd) {
        const char* found = findByte(scan, scanEnd, text_[anchor_]);
        if (found == scanEnd) {
            break;
        }
        const char* start = found - anchor_;
        if (std::memcmp(start, text_.data(), size) == 0) {
            return start;
        }
        scan = found + 1;
    }
    return last;
}

TextReader::TextReader(Rules rules) : rules_(rules) {}

TextReader::~TextReader() { close(); }

bool TextReader::openFile(const std::string& name) {
    close();
    whyNotOpened_.clear();
    if (name.empty()) {
        source_ = &standardInputSource();
        return true;
    }
    platform::Handle handle = platform::openExclusive(name, whyNotOpened_);
    if (handle == platform::NO_HANDLE) {
        return false;
    }
    ownSource_ = std::make_unique<ByteSource>(handle, name, FILE_BUFFER_SIZE);
    source_ = ownSource_.get();
    return true;
}

void TextReader::close() {
    if (ownSource_) {
        platform::closeFile(ownSource_->handle);
        ownSource_.reset();
    }
    source_ = nullptr;
}

bool TextReader::atEnd() {
    if (source_ == nullptr) {
        return true;
    }
    source_->resolvePendingLf();
    if (!source_->available()) {
        return true;
    }
    return rules_ == Rules::report && source_->data()[source_->pos] == CTRL_Z;
}

std::string_view TextReader::readLine() {
    line_.clear();
    if (source_ == nullptr) {
        return line_;
    }
    ByteSource& s = *source_;
    if (rules_ == Rules::keyboard) {
        s.resolvePendingLf();
        while (s.available()) {
            char c = s.data()[s.pos];
            if (isLineEnd(c)) {
                s.consumeLineEnd();
                break;
            }
            ++s.pos;
            if (c != CTRL_Z && line_.size() < KEYBOARD_LINE_MAX) {
                line_ += c;
            }
        }
        return line_;
    }

    if (atEnd()) {
        return line_;
    }
    while (s.available()) {
        const char* first = s.data() + s.pos;
        const char* last = first + std::min(s.end - s.pos, REPORT_LINE_MAX - line_.size());
        const char* p = first;
        while (p < last && !isLineEnd(*p)) {
            ++p;
        }
        line_.append(first, p);
        s.pos += static_cast<std::size_t>(p - first);
        if (p < last) {
            s.consumeLineEnd();
            break;
        }
        if (line_.size() == REPORT_LINE_MAX) {
            s.skipRestOfLine(true);
            break;
        }
    }
    return line_;
}

std::uint32_t TextReader::readUnsignedToken() {
    if (source_ == nullptr) {
        throw IoError("no number given: the input is closed");
    }
    ByteSource& s = *source_;
    s.resolvePendingLf();
    // Blanks, tabs, line ends and other control characters before the
    // number are skipped, across as many lines as it takes.
    for (;;) {
        if (!s.available()) {
            throw IoError("no number given: the input ended");
        }
        if (static_cast<unsigned char>(s.data()[s.pos]) > ' ') {
            break;
        }
        ++s.pos;
    }
    std::string token;
    while (token.size() < TOKEN_MAX && s.available()) {
        char c = s.data()[s.pos];
        if (c == CTRL_Z && rules_ == Rules::keyboard) {
            ++s.pos;
            continue;
        }
        if (static_cast<unsigned char>(c) <= ' ') {
            break;
        }
        token += c;
        ++s.pos;
    }
    s.skipRestOfLine(false);
    return parseUnsignedToken(token);
}

void TextReader::skipLinesWithout(std::span<LineKey> keys) {
    if (source_ == nullptr || rules_ != Rules::report) {
        return;
    }
    ByteSource& s = *source_;
    for (;;) {
        s.resolvePendingLf();
        if (!s.available()) {
            return;
        }
        const char* first = s.data() + s.pos;
        const char* last = s.data() + s.end;
        // Stop at the line that holds the first key or the first Ctrl-Z:
        // that line is left to readLine, which knows where a Ctrl-Z ends
        // the input and whether a key lies within the line's first 255
        // characters.
        const char* stop = findByte(first, last, CTRL_Z);
        for (LineKey& key : keys) {
            stop = key.findIn(first, stop);
        }
        const char* lineStart = stop;
        while (lineStart > first && !isLineEnd(lineStart[-1])) {
            --lineStart;
        }
        s.pos += static_cast<std::size_t>(lineStart - first);
        if (lineStart > first && lineStart[-1] == '\r') {
            s.pendingLf = true;
        }
        // A key, a Ctrl-Z, or a partial line that fills the whole buffer.
        if (stop != last || !s.fill()) {
            return;
        }
    }
}

void discardStandardInput() {
    ByteSource& source = standardInputSource();
    source.pos = source.end = 0;
    source.eof = false;
    source.pendingLf = false;
}

TextReader& keyboard() {
    static TextReader reader(TextReader::Rules::keyboard);
    static const bool opened = reader.openFile("");
    (void)opened;
    return reader;
}

std::uint32_t parseUnsignedToken(std::string_view token) {
    std::string_view digits = token;
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);
    }
    unsigned radix = 10;
    if (digits.starts_with('$')) {
        radix = 16;
        digits.remove_prefix(1);
    } else if (digits.starts_with("0x") || digits.starts_with("0X")) {
        radix = 16;
        digits.remove_prefix(2);
    } else if (digits.starts_with('%')) {
        radix = 2;
        digits.remove_prefix(1);
    } else if (digits.starts_with('&')) {
        radix = 8;
        digits.remove_prefix(1);
    }
    std::string quoted = "\"" + std::string(token) + "\"";
    if (digits.empty()) {
        throw IoError("invalid number " + quoted);
    }
    std::uint64_t value = 0;
    bool tooLarge = false;
    for (char c : digits) {
        unsigned digit = 99;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        }
        if (digit >= radix) {
            throw IoError("invalid number " + quoted);
        }
        value = value * radix + digit;
        if (value > UINT32_MAX) {
            tooLarge = true;
            value = UINT32_MAX;
        }
    }
    if (tooLarge) {
        throw IoError("number out of range " + quoted);
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace ravitol
