#include "widgets/IntegerConversion.h"
#include "tests/TestMain.h"

#include <QTest>

#include <cstdint>

// The strict reading of the format dialog's number fields.
class IntegerConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void valid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int32_t>("value");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("leading zeros") << "0005" << 5;
        QTest::newRow("leading blanks") << "   7" << 7;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("minus") << "-5" << -5;
        QTest::newRow("blanks before the sign") << " -3" << -3;
        QTest::newRow("largest") << "2147483647" << INT32_MAX;
        QTest::newRow("smallest") << "-2147483648" << INT32_MIN;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("x hex, small letters") << "x1f" << 31;
        QTest::newRow("X hex") << "X10" << 16;
        QTest::newRow("0x hex") << "0x10" << 16;
        QTest::newRow("0X hex") << "0X10" << 16;
        QTest::newRow("negative hex") << "-$10" << -16;
        QTest::newRow("hex wraps to signed") << "$FFFFFFFF" << -1;
        QTest::newRow("hex sign bit") << "0x80000000" << INT32_MIN;
        QTest::newRow("negative hex of all bits") << "-$FFFFFFFF" << 1;
        QTest::newRow("leading zeros beyond 32 bits") << "$000000000001" << 1;
    }
    void valid()
    {
        QFETCH(QString, text);
        QFETCH(int32_t, value);
        QCOMPARE(StrToInt(text), value);
    }

    void invalid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "  ";
        QTest::newRow("lone minus") << "-";
        QTest::newRow("lone plus") << "+";
        QTest::newRow("lone dollar") << "$";
        QTest::newRow("lone 0x") << "0x";
        QTest::newRow("lone x") << "x";
        QTest::newRow("trailing blank") << "5 ";
        QTest::newRow("tab is no blank") << "\t5";
        QTest::newRow("blank after the sign") << "- 5";
        QTest::newRow("two signs") << "+-1";
        QTest::newRow("sign after dollar") << "$-1";
        QTest::newRow("decimal point") << "1.5";
        QTest::newRow("exponent") << "1e3";
        QTest::newRow("letters") << "abc";
        QTest::newRow("trailing letter") << "12a";
        QTest::newRow("hex letter in decimal") << "1F";
        QTest::newRow("beyond hex digits") << "0x1G";
        QTest::newRow("just above 32 bits") << "2147483648";
        QTest::newRow("just below 32 bits") << "-2147483649";
        QTest::newRow("hex beyond 32 bits") << "$100000000";
        QTest::newRow("beyond 64 bits") << "99999999999999999999999";
        QTest::newRow("arabic-indic digit") << QStringLiteral("\u0663");
        QTest::newRow("full-width digit") << QStringLiteral("\uFF11");
        QTest::newRow("percent sign") << "%1";
    }
    void invalid()
    {
        QFETCH(QString, text);
        try {
            StrToInt(text);
            QFAIL("no error");
        } catch (const CConvertError& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value"));
        }
    }
};

TRALTO_TEST(IntegerConversionTest);
#include "IntegerConversionTest.moc"
