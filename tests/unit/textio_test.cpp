// The line rules of the reader, the token rule of the prompt, and the
// exclusive open of a report.
#include "textio/textio.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace ravitol {
namespace {

// A file holding the given bytes for the length of a test.
class TempFile {
public:
    explicit TempFile(const std::string& bytes) {
        static int count = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("ravitol-textio-" + std::to_string(++count) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string name() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

std::vector<std::string> readAll(const std::string& bytes,
                                 TextReader::Rules rules = TextReader::Rules::report) {
    TempFile file(bytes);
    TextReader reader(rules);
    EXPECT_TRUE(reader.openFile(file.name()));
    std::vector<std::string> lines;
    while (!reader.atEnd()) {
        lines.emplace_back(reader.readLine());
    }
    EXPECT_EQ(reader.readLine(), "");
    return lines;
}

using Lines = std::vector<std::string>;

TEST(ReadLine, AllLineEndsGiveTheSameLines) {
    for (const char* text : {"a\r\nb\r\n", "a\rb\r", "a\nb\n", "a\r\nb", "a\nb\r"}) {
        EXPECT_EQ(readAll(text), (Lines{"a", "b"})) << testing::PrintToString(text);
    }
    EXPECT_EQ(readAll("a\n\nb\r\r\nc"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(readAll("\n\r"), (Lines{"", ""}));
    EXPECT_EQ(readAll(""), Lines{});
}

TEST(ReadLine, CapsALineAt255AndSkipsTheRest) {
    std::string longLine(300, 'x');
    longLine[254] = 'y';
    longLine[255] = 'z';
    EXPECT_EQ(readAll(longLine + "\r\nnext\r\n"), (Lines{longLine.substr(0, 255), "next"}));
    // Exactly 255 characters: the line end that follows is the line's own.
    EXPECT_EQ(readAll(std::string(255, 'x') + "\r\nnext"), (Lines{std::string(255, 'x'), "next"}));
}

TEST(ReadLine, CtrlZEndsTheInputOnlyWhereALineCouldStartOrIsSkipped) {
    EXPECT_EQ(readAll("one\r\n\x1atwo\r\n"), Lines{"one"});
    EXPECT_EQ(readAll("\x1a"), Lines{});
    EXPECT_EQ(readAll("a\x1a"
                      "b\r\nc"),
              (Lines{"a\x1a"
                     "b",
                     "c"}));
    EXPECT_EQ(readAll(std::string(260, 'x') + "\x1a\r\nmore\r\n"), Lines{std::string(255, 'x')});
}

TEST(ReadLine, KeepsNulBytes) {
    EXPECT_EQ(readAll(std::string("a\0b\r\n\0", 6)),
              (Lines{std::string("a\0b", 3), std::string(1, '\0')}));
}

TEST(ReadLine, KeyboardRulesTake254AndDropCtrlZ) {
    auto lines =
        readAll(std::string(300, 'k') + "\nab\x1a" + "c\r\n\x1a\n", TextReader::Rules::keyboard);
    EXPECT_EQ(lines, (Lines{std::string(254, 'k'), "abc", ""}));
}

TEST(ReadLine, BlocksAreJoinedAcrossTheReadBuffer) {
    // Lines and CR LF pairs that straddle the reader's block boundaries.
    std::string text;
    Lines expected;
    for (int i = 0; text.size() < 600000; ++i) {
        std::string line(static_cast<std::size_t>(i % 254), static_cast<char>('a' + i % 26));
        text += line + "\r\n";
        expected.push_back(line);
    }
    EXPECT_EQ(readAll(text), expected);
}

TEST(ReadUnsignedToken, SkipsBlankLinesThenDropsTheRestOfTheLine) {
    TempFile file("\r\n\r\n  4096 and more\r\nnext\r\n\t$1000\nlast");
    TextReader reader(TextReader::Rules::keyboard);
    ASSERT_TRUE(reader.openFile(file.name()));
    EXPECT_EQ(reader.readUnsignedToken(), 4096u);
    EXPECT_EQ(reader.readLine(), "next");
    EXPECT_EQ(reader.readUnsignedToken(), 4096u);
    EXPECT_EQ(reader.readLine(), "last");
    EXPECT_THROW(reader.readUnsignedToken(), IoError);
}

TEST(ParseUnsignedToken, AcceptsEveryRadix) {
    struct Row {
        const char* token;
        std::uint32_t value;
    };
    for (Row row : {Row{"4096", 4096}, Row{"+4096", 4096}, Row{"0004096", 4096}, Row{"$1000", 4096},
                    Row{"0x1000", 4096}, Row{"0X1000", 4096}, Row{"$ffffFFFF", 4294967295},
                    Row{"%1000000000000", 4096}, Row{"&10000", 4096}, Row{"4294967295", 4294967295},
                    Row{"0", 0}}) {
        EXPECT_EQ(parseUnsignedToken(row.token), row.value) << row.token;
    }
}

TEST(ParseUnsignedToken, RejectsWhatIsNotAnUnsignedNumber) {
    for (const char* token : {"", "+", "$", "0x", "%", "&", "-5", "12a", "0x1g", "%102", "&8",
                              "4294967296", "$100000000", "1.5", "+-1"}) {
        EXPECT_THROW(parseUnsignedToken(token), IoError) << token;
    }
}

TEST(ParseUnsignedToken, NamesTheTokenInItsMessage) {
    try {
        parseUnsignedToken("12a");
        FAIL();
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "invalid number \"12a\"");
    }
}

// Skipping ahead must never pass over a line that readLine would have
// matched, wherever the key falls against the read buffer.
TEST(SkipLinesWithout, FindsTheSameLineAsReadingEveryLine) {
    const std::string key = "| High Water Mark   :";
    for (std::size_t pad = 0; pad < 300; pad += 7) {
        std::string text;
        int n = 0;
        while (text.size() + 64 < 131072 - 150) {
            text += "filler " + std::to_string(n++) + " holds | High Water Mark but no colon\r\n";
        }
        text += std::string(pad, '-') + "\r\n";
        text += std::string(240, ' ') + key + " beyond the cap\r\n";
        text += "found " + key + " 1\r\nafter\r\n";
        for (bool skip : {false, true}) {
            TempFile file(text);
            TextReader reader;
            ASSERT_TRUE(reader.openFile(file.name()));
            std::array keys{LineKey(key)};
            std::string found;
            while (found.empty() && !reader.atEnd()) {
                if (skip) {
                    reader.skipLinesWithout(keys);
                }
                std::string_view line = reader.readLine();
                if (line.find(key) != std::string_view::npos) {
                    found = line;
                }
            }
            EXPECT_EQ(found, "found " + key + " 1") << "pad " << pad;
            EXPECT_EQ(reader.readLine(), "after") << "pad " << pad;
        }
    }
}

TEST(OpenFile, FailsForWhatCannotBeRead) {
    TextReader reader;
    EXPECT_FALSE(reader.openFile("no-such-file-here.txt"));
    EXPECT_FALSE(reader.whyNotOpened().empty());
    EXPECT_FALSE(reader.openFile(std::filesystem::temp_directory_path().string()));
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "");
}

TEST(OpenFile, HoldsTheReportForItself) {
    TempFile file("report\r\n");
    TextReader first;
    TextReader second;
    ASSERT_TRUE(first.openFile(file.name()));
    EXPECT_FALSE(second.openFile(file.name()));
    first.close();
    first.close();
    EXPECT_TRUE(second.openFile(file.name()));
    EXPECT_EQ(second.readLine(), "report");
}

}  // namespace
}  // namespace ravitol
