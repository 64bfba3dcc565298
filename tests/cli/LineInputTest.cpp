#include "cli/FieldSplitter.h"
#include "cli/LineReader.h"
#include "tests/TestMain.h"
#include "tests/cli/CliTestSupport.h"

#include <QTest>

using namespace std::string_literals;

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The lines of `input` as the reader returns them, read in pieces of `piece` bytes; a line
// that is too long shows as "<too long>".
std::vector<std::string> Lines(const std::string& input, std::size_t piece, std::size_t buffer)
{
    LineReader reader(TextSource(input, piece), buffer);
    std::vector<std::string> lines;
    std::string_view line;
    for (;;) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::End || status == LineReader::Status::ReadError)
            break;
        lines.push_back(status == LineReader::Status::TooLong ? "<too long>" : std::string(line));
        if (reader.LineNumber() != static_cast<long long>(lines.size()))
            lines.push_back("<wrong line number>");
    }
    return lines;
}

std::string Joined(const std::vector<std::string_view>& fields)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i)
        text += (i ? "|" : "") + std::string(fields[i]);
    return text;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(FieldSeparator)

// Reading lines and cutting them into fields: the two steps before any value is read.
class LineInputTest : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryLineWhateverThePieces_data()
    {
        QTest::addColumn<std::string>("input");
        QTest::addColumn<std::vector<std::string>>("lines");
        using Lines = std::vector<std::string>;
        QTest::newRow("no input") << std::string() << Lines {};
        QTest::newRow("line breaks") << std::string("a\nbb\nccc\n") << Lines { "a", "bb", "ccc" };
        QTest::newRow("no final line break") << std::string("a\nbb") << Lines { "a", "bb" };
        QTest::newRow("CR-LF") << std::string("a\r\nbb\r\n") << Lines { "a", "bb" };
        QTest::newRow("CR-LF, no final line break")
            << std::string("a\r\nb\r") << Lines { "a", "b" };
        QTest::newRow("a lone CR stays") << std::string("a\rb\n") << Lines { "a\rb" };
        QTest::newRow("empty lines") << std::string("\n\r\n\n") << Lines { "", "", "" };
        QTest::newRow("zero bytes") << std::string("1\0002\n\0\n", 6)
                                    << Lines { std::string("1\0"
                                                           "2",
                                                   3),
                                           std::string(1, '\0') };
        QTest::newRow("bytes that are not UTF-8")
            << std::string("\xff\xfe\n\xc3\n") << Lines { "\xff\xfe", "\xc3" };
        QTest::newRow("longer than the buffer")
            << std::string(100, 'x') + "\ny"s << Lines { std::string(100, 'x'), "y" };
    }
    void readsEveryLineWhateverThePieces()
    {
        QFETCH(std::string, input);
        QFETCH(std::vector<std::string>, lines);
        for (const std::size_t piece : { 1, 2, 3, 7, 16, 1000 })
            QCOMPARE(Lines(input, piece, 16), lines);
    }

    void skipsALineTooLongAndGoesOn()
    {
        const std::string longest(LineReader::MaxLineLength, 'x');
        const std::string input = "1\n" + longest + "x\n2\n" + longest + "\n" + longest + "yz";
        const auto lines = Lines(input, 4096, 1000);
        QCOMPARE(
            lines, (std::vector<std::string> { "1", "<too long>", "2", longest, "<too long>" }));
    }

    // A device of endless zeros: the line is reported once it passes the limit, not when it
    // ends (it never does).
    void reportsALineThatNeverEndsOnceItPassesTheLimit()
    {
        std::size_t read = 0;
        LineReader reader(
            [&read](char* buffer, std::size_t size) -> ssize_t {
                std::memset(buffer, 0, size);
                read += size;
                return static_cast<ssize_t>(size);
            },
            4096);
        std::string_view line;
        QCOMPARE(reader.Next(line), LineReader::Status::TooLong);
        QCOMPARE(reader.LineNumber(), 1LL);
        QVERIFY(read <= LineReader::MaxLineLength + 4096);
    }

    void reportsAReadError()
    {
        LineReader reader([](char*, std::size_t) -> ssize_t {
            errno = EIO;
            return -1;
        });
        std::string_view line;
        QCOMPARE(reader.Next(line), LineReader::Status::ReadError);
    }

    void detectsTheSeparator_data()
    {
        QTest::addColumn<std::string>("line");
        QTest::addColumn<FieldSeparator>("separator");
        // With a decimal comma, which never separates.
        QTest::addColumn<FieldSeparator>("withDecimalComma");
        QTest::newRow("semicolon first")
            << std::string("1;2,5;3") << FieldSeparator::Semicolon << FieldSeparator::Semicolon;
        QTest::newRow("comma") << std::string("1, 2, 3") << FieldSeparator::Comma
                               << FieldSeparator::Blank;
        QTest::newRow("tab") << std::string("1\t2 3") << FieldSeparator::Tab << FieldSeparator::Tab;
        QTest::newRow("tab, decimal comma")
            << std::string("1,5\t2") << FieldSeparator::Comma << FieldSeparator::Tab;
        QTest::newRow("blanks") << std::string(" 1  2 3") << FieldSeparator::Blank
                                << FieldSeparator::Blank;
        QTest::newRow("names") << std::string("x,y,z") << FieldSeparator::Comma
                               << FieldSeparator::Blank;
        QTest::newRow("quoted semicolon is text")
            << std::string("1,2,\"a;b\"") << FieldSeparator::Comma << FieldSeparator::Blank;
    }
    void detectsTheSeparator()
    {
        QFETCH(std::string, line);
        QFETCH(FieldSeparator, separator);
        QFETCH(FieldSeparator, withDecimalComma);
        QCOMPARE(DetectSeparator(line), separator);
        QCOMPARE(DetectSeparator(line, true), withDecimalComma);
    }

    void splitsFields_data()
    {
        QTest::addColumn<std::string>("line");
        QTest::addColumn<FieldSeparator>("separator");
        QTest::addColumn<std::string>("fields");
        QTest::newRow("comma") << std::string("1,2,3") << FieldSeparator::Comma << "1|2|3"s;
        QTest::newRow("blanks around fields")
            << std::string(" 1 ,\t2\t, 3 ") << FieldSeparator::Comma << "1|2|3"s;
        QTest::newRow("expressions keep their blanks")
            << std::string("2 * pi; 1") << FieldSeparator::Semicolon << "2 * pi|1"s;
        QTest::newRow("empty field") << std::string("1,,3") << FieldSeparator::Comma << "1||3"s;
        QTest::newRow("trailing separator")
            << std::string("1,2,") << FieldSeparator::Comma << "1|2|"s;
        QTest::newRow("empty line, comma") << std::string() << FieldSeparator::Comma << ""s;
        QTest::newRow("tab keeps empty fields")
            << std::string("1\t\t3") << FieldSeparator::Tab << "1||3"s;
        QTest::newRow("runs of blanks are one")
            << std::string("  1   2 \t 3  ") << FieldSeparator::Blank << "1|2|3"s;
        QTest::newRow("quotes kept, for a field that passes through")
            << std::string("\"1\",\" 2 \"") << FieldSeparator::Comma << "\"1\"|\" 2 \""s;
        QTest::newRow("separator inside quotes")
            << std::string("\"1,234.5\",2") << FieldSeparator::Comma << "\"1,234.5\"|2"s;
        QTest::newRow("blank inside quotes")
            << std::string("\"2 * pi\" 1") << FieldSeparator::Blank << "\"2 * pi\"|1"s;
        QTest::newRow("unclosed quote runs to the end")
            << std::string("\"1,2") << FieldSeparator::Comma << "\"1,2"s;
        QTest::newRow("zero byte kept")
            << std::string("1\0,2", 4) << FieldSeparator::Comma << std::string("1\0|2", 4);
    }
    void splitsFields()
    {
        QFETCH(std::string, line);
        QFETCH(FieldSeparator, separator);
        QFETCH(std::string, fields);
        std::vector<std::string_view> found;
        SplitFields(line, separator, found);
        QCOMPARE(Joined(found), fields);
    }
};

TRALTO_TEST(LineInputTest);
#include "LineInputTest.moc"
