#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>

#include "format/Formater.h"
#include "settings/Globalobjects.h"
#include "settings/IniFile.h"
#include "tests/FileBytes.h"
#include "tests/ForkedCopies.h"
#include "tests/TestMain.h"

namespace {

const QFile::Permissions ReadOnly
    = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
const QFile::Permissions Writable = ReadOnly | QFile::WriteOwner;

// Sets an environment variable for as long as it lives; a null value unsets it.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name)
        , previous_(qgetenv(name))
        , wasSet_(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (wasSet_)
            qputenv(name_, previous_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray previous_;
    bool wasSet_;
};

} // namespace

class GlobalobjectsTest : public QObject
{
    Q_OBJECT

    // A fresh program folder for every test function.
    std::unique_ptr<QTemporaryDir> dir_;

    QString ProgramPath() const { return dir_->filePath(QStringLiteral("Tralmain")); }
    QString IniPath() const { return dir_->filePath(QStringLiteral("Tralmain.ini")); }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        // The format settings are process-wide; every test starts elsewhere
        // than the defaults, so that reading them is seen.
        SetFormatKind(-7);
        SetPrecision(-7);
        SetDigits(-7);
    }

    void settingsFilePath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << "/opt/tralto/Tralmain"
                                      << "/opt/tralto/Tralmain.ini";
        QTest::newRow("extension replaced") << "/opt/tralto/Tralmain.exe"
                                            << "/opt/tralto/Tralmain.ini";
        QTest::newRow("last extension only") << "/opt/Tralmain.tar.gz"
                                             << "/opt/Tralmain.tar.ini";
        QTest::newRow("dot in a folder name") << "/opt/tra.lto/Tralmain"
                                              << "/opt/tra.lto/Tralmain.ini";
        QTest::newRow("trailing dot") << "/opt/Tralmain."
                                      << "/opt/Tralmain.ini";
        QTest::newRow("relative path made absolute")
            << "bin/Tralmain"
            << QDir::current().absoluteFilePath(QStringLiteral("bin/Tralmain.ini"));
    }

    void settingsFilePath()
    {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QCOMPARE(SettingsFilePath(program), expected);
    }

    void opensTheFileBesideTheProgram()
    {
        globalObjects objects(ProgramPath());
        QCOMPARE(objects.Settings().Path(), IniPath());
        QCOMPARE(objects.LanguageFolder(), dir_->filePath(QStringLiteral("language")));
    }

    void startRemovesWhatAKilledWriteLeft()
    {
        WriteBytes(IniPath(), "[Formater]\nPrecision=7\n");
        const QString temporary = dir_->filePath(QStringLiteral(".Tralmain.ini-Killed.tmp"));
        WriteBytes(temporary, "[Formater]\nPrecision=");
        globalObjects objects(ProgramPath());
        QVERIFY(!QFile::exists(temporary));
        QCOMPARE(GetPrecision(), 7);
    }

    void readsTheFormatAtCreation()
    {
        WriteBytes(IniPath(), "[formater]\nFormat=2\nPRECISION=0x0C\nDigits=$3\n");
        globalObjects objects(ProgramPath());
        QCOMPARE(static_cast<int>(GetFormatKind()), 2);
        QCOMPARE(GetPrecision(), 12);
        QCOMPARE(GetDigits(), 3);
    }

    void formatDefaultsWithoutFile()
    {
        {
            globalObjects objects(ProgramPath());
            QCOMPARE(static_cast<int>(GetFormatKind()), 0);
            QCOMPARE(GetPrecision(), 5);
            QCOMPARE(GetDigits(), 1);
        }
        // A normal end leaves the file holding the format.
        QCOMPARE(ReadBytes(IniPath()), QByteArray("[Formater]\nFormat=0\nPrecision=5\nDigits=1\n"));
    }

    void writesTheFormatAtDestruction()
    {
        const QByteArray before = "; Tralto\n[Coord]\nDim=2\n[Language]\nCommonLangExt=deu\n";
        WriteBytes(IniPath(), before);
        {
            globalObjects objects(ProgramPath());
            SetFormatKind(3);
            SetPrecision(7);
            SetDigits(2);
            // Nothing is written while the object lives.
            QCOMPARE(ReadBytes(IniPath()), before);
        }
        QCOMPARE(ReadBytes(IniPath()), before + "\n[Formater]\nFormat=3\nPrecision=7\nDigits=2\n");
    }

    void codeTable_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::newRow("deu") << "deu" << 102;
        QTest::newRow("enu") << "enu" << 103;
        QTest::newRow("esr") << "esr" << 104;
        QTest::newRow("ita") << "ita" << 105;
        QTest::newRow("ptb") << "ptb" << 106;
        QTest::newRow("other case is another code") << "DEU" << 103;
        QTest::newRow("unknown code") << "fra" << 103;
        QTest::newRow("longer than a code") << "deutsch" << 103;
        QTest::newRow("empty") << "" << 103;
    }

    void codeTable()
    {
        QFETCH(QString, code);
        QFETCH(int, number);
        globalObjects objects(ProgramPath());
        QCOMPARE(objects.LanguageTextNumber(code), number);
    }

    void failedFormatWriteIsReportedNotThrown()
    {
        // A folder where the settings file should be: every write fails.
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("Tralmain.ini")));
        std::vector<std::string> messages;
        {
            globalObjects objects(ProgramPath());
            objects.SetSettingsErrorHandler(
                [&messages](const std::string& message) { messages.push_back(message); });
        }
        QCOMPARE(messages,
            std::vector<std::string> {
                "Unable to write to " + IniPath().toStdString() + ": Is a directory" });
    }

    void settingsLocation_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("configKnown");
        QTest::addColumn<bool>("perUser");
        QTest::newRow("writable folder, no file") << true << "none" << true << false;
        QTest::newRow("writable folder, read-only file") << true << "read-only" << true << false;
        QTest::newRow("read-only folder, no file") << false << "none" << true << true;
        QTest::newRow("read-only folder, writable file") << false << "writable" << true << false;
        QTest::newRow("read-only folder, read-only file") << false << "read-only" << true << true;
        QTest::newRow("read-only folder, folder in place of the file")
            << false << "folder" << true << true;
        QTest::newRow("read-only folder, no home") << false << "none" << false << false;
    }

    void settingsLocation()
    {
        QFETCH(bool, folderWritable);
        QFETCH(QString, file);
        QFETCH(bool, configKnown);
        QFETCH(bool, perUser);
        const QString program = dir_->filePath(QStringLiteral("program"));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("program")));
        const QString beside = program + QStringLiteral("/Tralmain.ini");
        if (file == "folder")
            QVERIFY(QDir(program).mkdir(QStringLiteral("Tralmain.ini")));
        else if (file != "none") {
            WriteBytes(beside, "[Coord]\nDim=2\n");
            QVERIFY(QFile::setPermissions(beside, file == "writable" ? Writable : ReadOnly));
        }
        QVERIFY(QFile::setPermissions(program, folderWritable ? Writable : ReadOnly));
        const QString config = configKnown ? dir_->filePath(QStringLiteral("config")) : QString();
        const QString location = SettingsLocation(program + QStringLiteral("/Tralmain"), config);
        QVERIFY(QFile::setPermissions(program, Writable));
        QCOMPARE(location, perUser ? config + QStringLiteral("/tralto/Tralmain.ini") : beside);
    }

    void noSettingsFileBelowUsr()
    {
        // Where packages install. Run by root, /usr/bin passes the check of
        // the folder's mode, and still nothing may be written there.
        const QString config = dir_->filePath(QStringLiteral("config"));
        QCOMPARE(SettingsLocation(QStringLiteral("/usr/bin/Tralmain"), config),
            config + QStringLiteral("/tralto/Tralmain.ini"));
    }

    void readOnlyProgramFolderKeepsSettingsPerUser()
    {
        // The installed program: nothing is written beside it; the user's
        // settings go to a folder of their own, made on the first write, and
        // are read back on the next start.
        const QString program = dir_->filePath(QStringLiteral("program"));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("program")));
        QVERIFY(QFile::setPermissions(program, ReadOnly));
        const QString config = dir_->filePath(QStringLiteral("home/.config"));
        const QString perUser = config + QStringLiteral("/tralto/Tralmain.ini");
        {
            globalObjects objects(program + QStringLiteral("/Tralmain"), config);
            QCOMPARE(objects.Settings().Path(), perUser);
            SetPrecision(9);
        }
        QCOMPARE(ReadBytes(perUser), QByteArray("[Formater]\nFormat=0\nPrecision=9\nDigits=1\n"));
        QCOMPARE(QFile::permissions(config + QStringLiteral("/tralto"))
                & (QFile::ReadGroup | QFile::ReadOther),
            QFile::Permissions());
        SetPrecision(-7);
        {
            globalObjects objects(program + QStringLiteral("/Tralmain"), config);
            QCOMPARE(GetPrecision(), 9);
        }
        QVERIFY(QFile::setPermissions(program, Writable));
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
    }

    void userConfigFolder_data()
    {
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("expected");
        QTest::newRow("XDG_CONFIG_HOME") << QByteArray("/x/conf") << QByteArray("/h") << "/x/conf";
        QTest::newRow("XDG_CONFIG_HOME cleaned")
            << QByteArray("/x//conf/") << QByteArray("/h") << "/x/conf";
        QTest::newRow("unset: home") << QByteArray() << QByteArray("/h") << "/h/.config";
        QTest::newRow("empty: home") << QByteArray("") << QByteArray("/h") << "/h/.config";
        QTest::newRow("relative is ignored")
            << QByteArray("conf") << QByteArray("/h") << "/h/.config";
        QTest::newRow("relative home") << QByteArray() << QByteArray("h") << "";
    }

    void userConfigFolder()
    {
        QFETCH(QByteArray, configHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, expected);
        const ScopedVariable configVariable("XDG_CONFIG_HOME", configHome);
        const ScopedVariable homeVariable("HOME", home);
        QCOMPARE(UserConfigFolder(), expected);
    }

    void folderNamedInAnyEncoding_data()
    {
        QTest::addColumn<QByteArray>("folderName");
        QTest::newRow("ASCII") << QByteArray("Tralto");
        QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9");
        QTest::newRow("Latin-1") << QByteArray("Caf\xE9");
        QTest::newRow("no text at all") << QByteArray("\xFF\xFE\x80");
    }

    void folderNamedInAnyEncoding()
    {
        // The program's folder as the system names it: the settings are
        // written beside the program and read back on the next start, and a
        // message shows the folder as near as text can.
        QFETCH(QByteArray, folderName);
        const QByteArray folder = QFile::encodeName(dir_->path()) + '/' + folderName;
        QCOMPARE(mkdir(folder.constData(), 0700), 0);
        const QString program = ReachablePath(folder + "/Tralmain");
        {
            globalObjects objects(program, dir_->filePath(QStringLiteral("config")));
            QCOMPARE(
                ShownPath(objects.Settings().Path()), QFile::decodeName(folder + "/Tralmain.ini"));
            SetPrecision(11);
        }
        struct stat status
        {
        };
        QCOMPARE(stat((folder + "/Tralmain.ini").constData(), &status), 0);
        QCOMPARE(qint64(status.st_size),
            qint64(sizeof "[Formater]\nFormat=0\nPrecision=11\nDigits=1\n" - 1));
        SetPrecision(-7);
        globalObjects objects(program, dir_->filePath(QStringLiteral("config")));
        QCOMPARE(GetPrecision(), 11);
        QVERIFY(!QFileInfo::exists(dir_->filePath(QStringLiteral("config"))));
    }

    void copiesClosingAtOnceKeepEveryChange_data()
    {
        QTest::addColumn<QList<int>>("changes");
        // One entry a copy: the format value it changes (0 Format, 1
        // Precision, 2 Digits), or -1 for none.
        QTest::newRow("two copies, one changes") << QList<int> { -1, 1 };
        QTest::newRow("ten copies, three change one value each")
            << QList<int> { -1, 0, -1, -1, 1, -1, -1, 2, -1, -1 };
    }

    void copiesClosingAtOnceKeepEveryChange()
    {
        QFETCH(QList<int>, changes);
        for (int round = 0; round < 5; ++round) {
            WriteBytes(IniPath(), "[Formater]\nFormat=1\nPrecision=6\nDigits=2\n");
            // Every copy reads the file at its start, then all end at once.
            QVERIFY(RunCopies(int(changes.size()), [&](int copy, const auto& waitForAll) {
                globalObjects objects(ProgramPath());
                waitForAll();
                if (changes[copy] == 0)
                    SetFormatKind(2);
                if (changes[copy] == 1)
                    SetPrecision(9);
                if (changes[copy] == 2)
                    SetDigits(3);
                return true;
            }));
            IniFile ini(IniPath());
            QCOMPARE(ini.ReadInteger("Formater", "Format", 0), changes.contains(0) ? 2 : 1);
            QCOMPARE(ini.ReadInteger("Formater", "Precision", 0), changes.contains(1) ? 9 : 6);
            QCOMPARE(ini.ReadInteger("Formater", "Digits", 0), changes.contains(2) ? 3 : 2);
        }
    }

    void throwingErrorHandlerDoesNotEscape()
    {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("Tralmain.ini")));
        int calls = 0;
        {
            globalObjects objects(ProgramPath());
            objects.SetSettingsErrorHandler([&calls](const std::string&) {
                ++calls;
                throw std::runtime_error("handler failed");
            });
        }
        QCOMPARE(calls, 1);
    }
};

TRALTO_TEST(GlobalobjectsTest);
#include "GlobalobjectsTest.moc"
