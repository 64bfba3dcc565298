#include "format/NumberReading.h"
#include "expression/Parser.h"
#include "tests/TestMain.h"
#include "tests/format/FormatTestSupport.h"

#include <QStringList>
#include <QTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(NumberSeparators)

namespace {

const NumberSeparators English { ".", "," };
const NumberSeparators German { ",", "." };
// Blanks and no-break blanks as groups, as French and Swiss writing have them.
const NumberSeparators FrenchNoBreak { ",", "\u202f" };
const NumberSeparators BlankGroups { ".", " " };

bool SameValue(long double a, long double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

} // namespace

// A field reads back every text the formatter writes, in both separator
// conventions, and text the evaluator read before keeps its meaning.
class NumberReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { RestoreFormatDefaults(); }

    void formattedTextReadsBack_data()
    {
        QTest::addColumn<NumberSeparators>("separators");
        QTest::addColumn<long double>("value");
        QTest::addColumn<TFloatFormat>("kind");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("digits");
        const struct
        {
            const char* name;
            TFloatFormat kind;
            int precision;
            int digits;
        } layouts[] = {
            { "general", ffGeneral, 7, 1 },
            { "general 18", ffGeneral, 18, 1 },
            { "exponent", ffExponent, 7, 2 },
            { "fixed", ffFixed, 12, 3 },
            { "number", ffNumber, 18, 2 },
        };
        const struct
        {
            const char* name;
            NumberSeparators separators;
        } locales[] = { { "en", English }, { "de", German }, { "fr", FrenchNoBreak } };
        const long double values[] = { 0, Extended(1e-16), Extended(-1.5e-7), Extended(0.000123456),
            Extended(0.5), Extended(3.141592653589793), -2.5L, Extended(999.5), Extended(1234.5678),
            123456, Extended(1234567.891), Extended(-31415926.535897933), 2147483648.0L,
            Extended(123456789012345.6), Extended(1e20), Extended(-1e300),
            std::numeric_limits<long double>::infinity(),
            -std::numeric_limits<long double>::infinity(),
            std::numeric_limits<long double>::quiet_NaN() };
        for (const auto& locale : locales) {
            for (const auto& layout : layouts) {
                for (const long double value : values) {
                    QTest::addRow("%s %s %Lg", layout.name, locale.name, value)
                        << locale.separators << value << layout.kind << layout.precision
                        << layout.digits;
                }
            }
        }
    }

    void formattedTextReadsBack()
    {
        // The value a text shows is what the same digits say in the
        // evaluator's writing ("." and no groups).
        QFETCH(NumberSeparators, separators);
        QFETCH(long double, value);
        QFETCH(TFloatFormat, kind);
        QFETCH(int, precision);
        QFETCH(int, digits);
        SetNumberSeparators(".", "");
        const std::string plain = NumberText(value, kind, precision, digits);
        SetNumberSeparators(std::string(separators.Decimal()), std::string(separators.Thousands()));
        const std::string shown = NumberText(value, kind, precision, digits);

        const long double expected = ReadNumberText(plain, English);
        if (value != 0 && std::fabs(value) >= 1e-3)
            QVERIFY2(expected != 0, plain.c_str());
        const long double read = ReadNumberText(shown, separators);
        QVERIFY2(SameValue(read, expected),
            qPrintable(QStringLiteral("'%1' reads %2, '%3' reads %4")
                           .arg(QString::fromStdString(shown))
                           .arg(double(read))
                           .arg(QString::fromStdString(plain))
                           .arg(double(expected))));
    }

