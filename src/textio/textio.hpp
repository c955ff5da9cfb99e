// Console output and line input: every byte the program prints or reads
// passes through here, and the line rules here decide what a report line is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ravitol {

// A failure the run cannot go on from: a read error, a bad number typed at a
// prompt, output that cannot be written. The driver ends the run with its
// message and exit status 217.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints "ravitol: " and the message on standard error.
void reportError(std::string_view message);

class ConsoleWriter {
public:
    // Each call hands its bytes to the console before it returns.
    void write(std::string_view text);
    void writeUnsigned(std::uint32_t n);
    void writeLine(std::string_view text = {});  // ends the line with CR LF
    void flush();
};

ConsoleWriter& console();

// A key text searched for in lines. The search looks for one byte of the
// key with memchr and compares the rest where it finds it; which byte is
// chosen on the first search, as the key's rarest byte in the text at hand,
// so that most of the text is passed over at memchr's speed.
class LineKey {
public:
    explicit LineKey(std::string_view text) : text_(text) {}
    // The first occurrence in [first, last), or last.
    const char* findIn(const char* first, const char* last);

private:
    std::string_view text_;
    std::size_t anchor_ = 0;
    bool anchorChosen_ = false;
};

struct ByteSource;

class TextReader {
public:
    // A report line holds up to 255 characters and Ctrl-Z ends the input; a
    // keyboard line holds up to 254, Ctrl-Z is ignored and the end of input
    // reads as an empty line.
    enum class Rules { report, keyboard };

    explicit TextReader(Rules rules = Rules::report);
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // The empty name is standard input. False when the file is missing,
    // unreadable, a directory or in use; whyNotOpened() then says which.
    bool openFile(const std::string& name);
    const std::string& whyNotOpened() const { return whyNotOpened_; }

    bool atEnd();
    // The next line, without its line end; valid until the next call.
    std::string_view readLine();
    // One unsigned number typed at the keyboard, then the rest of its line
    // is dropped. Throws IoError for a bad or missing number.
    std::uint32_t readUnsignedToken();
    void close();

    // Moves past whole lines that cannot hold any of the keys within their
    // first 255 characters. May stop early, at any line start: it only saves
    // the caller reading those lines one by one.
    void skipLinesWithout(std::span<LineKey> keys);

private:
    Rules rules_;
    std::unique_ptr<ByteSource> ownSource_;
    ByteSource* source_ = nullptr;
    std::string line_;
    std::string whyNotOpened_;
};

// The keyboard: standard input under the keyboard rules.
TextReader& keyboard();

// Forgets what has been read ahead from standard input and whether it has
// ended, for a harness that puts another file in its place between runs.
void discardStandardInput();

// The value of a number typed at a prompt: an optional "+", then decimal
// digits or "$", "0x", "0X" (hexadecimal), "%" (binary) or "&" (octal) and
// digits of that radix. Throws IoError naming the token otherwise.
std::uint32_t parseUnsignedToken(std::string_view token);

}  // namespace ravitol
