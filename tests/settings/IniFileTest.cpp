#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/IniFile.h"
#include "tests/FileBytes.h"
#include "tests/ForkedCopies.h"
#include "tests/TestMain.h"

namespace {

// The bytes of a literal, NULs included.
template <size_t Size> QByteArray Bytes(const char (&text)[Size])
{
    return QByteArray(text, Size - 1);
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

// How the file lies on the disk: its length and the blocks it occupies.
std::pair<qint64, qint64> Extent(const QString& path)
{
    struct stat status
    {
    };
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        return { -1, -1 };
    return { qint64(status.st_size), qint64(status.st_blocks) };
}

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

    void anotherRunsChangeIsKept_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("otherWrites");
        QTest::addColumn<QByteArray>("thisWrites");
        QTest::addColumn<QByteArray>("after");
        // This object reads Dim, another run writes it, then this object
        // writes its value.
        QTest::newRow("unchanged here, changed there")
            << QByteArray("[Coord]\nDim=3\n") << QByteArray("2") << QByteArray("3")
            << QByteArray("[Coord]\nDim=2\n");
        QTest::newRow("missing, then written there")
            << QByteArray() << QByteArray("2") << QByteArray("3") << QByteArray("[Coord]\nDim=2\n");
        QTest::newRow("changed on both sides: the last one stays")
            << QByteArray("[Coord]\nDim=3\n") << QByteArray("2") << QByteArray("4")
            << QByteArray("[Coord]\nDim=4\n");
        QTest::newRow("written there with the same text")
            << QByteArray("[Coord]\nDim=0x3\n") << QByteArray("3") << QByteArray("3")
            << QByteArray("[Coord]\nDim=3\n");
        // Without another run the value is written as it always was: the
        // text read back in decimal.
        QTest::newRow("no other run") << QByteArray("[Coord]\nDim=0x3\n") << QByteArray()
                                      << QByteArray("3") << QByteArray("[Coord]\nDim=3\n");
    }