    void typedText_data()
    {
        QTest::addColumn<NumberSeparators>("separators");
        QTest::addColumn<QString>("text");
        QTest::addColumn<long double>("expected");
        // What the evaluator reads on its own keeps its meaning.
        QTest::newRow("de point decimals stay") << German << "1.5" << Extended(1.5);
        QTest::newRow("de one group alone stays decimals") << German << "1.234" << Extended(1.234);
        QTest::newRow("de expression") << German << "2*3.25+1e1" << Extended(16.5);
        QTest::newRow("de hexadecimal") << German << "0x1F" << 31.0L;
        QTest::newRow("de several numbers") << German << "1 2" << 2.0L;
        QTest::newRow("blank groups: one group stays two numbers")
            << BlankGroups << "1 234" << 234.0L;
        QTest::newRow("blank groups: decimals after one group")
            << BlankGroups << "1 234.5" << Extended(234.5);
        QTest::newRow("en comma before two digits is no group") << English << "1,23" << 0.0L;
        QTest::newRow("en decimal comma is no English") << English << "1,5" << 0.0L;
        // What the evaluator could not read before takes the locale's meaning.
        QTest::newRow("de decimal comma") << German << "3,25" << Extended(3.25);
        QTest::newRow("de decimal comma at the end") << German << "2," << 2.0L;
        QTest::newRow("de group and decimals") << German << "1.234,5" << Extended(1234.5);
        QTest::newRow("de two groups") << German << "1.234.567" << 1234567.0L;
        QTest::newRow("de groups in an expression")
            << German << "-1.234.567,25*2" << Extended(-2469134.5);
        QTest::newRow("de comma inside a function") << German << "sqrt(6,25)" << 2.5L;
        QTest::newRow("de exponent") << German << "1,5E-3" << Extended(1.5e-3);
        QTest::newRow("en one group") << English << "1,234" << 1234.0L;
        QTest::newRow("en groups and decimals") << English << "1,234,567.5" << Extended(1234567.5);
        QTest::newRow("fr no-break groups") << FrenchNoBreak << "1\u202f234,5" << Extended(1234.5);
        QTest::newRow("blank groups: two groups") << BlankGroups << "1 234 567" << 1234567.0L;
    }

    void typedText()
    {
        QFETCH(NumberSeparators, separators);
        QFETCH(QString, text);
        QFETCH(long double, expected);
        QCOMPARE(ReadNumberText(text.toStdString(), separators), expected);
    }

    void pointText_data()
    {
        QTest::addColumn<NumberSeparators>("separators");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("values"); // empty: no point
        QTest::newRow("commas and blanks")
            << English << "1, 2, 3" << 3 << QStringList { "1", "2", "3" };
        QTest::newRow("semicolons") << English << "1;2;3" << 3 << QStringList { "1", "2", "3" };
        QTest::newRow("tabs of a spreadsheet row") << German << "1,5\t-2\t3.000,25\n"
                                                   << 3 << QStringList { "1,5", "-2", "3.000,25" };
        QTest::newRow("a spreadsheet column") << English << "1\n2\n"
                                              << 2 << QStringList { "1", "2" };
        QTest::newRow("in parentheses") << English << " (4, 5) " << 2 << QStringList { "4", "5" };
        QTest::newRow("expressions")
            << English << "2*pi; sqrt 2; 0x1F" << 3 << QStringList { "2*pi", "sqrt 2", "0x1F" };
        QTest::newRow("de decimal commas and blanks")
            << German << "1,5, 2,5, 3" << 3 << QStringList { "1,5", "2,5", "3" };
        QTest::newRow("de bare commas that are no number")
            << German << "1,2,3" << 3 << QStringList { "1", "2", "3" };
        QTest::newRow("en groups and blanks")
            << English << "1,234.5, 2, 3" << 3 << QStringList { "1,234.5", "2", "3" };
        QTest::newRow("de one number is no pair") << German << "2,5" << 2 << QStringList();
        QTest::newRow("en one grouped number is no triple")
            << English << "1,234,567" << 3 << QStringList();
        QTest::newRow("too few values") << English << "1;2" << 3 << QStringList();
        QTest::newRow("too many values") << English << "1\t2\t3" << 2 << QStringList();
        QTest::newRow("an empty value") << English << "1;;3" << 3 << QStringList();
        QTest::newRow("blanks separate nothing") << English << "1 2 3" << 3 << QStringList();
        QTest::newRow("one value") << English << "12" << 3 << QStringList();
    }

    void pointText()
    {
        QFETCH(NumberSeparators, separators);
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QStringList, values);
        const auto point = SplitPointText(text.toStdString(), size_t(count), separators);
        QStringList found;
        if (point) {
            for (const std::string& value : *point)
                found << QString::fromStdString(value);
        }
        QCOMPARE(found, values);
    }
};

TRALTO_TEST(NumberReadingTest);
#include "NumberReadingTest.moc"
