#include <QTest>

#include "tests/TestMain.h"
#include "tests/expression/ExpressionTestSupport.h"

#include <limits>

using namespace tralto;

namespace {

QList<int> Tokens(const std::string& text)
{
    CParser parser;
    parser.SetText(text);
    QList<int> codes;
    for (int32_t code = parser.Scan(); code != CParser::END && codes.size() < 100;
         code = parser.Scan())
        codes << code;
    return codes;
}

} // namespace

class ScannerTest : public QObject
{
    Q_OBJECT

private slots:
    void tokenCodes_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<QList<int>>("codes");
        const int number = CParser::NUMBER;
        const int name = CParser::NAME;
        QTest::newRow("operators between numbers")
            << std::string("1+2*3") << QList<int> { number, '+', number, '*', number };
        QTest::newRow("every reserved word")
            << std::string("div mod sin cos tan pi sqrt ln log asin acos atan")
            << QList<int> { 1000, 1001, 1002, 1003, 1005, 1006, 1007, 1008, 1009, 1010, 1011,
                   1012 };
        QTest::newRow("reserved words are case-sensitive")
            << std::string("Sin SIN Pi DIV") << QList<int> { name, name, name, name };
        QTest::newRow("digits continue a name") << std::string("sin2") << QList<int> { name };
        QTest::newRow("function with parentheses")
            << std::string("sin(2)") << QList<int> { 1002, '(', number, ')' };
        QTest::newRow("blanks and tabs only") << std::string(" \t \t") << QList<int> {};
        QTest::newRow("empty text") << std::string() << QList<int> {};
        QTest::newRow("blanks around a number") << std::string(" \t7 \t") << QList<int> { number };
        QTest::newRow("newline ends the text") << std::string("1\n+2") << QList<int> { number };
        QTest::newRow("newline after a name is skipped")
            << std::string("x\n5") << QList<int> { name, number };
        QTest::newRow("newline after a reserved word is skipped")
            << std::string("pi\n2") << QList<int> { 1006, number };
        QTest::newRow("zero byte ends the text") << std::string("a\0+b", 4) << QList<int> { name };
        QTest::newRow("carriage return is a character") << std::string("\r") << QList<int> { 13 };
        QTest::newRow("high byte is negative") << std::string("\xE4") << QList<int> { -28 };
        QTest::newRow("leading point is a character")
            << std::string(".5") << QList<int> { '.', number };
        QTest::newRow("comma is a character")
            << std::string("1,5") << QList<int> { number, ',', number };
        QTest::newRow("letter after digit stays in number")
            << std::string("2pi") << QList<int> { number };
        QTest::newRow("hexadecimal ends at plus")
            << std::string("0x1e+5") << QList<int> { number, '+', number };
        QTest::newRow("signed exponent is one token")
            << std::string("1e-5") << QList<int> { number };
        QTest::newRow("exponent without digits")
            << std::string("1e-") << QList<int> { number, '-' };
        QTest::newRow("exponent followed by a name")
            << std::string("2e-x") << QList<int> { number, '-', name };
    }

    void tokenCodes()
    {
        QFETCH(std::string, text);
        QFETCH(QList<int>, codes);
        QCOMPARE(Tokens(text), codes);
    }

    void numbers_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<long double>("value");
        QTest::addColumn<int>("end");
        const auto row = [](const char* rowName, const std::string& text, long double value,
                             int end) { QTest::newRow(rowName) << text << value << end; };
        row("hex", "0x1F", 31, 4);
        row("hex upper case", "0X1f", 31, 4);
        row("hex wraps to signed", "0xFFFFFFFF", -1, 10);
        row("hex smallest int", "0x80000000", -2147483648.0L, 10);
        row("hex largest int", "0x7FFFFFFF", 2147483647, 10);
        row("hex keeps last eight digits", "0x123456789", 591751049, 11);
        row("hex without digits", "0x", 0, 2);
        row("hex digit before x unread", "7x1F", 31, 4);
        row("hex from digit and x", "3x", 0, 2);
        row("hex stops at last x", "0x1x2", 2, 5);
        row("binary", "0b101", 5, 5);
        row("binary 32 ones", "0B" + std::string(32, '1'), -1, 34);
        row("binary sign bit", "0b1" + std::string(31, '0'), -2147483648.0L, 34);
        row("binary keeps last 32 digits", "0b1" + std::string(32, '0'), 0, 35);
        row("decimal", "12.5", 12.5L, 4);
        row("decimal at double precision", "0.1", static_cast<long double>(0.1), 3);
        row("second point ends literal", "1.2.3", static_cast<long double>(1.2), 5);
        row("letters stick to number", "12abc", 12, 5);
        row("leading zeros", "00001", 1, 5);
        row("exponent", "1e3", 1000, 3);
        row("negative exponent", "1e-5", static_cast<long double>(1e-5), 4);
        row("positive exponent", "2.5E+3", 2500, 6);
        row("exponent without digits", "1e-", 1, 2);
        row("second exponent ends literal", "1e5e-3", 100000, 4);
        row("pi after digit", "2pi", 2, 3);
        row("overflow", "1e400", Infinity, 5);
        row("overflow by rounding", "1.7976931348623159e308", Infinity, 22);
        row("overflow of long exponent", "1e99999999999999999999", Infinity, 22);
        row("overflow without exponent", "1" + std::string(400, '0'), Infinity, 401);
        row("underflow", "1e-400", 0, 6);
        row("underflow without exponent", "0." + std::string(400, '0') + "1", 0, 403);
        row("small fraction large exponent", "0.000000000000000000000000000001e330",
            static_cast<long double>(1e300), 36);
        row("subnormal", "1e-310", static_cast<long double>(1e-310), 6);
        row("many digits", "123456789012345678901234567890",
            static_cast<long double>(123456789012345678901234567890.0), 30);
    }

    void numbers()
    {
        QFETCH(std::string, text);
        QFETCH(long double, value);
        QFETCH(int, end);
        CParser parser;
        parser.SetText(text);
        QCOMPARE(parser.Scan(), CParser::NUMBER);
        TRALTO_COMPARE_VALUE(parser.TokenValue(), value);
        QCOMPARE(parser.Position(), end);
    }

    void badDigits_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("hex letter") << std::string("0x1G") << "!!Hexzahl";
        QTest::newRow("hex point") << std::string("0x1.8") << "!!Hexzahl";
        QTest::newRow("hex bad ninth digit") << std::string("0xG12345678") << "!!Hexzahl";
        QTest::newRow("binary digit") << std::string("0b102") << "!!Binaerzahl";
        QTest::newRow("binary point") << std::string("0b1.1") << "!!Binaerzahl";
        QTest::newRow("binary hex digit") << std::string("0b1A") << "!!Binaerzahl";
    }

    void badDigits()
    {
        QFETCH(std::string, text);
        QFETCH(QString, message);
        CParser parser;
        parser.SetText(text);
        tralto::test::CompareError(tralto::test::CaughtError([&] { parser.Scan(); }), message, -4);
    }

    void nameTable()
    {
        CParser parser;
        const TLexemLookUp& table = parser.LexemTable();
        const QStringList reserved { "div", "mod", "sin", "cos", "tan", "pi", "sqrt", "ln", "log",
            "asin", "acos", "atan" };
        QCOMPARE(table.size(), std::size_t(12));
        for (std::size_t index = 0; index < table.size(); ++index)
            QCOMPARE(QString::fromStdString(table[index].lexem), reserved[int(index)]);
        QCOMPARE(table[4].code, 1005);

        parser.SetText("alpha pi beta alpha");
        QCOMPARE(parser.Scan(), CParser::NAME);
        QCOMPARE(parser.TokenValue(), 12.0L);
        QCOMPARE(parser.Scan(), CParser::PI);
        QCOMPARE(parser.TokenValue(), 5.0L);
        QCOMPARE(parser.Scan(), CParser::NAME);
        QCOMPARE(parser.TokenValue(), 13.0L);
        QCOMPARE(parser.Scan(), CParser::NAME);
        QCOMPARE(parser.TokenValue(), 12.0L);
        QCOMPARE(table.size(), std::size_t(14));
        QCOMPARE(table[13].lexem, std::string("beta"));
        QCOMPARE(table[13].code, CParser::NAME);
    }

    // A text of many different names must not take quadratic time.
    void manyNames()
    {
        std::string text;
        for (int index = 0; index < 100000; ++index)
            text += "n" + std::to_string(index) + ' ';
        CParser parser;
        parser.SetText(text);
        int count = 0;
        while (parser.Scan() == CParser::NAME)
            ++count;
        QCOMPARE(count, 100000);
        QCOMPARE(parser.LexemTable()[12 + 99999].lexem, std::string("n99999"));
    }
};

TRALTO_TEST(ScannerTest);
#include "ScannerTest.moc"