    void anotherRunsChangeIsKept()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, otherWrites);
        QFETCH(QByteArray, thisWrites);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            WriteBytes(IniPath(), before);
        IniFile thisRun(IniPath());
        QCOMPARE(thisRun.ReadInteger("Coord", "Dim", 3), 3);
        if (!otherWrites.isEmpty()) {
            IniFile otherRun(IniPath());
            otherRun.WriteString("Coord", "Dim", otherWrites.toStdString());
        }
        thisRun.WriteString("Coord", "Dim", thisWrites.toStdString());
        QCOMPARE(ReadBytes(IniPath()), after);
    }

    void ownWritesAreNotMistakenForAnotherRun()
    {
        // A value this object wrote itself, then wrote back after a change
        // of its own, is stored each time.
        IniFile ini(IniPath());
        QCOMPARE(ini.ReadString("Language", "CommonLangExt", ""), std::string());
        ini.WriteString("Language", "CommonLangExt", "deu");
        QCOMPARE(ini.ReadString("Language", "CommonLangExt", "enu"), std::string("deu"));
        ini.WriteString("Language", "CommonLangExt", "ita");
        ini.WriteString("Language", "CommonLangExt", "deu");
        QCOMPARE(ReadBytes(IniPath()), QByteArray("[Language]\nCommonLangExt=deu\n"));
    }

    void manyBlankLinesAndHeaders()
    {
        // Blank lines and repeated headers cost nothing but the one pass, and
        // the first of each stays where a new key goes.
        const QByteArray blanks(200000, '\n');
        QByteArray headers;
        for (int i = 0; i < 20000; ++i)
            headers += "[a]\r\n";
        WriteBytes(IniPath(), blanks + headers + "[Coord]\nDim=2\n" + blanks);
        IniFile ini(IniPath());
        QCOMPARE(ini.ReadInteger("coord", "dim", 3), 2);
        ini.WriteString("A", "Key", "v");
        QCOMPARE(ReadBytes(IniPath()),
            blanks + "[a]\r\nKey=v\n" + headers.sliced(5) + "[Coord]\nDim=2\n" + blanks);
        QCOMPARE(ini.ReadString("a", "key", ""), std::string("v"));
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 3), 2);
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
            "Unable to write to " + IniPath().toStdString() + ": Is a directory");
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
            "Unable to write to " + path.toStdString() + ": Not a directory");
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
        QCOMPARE(error, "Unable to write to " + IniPath().toStdString() + ": File too large");
        QCOMPARE(ReadBytes(IniPath()), before);
        // Nothing half-written is left beside it.
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
            QStringList { QStringLiteral("Tralmain.ini") });
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 0), 3);
    }

    void copiesWritingAtOnceLoseNothing_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("two copies") << 2 << 20 << false;
        QTest::newRow("ten copies") << 10 << 5 << false;
        // The file is then written in place, under the same lock.
        QTest::newRow("ten copies, writable file in a read-only folder") << 10 << 5 << true;
    }

    void copiesWritingAtOnceLoseNothing()
    {
        QFETCH(int, copies);
        QFETCH(int, rounds);
        QFETCH(bool, readOnlyFolder);
        const auto folderRights = QFile::ReadOwner | QFile::ExeOwner;
        for (int round = 1; round <= rounds; ++round) {
            WriteBytes(IniPath(), "; kept\n[Copies]\n");
            if (readOnlyFolder)
                QVERIFY(QFile::setPermissions(Folder(), folderRights));
            const bool allWrote = RunCopies(copies, [&](int copy, const auto& waitForAll) {
                IniFile ini(IniPath());
                waitForAll();
                try {
                    ini.WriteInteger("Copies", "Copy" + std::to_string(copy), round);
                } catch (const IniWriteError&) {
                    return false;
                }
                return true;
            });
            QVERIFY(QFile::setPermissions(Folder(), folderRights | QFile::WriteOwner));
            QVERIFY(allWrote);
            IniFile ini(IniPath());
            for (int copy = 0; copy < copies; ++copy)
                QCOMPARE(ini.ReadInteger("Copies", "Copy" + std::to_string(copy), 0), round);
            QVERIFY(ReadBytes(IniPath()).startsWith("; kept\n[Copies]\n"));
        }
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
            QStringList { QStringLiteral("Tralmain.ini") });
    }

    void sizeCap_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("sparse");
        QTest::addColumn<int>("dimension");
        // The file holds "[Coord]\nDim=2\n" and is filled to the size.
        QTest::newRow("at the cap") << IniFile::MaximumFileSize << false << 2;
        QTest::newRow("one byte over the cap") << IniFile::MaximumFileSize + 1 << false << 3;
        QTest::newRow("sparse, 2 GiB") << (qint64(2) << 30) << true << 3;
    }

    void sizeCap()
    {
        QFETCH(qint64, size);
        QFETCH(bool, sparse);
        QFETCH(int, dimension);
        const QByteArray head = "[Coord]\nDim=2\n;";
        {
            QFile file(IniPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(head), head.size());
            if (!sparse)
                QCOMPARE(
                    file.write(QByteArray(size - head.size() - 1, '-') + '\n'), size - head.size());
            QVERIFY(file.resize(size));
        }
        const auto before = Extent(IniPath());
        IniFile ini(IniPath());
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 3), dimension);
        if (dimension == 2)
            return;
        QCOMPARE(WriteError([&] { ini.WriteInteger("Coord", "Dim", 4); }),
            "Unable to write to " + IniPath().toStdString() + ": Larger than 16 MiB");
        QCOMPARE(Extent(IniPath()), before);
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(head.size()), head);
    }

    void writeFailureNamesTheReason_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << "read-only file"
                                        << "Permission denied";
        QTest::newRow("read-only folder, no file") << "read-only folder"
                                                   << "Its folder cannot be written";
        QTest::newRow("named pipe in place of the file") << "named pipe"
                                                         << "Not a plain file";
        QTest::newRow("file-size limit") << "size limit"
                                         << "File too large";
    }

    void writeFailureNamesTheReason()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner;
        const QByteArray before = "[Coord]\nDim=3\n;" + QByteArray(100, '-') + '\n';
        if (obstacle == "named pipe")
            QCOMPARE(mkfifo(QFile::encodeName(IniPath()).constData(), 0600), 0);
        else if (obstacle != "read-only folder")
            WriteBytes(IniPath(), before);
        if (obstacle == "read-only file")
            QVERIFY(QFile::setPermissions(IniPath(), QFile::ReadOwner));
        if (obstacle == "read-only folder")
            QVERIFY(QFile::setPermissions(Folder(), readOnly));
        IniFile ini(IniPath());
        std::string error;
        {
            const FileSizeLimit limit(obstacle == "size limit" ? 64 : RLIM_INFINITY);
            error = WriteError([&] { ini.WriteString("Language", "CommonLangExt", "deu"); });
        }
        QVERIFY(QFile::setPermissions(Folder(), readOnly | QFile::WriteOwner));
        QCOMPARE(QString::fromStdString(error),
            QStringLiteral("Unable to write to %1: %2").arg(IniPath(), reason));
        if (obstacle == "read-only file" || obstacle == "size limit")
            QCOMPARE(ReadBytes(IniPath()), before);
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
            obstacle == "read-only folder" ? 0 : 1);
    }

    void staleTemporaries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("removed");
        QTest::newRow("left by a killed writer") << ".Tralmain.ini-a1B2c3.tmp" << true;
        QTest::newRow("the user's backup") << "Tralmain.ini.backup" << false;
        QTest::newRow("another file's temporary") << ".Other.ini-a1B2c3.tmp" << false;
        QTest::newRow("one letter short") << ".Tralmain.ini-a1B2c.tmp" << false;
        QTest::newRow("not letters or digits") << ".Tralmain.ini-a1B2c_.tmp" << false;
        QTest::newRow("other ending") << ".Tralmain.ini-a1B2c3.txt" << false;
        QTest::newRow("a folder of that name") << ".Tralmain.ini-folder.tmp/" << false;
    }

    void staleTemporaries()
    {
        QFETCH(QString, entry);
        QFETCH(bool, removed);
        WriteBytes(IniPath(), "[Coord]\nDim=2\n");
        const QString path = dir_->filePath(entry);
        if (entry.endsWith('/'))
            QVERIFY(QDir().mkdir(path));
        else
            WriteBytes(path, "[Coord]\nDim=4\n");
        IniFile(IniPath()).RemoveStaleTemporaries();
        QCOMPARE(!QFileInfo::exists(path), removed);
        QCOMPARE(ReadBytes(IniPath()), QByteArray("[Coord]\nDim=2\n"));
    }

    void temporaryOfARunningWriterStays()
    {
        // Another copy holds the lock and its temporary, which it renames
        // over the file a moment later; the clean-up of a starting copy runs
        // meanwhile and must leave that temporary alone.
        WriteBytes(IniPath(), "[Coord]\nDim=2\n");
        const QString temporary = dir_->filePath(QStringLiteral(".Tralmain.ini-Writer.tmp"));
        WriteBytes(temporary, "[Coord]\nDim=4\n");
        const int held = open(QFile::encodeName(IniPath()).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(held >= 0);
        QCOMPARE(flock(held, LOCK_EX), 0);
        bool renamed = false;
        std::thread writer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            renamed = std::rename(QFile::encodeName(temporary).constData(),
                          QFile::encodeName(IniPath()).constData())
                == 0;
            close(held);
        });
        IniFile(IniPath()).RemoveStaleTemporaries();
        writer.join();
        QVERIFY(renamed);
        QCOMPARE(ReadBytes(IniPath()), QByteArray("[Coord]\nDim=4\n"));
    }

    void longPaths_data()
    {
        QTest::addColumn<int>("nameBytes");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("pathBytes");
        // The longest name one folder entry may have, and the longest path.
        QTest::newRow("longest name") << NAME_MAX << "T" << 0;
        QTest::newRow("longest name in two-byte letters") << NAME_MAX - 1 << "é" << 0;
        QTest::newRow("path near the limit") << 40 << "T" << PATH_MAX - 2;
    }

    void longPaths()
    {
        QFETCH(int, nameBytes);
        QFETCH(QString, letter);
        QFETCH(int, pathBytes);
        QString folder = Folder();
        while (QFile::encodeName(folder).size() + 201 + 12 + nameBytes < pathBytes)
            folder += '/' + QString(200, 'f');
        if (pathBytes > 0) {
            const int rest = pathBytes - nameBytes - int(QFile::encodeName(folder).size()) - 2;
            folder += '/' + QString(rest, 'g');
            QVERIFY(QDir().mkpath(folder));
        }
        const int letterBytes = int(letter.toUtf8().size());
        const QString name = letter.repeated((nameBytes - 4) / letterBytes) + ".ini";
        const QString path = folder + '/' + name;
        QCOMPARE(QFile::encodeName(name).size(), nameBytes);
        if (pathBytes > 0)
            QCOMPARE(QFile::encodeName(path).size(), pathBytes);
        IniFile(path).WriteInteger("Coord", "Dim", 2);
        IniFile(path).WriteString("Language", "CommonLangExt", "deu");
        IniFile ini(path);
        QCOMPARE(ini.ReadInteger("Coord", "Dim", 3), 2);
        QCOMPARE(ini.ReadString("Language", "CommonLangExt", ""), std::string("deu"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList { name });
    }
};

TRALTO_TEST(IniFileTest);
#include "IniFileTest.moc"
