#include "format/SettingsStore.h"
#include "tests/TestMain.h"
#include "tests/format/FormatTestSupport.h"

#include <QStringList>
#include <QTest>

#include <climits>
#include <map>
#include <utility>

namespace {

// An in-memory settings file that logs every access in order.
class MemorySettings : public SettingsStore
{
public:
    std::map<std::pair<std::string, std::string>, int32_t> integers;
    QStringList log;

    std::string ReadString(const std::string& section, const std::string& key,
        const std::string& defaultValue) override
    {
        log << QStringLiteral("read text %1/%2").arg(Name(section), Name(key));
        return defaultValue;
    }
    void WriteString(
        const std::string& section, const std::string& key, const std::string&) override
    {
        log << QStringLiteral("write text %1/%2").arg(Name(section), Name(key));
    }
    int32_t ReadInteger(
        const std::string& section, const std::string& key, int32_t defaultValue) override
    {
        log << QStringLiteral("read %1/%2 default %3")
                   .arg(Name(section), Name(key))
                   .arg(defaultValue);
        const auto found = integers.find({ section, key });
        return found == integers.end() ? defaultValue : found->second;
    }
    void WriteInteger(const std::string& section, const std::string& key, int32_t value) override
    {
        log << QStringLiteral("write %1/%2 = %3").arg(Name(section), Name(key)).arg(value);
        integers[{ section, key }] = value;
    }

private:
    static QString Name(const std::string& text) { return QString::fromStdString(text); }
};

} // namespace

// The format settings in memory and in the settings file.
class FormatSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { RestoreFormatDefaults(); }
    void cleanup() { RestoreFormatDefaults(); }

    void kindMapping_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kind");
        QTest::newRow("0 general") << 0 << int(ffGeneral);
        QTest::newRow("1 exponent") << 1 << int(ffExponent);
        QTest::newRow("2 fixed") << 2 << int(ffFixed);
        QTest::newRow("3 number") << 3 << int(ffNumber);
        QTest::newRow("4 currency is not offered") << 4 << int(ffGeneral);
        QTest::newRow("-1") << -1 << int(ffGeneral);
        QTest::newRow("INT_MAX") << INT_MAX << int(ffGeneral);
        QTest::newRow("INT_MIN") << INT_MIN << int(ffGeneral);
    }
    void kindMapping()
    {
        QFETCH(int, stored);
        QFETCH(int, kind);
        SetFormatKind(ffNumber);
        SetFormatKind(stored);
        QCOMPARE(GetFormatKind(), kind);
    }

    void readsInOrderWithDefaults()
    {
        SetFormatKind(ffFixed);
        SetPrecision(12);
        SetDigits(3);
        MemorySettings file;
        ReadFormatSettings(file);
        QCOMPARE(file.log,
            QStringList({ "read Formater/Format default 0", "read Formater/Precision default 5",
                "read Formater/Digits default 1" }));
        QCOMPARE(GetFormatKind(), int(ffGeneral));
        QCOMPARE(GetPrecision(), 5);
        QCOMPARE(GetDigits(), 1);
    }

    void readStoresValuesUnchecked_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("in range") << 3 << 18 << 2 << int(ffNumber) << QByteArray("31,415,926.54");
        QTest::newRow("kind out of range")
            << 7 << 12 << 0 << int(ffGeneral) << QByteArray("31415926.5359");
        QTest::newRow("precision and digits out of range")
            << 1 << 40 << -3 << int(ffExponent) << QByteArray("3.14159265358979329E+7");
        QTest::newRow("extremes") << INT_MIN << INT_MIN << INT_MAX << int(ffGeneral)
                                  << QByteArray("3.1E7");
    }
    void readStoresValuesUnchecked()
    {
        QFETCH(int, format);
        QFETCH(int, precision);
        QFETCH(int, digits);
        QFETCH(int, kind);
        QFETCH(QByteArray, text);
        MemorySettings file;
        file.integers[{ "Formater", "Format" }] = format;
        file.integers[{ "Formater", "Precision" }] = precision;
        file.integers[{ "Formater", "Digits" }] = digits;
        // Read into a layout of the caller's own, the program's stays as it was.
        NumberLayout layout;
        ReadFormatSettings(file, layout);
        QCOMPARE(int(layout.kind), kind);
        QCOMPARE(layout.precision, precision);
        QCOMPARE(layout.digits, digits);
        QCOMPARE(Utf8(FormatValue(31415926.535897933, layout)), text);
        QCOMPARE(GetPrecision(), FormatBounds::DefaultPrecision);

        ReadFormatSettings(file);
        QCOMPARE(GetFormatKind(), kind);
        QCOMPARE(GetPrecision(), precision);
        QCOMPARE(GetDigits(), digits);
        // Whatever the file holds, the conversion keeps the values in range.
        QCOMPARE(Utf8(FormatValue(31415926.535897933)), text);
    }

    void writesInOrder()
    {
        SetFormatKind(ffFixed);
        SetPrecision(40);
        SetDigits(-2);
        MemorySettings file;
        WriteFormatSettings(file);
        QCOMPARE(file.log,
            QStringList({ "write Formater/Format = 2", "write Formater/Precision = 40",
                "write Formater/Digits = -2" }));
    }

    void writtenSettingsReadBack()
    {
        SetFormatKind(ffNumber);
        SetPrecision(18);
        SetDigits(2);
        MemorySettings file;
        WriteFormatSettings(file);
        RestoreFormatDefaults();
        ReadFormatSettings(file);
        QCOMPARE(GetFormatKind(), int(ffNumber));
        QCOMPARE(GetPrecision(), 18);
        QCOMPARE(GetDigits(), 2);
        QCOMPARE(Utf8(FormatValue(31415926.535897933)), QByteArray("31,415,926.54"));
    }
};

TRALTO_TEST(FormatSettingsTest);
#include "FormatSettingsTest.moc"
