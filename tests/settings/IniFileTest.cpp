#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <csignal>
#include <memory>
#include <sys/resource.h>

#include "settings/IniFile.h"
#include "tests/TestMain.h"

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The bytes of a literal, NULs included.
template <size_t Size> QByteArray Bytes(const char (&text)[Size])
{
    return QByteArray(text, Size - 1);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

// The message of the IniWriteError a write throws, or "" when it throws none.
template <class Write> std::string WriteError(Write write)
{
    try {
        write();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

// Makes every file write of this process beyond the size fail, as a full
// disk would, for as long as it lives. Unlike permission bits this also
// holds for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool Active() const { return active_; }

private:
    rlimit previous_ {};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

} // namespace

class IniFileTest : public QObject
{
    Q_OBJECT

    // A fresh folder for every test function.
    std::unique_ptr<QTemporaryDir> dir_;

    QString Folder() const { return dir_->path(); }
    QString IniPath() const { return dir_->filePath(QStringLiteral("Tralmain.ini")); }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void readInteger_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expected");
        // Section "Coord", key "Dim", default 3.
        QTest::newRow("decimal") << QByteArray("[Coord]\nDim=2\n") << 2;
        QTest::newRow("negative") << QByteArray("[Coord]\nDim=-17\n") << -17;
        QTest::newRow("plus sign") << QByteArray("[Coord]\nDim=+7\n") << 7;
        QTest::newRow("hex 0x") << QByteArray("[Coord]\nDim=0x2\n") << 2;
        QTest::newRow("hex 0X") << QByteArray("[Coord]\nDim=0X1f\n") << 31;
        QTest::newRow("hex dollar") << QByteArray("[Coord]\nDim=$2\n") << 2;
        QTest::newRow("hex dollar lower case") << QByteArray("[Coord]\nDim=$ff\n") << 255;
        QTest::newRow("hex leading zeros") << QByteArray("[Coord]\nDim=0x0000000002\n") << 2;
        QTest::newRow("hex wraps to signed") << QByteArray("[Coord]\nDim=0xFFFFFFFF\n") << -1;
        QTest::newRow("hex lowest") << QByteArray("[Coord]\nDim=$80000000\n") << INT_MIN;
        QTest::newRow("hex beyond 32 bits") << QByteArray("[Coord]\nDim=0x100000000\n") << 3;
        QTest::newRow("0x alone") << QByteArray("[Coord]\nDim=0x\n") << 3;
        QTest::newRow("dollar alone") << QByteArray("[Coord]\nDim=$\n") << 3;
        QTest::newRow("hex bad digit") << QByteArray("[Coord]\nDim=0x1G\n") << 3;
        QTest::newRow("sign before hex") << QByteArray("[Coord]\nDim=-0x2\n") << 3;
        QTest::newRow("highest") << QByteArray("[Coord]\nDim=2147483647\n") << INT_MAX;
        QTest::newRow("lowest") << QByteArray("[Coord]\nDim=-2147483648\n") << INT_MIN;
        QTest::newRow("above highest") << QByteArray("[Coord]\nDim=2147483648\n") << 3;
        QTest::newRow("below lowest") << QByteArray("[Coord]\nDim=-2147483649\n") << 3;
        QTest::newRow("far too long") << QByteArray("[Coord]\nDim=99999999999999999999999\n") << 3;
        QTest::newRow("letters") << QByteArray("[Coord]\nDim=two\n") << 3;
        QTest::newRow("digits then letters") << QByteArray("[Coord]\nDim=2a\n") << 3;
        QTest::newRow("sign alone") << QByteArray("[Coord]\nDim=-\n") << 3;
        QTest::newRow("blank inside") << QByteArray("[Coord]\nDim=1 2\n") << 3;
        QTest::newRow("empty value") << QByteArray("[Coord]\nDim=\n") << 3;
        QTest::newRow("blanks around") << QByteArray("[Coord]\n\tDim  =  2 \t\n") << 2;
        QTest::newRow("quoted") << QByteArray("[Coord]\nDim=\"2\"\n") << 2;
        QTest::newRow("NUL after digits") << Bytes("[Coord]\nDim=2\0\n") << 3;
        QTest::newRow("missing key") << QByteArray("[Coord]\nDimension=2\n") << 3;
        QTest::newRow("missing section") << QByteArray("[Other]\nDim=2\n") << 3;
        QTest::newRow("empty file") << QByteArray() << 3;
        QTest::newRow("lower-case names") << QByteArray("[coord]\ndim=2\n") << 2;
        QTest::newRow("upper-case names") << QByteArray("[COORD]\nDIM=2\n") << 2;
        QTest::newRow("blanks in header") << QByteArray("  [ Coord ]  \nDim=2\n") << 2;
        QTest::newRow("comment after header") << QByteArray("[Coord] ; shown\nDim=2\n") << 2;
        QTest::newRow("unclosed header") << QByteArray("[Coord\nDim=2\n") << 3;
        QTest::newRow("CR-LF") << QByteArray("[Coord]\r\nDim=2\r\n") << 2;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Coord]\nDim=2\n") << 2;
        QTest::newRow("no final line break") << QByteArray("[Coord]\nDim=2") << 2;
        QTest::newRow("duplicate key") << QByteArray("[Coord]\nDim=2\nDim=4\n") << 2;
        QTest::newRow("duplicate section")
            << QByteArray("[Coord]\nDim=2\n[Other]\nDim=5\n[Coord]\nDim=4\n") << 2;
        QTest::newRow("key in second section of the name")
            << QByteArray("[Coord]\nX=1\n[Other]\nDim=5\n[coord]\nDim=4\n") << 4;
        QTest::newRow("comment lines") << QByteArray("[Coord]\n;Dim=2\n  # Dim=4\n") << 3;
        QTest::newRow("key before any section") << QByteArray("Dim=2\n[Coord]\n") << 3;
        QTest::newRow("key of the next section") << QByteArray("[Coord]\n[Other]\nDim=2\n") << 3;
        QTest::newRow("binary garbage around")
            << Bytes("\x00\xFF\xFE\x01\n[Coord]\n\x80\x81=\x82\nDim=2\n\xC3") << 2;
        QTest::newRow("binary garbage only") << Bytes("\x00\x9F\x92\x96[]=\n\xFF\xFE") << 3;
    }

    void readInteger()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, expected);
        WriteBytes(IniPath(), content);
        IniFile ini(IniPath());
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 3), expected);
    }

    void readString_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        // Section "Language", key "CommonLangExt", default "dflt".
        const QByteArray header = "[Language]\n";
        QTest::newRow("plain") << header + "CommonLangExt=deu\n" << QByteArray("deu");
        QTest::newRow("empty value is a value") << header + "CommonLangExt=\n" << QByteArray("");
        QTest::newRow("missing key") << header + "LangExt=deu\n" << QByteArray("dflt");
        QTest::newRow("missing file") << QByteArray("<none>") << QByteArray("dflt");
        QTest::newRow("blanks around") << header + "CommonLangExt \t=  deu \t\n"
                                       << QByteArray("deu");
        QTest::newRow("double quotes") << header + "CommonLangExt=\"deu\"\n" << QByteArray("deu");
        QTest::newRow("single quotes") << header + "CommonLangExt='deu'\n" << QByteArray("deu");
        QTest::newRow("quotes keep blanks") << header + "CommonLangExt=\" deu \"\n"
                                            << QByteArray(" deu ");
        QTest::newRow("unpaired quote") << header + "CommonLangExt=\"deu\n" << QByteArray("\"deu");
        QTest::newRow("mixed quotes") << header + "CommonLangExt=\"deu'\n" << QByteArray("\"deu'");
        QTest::newRow("equals sign in value") << header + "CommonLangExt=a=b\n"
                                              << QByteArray("a=b");
        QTest::newRow("semicolon in value") << header + "CommonLangExt=deu ; note\n"
                                            << QByteArray("deu ; note");
        QTest::newRow("UTF-8") << header + "CommonLangExt=Ελληνικά\n" << QByteArray("Ελληνικά");
        QTest::newRow("CR-LF") << QByteArray("[Language]\r\nCommonLangExt=deu\r\n")
                               << QByteArray("deu");
        QTest::newRow("other case")
            << QByteArray("[LANGUAGE]\ncommonlangext=deu\n") << QByteArray("deu");
    }

    void readString()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, expected);
        if (content != "<none>")
            WriteBytes(IniPath(), content);
        IniFile ini(IniPath());
        QCOMPARE(QByteArray::fromStdString(ini.ReadString("Language", "CommonLangExt", "dflt")),
            expected);
    }

    void writeReadsBack_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("code") << QByteArray("deu") << QByteArray("deu");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        QTest::newRow("blanks around") << QByteArray(" deu\t") << QByteArray(" deu\t");
        QTest::newRow("in double quotes") << QByteArray("\"deu\"") << QByteArray("\"deu\"");
        QTest::newRow("in single quotes") << QByteArray("'deu'") << QByteArray("'deu'");
        QTest::newRow("one quote") << QByteArray("\"") << QByteArray("\"");
        QTest::newRow("equals sign") << QByteArray("a=b") << QByteArray("a=b");
        QTest::newRow("semicolon first") << QByteArray(";x") << QByteArray(";x");
        QTest::newRow("UTF-8") << QByteArray("Português") << QByteArray("Português");
        QTest::newRow("line feed becomes blank") << QByteArray("a\nb") << QByteArray("a b");
        QTest::newRow("CR-LF becomes blanks") << QByteArray("a\r\nb") << QByteArray("a  b");
        QTest::newRow("section in value stays a value")
            << QByteArray("x\n[Formater]\nFormat=3") << QByteArray("x [Formater] Format=3");
    }

    void writeReadsBack()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        IniFile ini(IniPath());
        ini.WriteString("Language", "CommonLangExt", value.toStdString());
        QCOMPARE(QByteArray::fromStdString(ini.ReadString("Language", "CommonLangExt", "dflt")),
            expected);
        QCOMPARE(ini.ReadInteger("Formater", "Format", 9), 9);
    }

    void writeKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        // Writes "Coord"/"Dim" = 2.
        QTest::newRow("new file") << QByteArray("<none>") << QByteArray("[Coord]\nDim=2\n");
        QTest::newRow("empty file") << QByteArray("") << QByteArray("[Coord]\nDim=2\n");
        QTest::newRow("replaces the key only")
            << QByteArray(
                   "; settings\n[Coord]\nDim=3\nUnknown=x\n\n[Language]\nCommonLangExt=deu\n")
            << QByteArray(
                   "; settings\n[Coord]\nDim=2\nUnknown=x\n\n[Language]\nCommonLangExt=deu\n");
        QTest::newRow("replaces a key in other case") << QByteArray(
            "[coord]\r\n  dim = 3 \r\nX=1\r\n") << QByteArray("[coord]\r\nDim=2\r\nX=1\r\n");
        QTest::newRow("new key after the section's last key")
            << QByteArray("[Coord]\nA=1\n\n; about languages\n[Language]\nB=2\n")
            << QByteArray("[Coord]\nA=1\nDim=2\n\n; about languages\n[Language]\nB=2\n");
        QTest::newRow("new key in an empty section")
            << QByteArray("[Coord]\n[Language]\n") << QByteArray("[Coord]\nDim=2\n[Language]\n");
        QTest::newRow("new key, no final line break")
            << QByteArray("[Coord]\nA=1") << QByteArray("[Coord]\nA=1\nDim=2\n");
        QTest::newRow("new key, file ends in CR")
            << QByteArray("[Coord]\nA=1\r") << QByteArray("[Coord]\nA=1\r\nDim=2\n");
        QTest::newRow("new key in CR-LF file")
            << QByteArray("[Coord]\r\nA=1\r\n") << QByteArray("[Coord]\r\nA=1\r\nDim=2\r\n");
        QTest::newRow("new section")
            << QByteArray("[Language]\nB=2\n") << QByteArray("[Language]\nB=2\n\n[Coord]\nDim=2\n");
        QTest::newRow("new section after a blank line") << QByteArray(
            "[Language]\nB=2\n\n") << QByteArray("[Language]\nB=2\n\n[Coord]\nDim=2\n");
        QTest::newRow("new section, no final line break")
            << QByteArray("[Language]\nB=2") << QByteArray("[Language]\nB=2\n\n[Coord]\nDim=2\n");
        QTest::newRow("new section in CR-LF file") << QByteArray(
            "[Language]\r\nB=2\r\n") << QByteArray("[Language]\r\nB=2\r\n\r\n[Coord]\r\nDim=2\r\n");
        QTest::newRow("no sections at all")
            << QByteArray("A=1\nB=2\n") << QByteArray("A=1\nB=2\n\n[Coord]\nDim=2\n");
        QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[Coord]\nDim=3\n")
                                              << QByteArray("\xEF\xBB\xBF[Coord]\nDim=2\n");
        QTest::newRow("byte-order mark alone")
            << QByteArray("\xEF\xBB\xBF") << QByteArray("\xEF\xBB\xBF[Coord]\nDim=2\n");
        QTest::newRow("duplicate key: the first is replaced")
            << QByteArray("[Coord]\nDim=3\nDim=4\n") << QByteArray("[Coord]\nDim=2\nDim=4\n");
        QTest::newRow("duplicate section: new key in the first") << QByteArray(
            "[Coord]\nA=1\n[Coord]\nB=2\n") << QByteArray("[Coord]\nA=1\nDim=2\n[Coord]\nB=2\n");
        QTest::newRow("commented key stays")
            << QByteArray("[Coord]\n;Dim=3\n") << QByteArray("[Coord]\nDim=2\n;Dim=3\n");
        QTest::newRow("binary garbage kept") << Bytes("\x00\xFF junk\n[Coord]\nDim=3\n\x01\x02")
                                             << Bytes("\x00\xFF junk\n[Coord]\nDim=2\n\x01\x02");
    }

    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        if (before != "<none>")
            WriteBytes(IniPath(), before);
        IniFile ini(IniPath());
        ini.WriteInteger("Coord", "Dim", 2);
        QCOMPARE(ReadBytes(IniPath()), after);
    }

    void writeIntegerIsDecimal()
    {
        IniFile ini(IniPath());
        ini.WriteInteger("Formater", "Format", INT_MIN);
        ini.WriteInteger("Formater", "Digits", -5);
        QCOMPARE(ReadBytes(IniPath()), QByteArray("[Formater]\nFormat=-2147483648\nDigits=-5\n"));
        QCOMPARE(ini.ReadInteger("Formater", "Format", 0), INT_MIN);
    }

    void everyCallSeesTheDisk()
    {
        IniFile writer(IniPath());
        IniFile reader(IniPath());
        writer.WriteString("Language", "CommonLangExt", "ita");
        QCOMPARE(reader.ReadString("Language", "CommonLangExt", ""), std::string("ita"));
        WriteBytes(IniPath(), "[Language]\nCommonLangExt=ptb\n");
        QCOMPARE(reader.ReadString("Language", "CommonLangExt", ""), std::string("ptb"));
        QFile::remove(IniPath());
        QCOMPARE(reader.ReadString("Language", "CommonLangExt", "enu"), std::string("enu"));
    }

    void relativePathIsFixedAtCreation()
    {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(Folder()));
        IniFile ini(QStringLiteral("Tralmain.ini"));
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        ini.WriteInteger("Coord", "Dim", 2);
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(ini.Path(), IniPath());
        QCOMPARE(ReadBytes(IniPath()), QByteArray("[Coord]\nDim=2\n"));
    }

    void longLinesAreKept()
    {
        const QByteArray longComment = "; " + QByteArray(4 << 20, 'x') + '\n';
        const QByteArray longValue(1 << 20, 'v');
        WriteBytes(IniPath(), longComment + "[Language]\nCommonLangExt=" + longValue + "\n");
        IniFile ini(IniPath());
        QCOMPARE(ini.ReadString("Language", "CommonLangExt", "").size(), size_t(longValue.size()));
        ini.WriteInteger("Coord", "Dim", 2);
        QCOMPARE(ReadBytes(IniPath()),
            longComment + "[Language]\nCommonLangExt=" + longValue + "\n\n[Coord]\nDim=2\n");
    }

    void folderInPlaceOfTheFile()
    {
        QVERIFY(QDir(Folder()).mkdir(QStringLiteral("Tralmain.ini")));
        const QString inside = IniPath() + QStringLiteral("/kept");
        WriteBytes(inside, "kept");
        IniFile ini(IniPath());
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 3), 3);
        QCOMPARE(WriteError([&] { ini.WriteInteger("Coord", "Dim", 2); }),
            "Unable to write to " + IniPath().toStdString());
        QCOMPARE(ReadBytes(inside), QByteArray("kept"));
        QVERIFY(QFileInfo(IniPath()).isDir());
    }

    void folderThatCannotTakeFiles()
    {
        // A folder path whose parent is a plain file: no file can be created
        // there, whatever the user's rights.
        const QString notAFolder = dir_->filePath(QStringLiteral("program"));
        WriteBytes(notAFolder, "program");
        const QString path = notAFolder + QStringLiteral("/Tralmain.ini");
        IniFile ini(path);
        QCOMPARE(ini.ReadString("Language", "CommonLangExt", "enu"), std::string("enu"));
        QCOMPARE(WriteError([&] { ini.WriteString("Language", "CommonLangExt", "deu"); }),
            "Unable to write to " + path.toStdString());
        QCOMPARE(ReadBytes(notAFolder), QByteArray("program"));
    }

    void failedWriteLeavesTheOldFile()
    {
        const QByteArray before = "; " + QByteArray(100, '-') + "\n[Coord]\nDim=3\n";
        WriteBytes(IniPath(), before);
        IniFile ini(IniPath());
        std::string error;
        {
            const FileSizeLimit limit(64);
            QVERIFY(limit.Active());
            error = WriteError([&] { ini.WriteString("Language", "CommonLangExt", "deu"); });
        }
        QCOMPARE(error, "Unable to write to " + IniPath().toStdString());
        QCOMPARE(ReadBytes(IniPath()), before);
        // Nothing half-written is left beside it.
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
            QStringList { QStringLiteral("Tralmain.ini") });
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 0), 3);
    }
};

TRALTO_TEST(IniFileTest);
#include "IniFileTest.moc"
