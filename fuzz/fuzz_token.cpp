// The prompt's number: the token rules of the reader and the radix rules of
// the conversion, on arbitrary bytes typed at the keyboard.
#include "harness.hpp"
#include "model.hpp"

#include <cstdlib>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = harness::bytesOf(data, size);

    // The conversion alone, on the bytes as one token.
    std::optional<std::uint32_t> expected = model::tokenValue(bytes);
    try {
        std::uint32_t value = ravitol::parseUnsignedToken(bytes);
        if (!expected || *expected != value) {
            std::abort();
        }
    } catch (const ravitol::IoError&) {
        if (expected) {
            std::abort();
        }
    }

    // Tokens read one after the other, each followed by a line.
    ravitol::TextReader reader(ravitol::TextReader::Rules::keyboard);
    if (!reader.openFile(harness::scratchFile(bytes))) {
        std::abort();
    }
    model::Keyboard keyboard{bytes};
    for (;;) {
        std::optional<std::string> token = keyboard.readToken();
        std::optional<std::uint32_t> value =
            token ? model::tokenValue(*token) : std::optional<std::uint32_t>();
        try {
            if (reader.readUnsignedToken() != value.value()) {
                std::abort();
            }
        } catch (const ravitol::IoError&) {
            if (value) {
                std::abort();
            }
        } catch (const std::bad_optional_access&) {
            std::abort();  // the program took a number the model refuses
        }
        if (!token) {
            return 0;
        }
        if (reader.readLine() != keyboard.readLine()) {
            std::abort();
        }
    }
}
