// The application object as the program makes it: a write the system refuses
// (the file-size limit, a read-only file) is one failed write, shown once with
// its reason, not a killed program.
// Its own test program, since it needs the one TApplication of the process.

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <vector>

#include "app/Application.h"
#include "app/Mainform.h"
#include "tests/ProgramFolder.h"
#include "widgets/Messageboxes.h"

namespace {

// Lowers the soft file-size limit of this process for its lifetime.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        valid_ = getrlimit(RLIMIT_FSIZE, &previous_) == 0;
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        valid_ = valid_ && setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (valid_)
            setrlimit(RLIMIT_FSIZE, &previous_);
    }
    bool IsValid() const { return valid_; }

private:
    rlimit previous_ {};
    bool valid_ = false;
};

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void fileSizeSignalIsIgnored()
    {
        struct sigaction action
        {
        };
        QCOMPARE(sigaction(SIGXFSZ, nullptr, &action), 0);
        QVERIFY(action.sa_handler == SIG_IGN);
    }

    void exitWithAFailedWriteShowsOneReason_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        // A settings file larger than the limit: every write at the end of
        // the run fails.
        QTest::newRow("file-size limit") << "size limit"
                                         << "File too large";
        QTest::newRow("read-only file") << "read-only file"
                                        << "Permission denied";
        // The file was made writable for this: it is written where it is.
        QTest::newRow("writable file in a read-only folder") << "read-only folder"
                                                             << "";
    }

    void exitWithAFailedWriteShowsOneReason()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        ProgramFolder folder;
        QVERIFY(folder.IsValid());
        const QByteArray old = "[Language]\nCommonLangExt=deu\n;" + QByteArray(8192, '-') + '\n';
        QVERIFY(folder.WriteSettings(old));
        const QString programFolder = QFileInfo(folder.ProgramPath()).absolutePath();
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner;
        if (obstacle == "read-only file")
            QVERIFY(QFile::setPermissions(folder.SettingsPath(), QFile::ReadOwner));
        if (obstacle == "read-only folder")
            QVERIFY(QFile::setPermissions(programFolder, readOnly));
        std::vector<MessageBoxes::Box> boxes;
        MessageBoxes::SetPresenter(
            [&boxes](QWidget*, const MessageBoxes::Box& box) { boxes.push_back(box); });
        {
            FileSizeLimit limit(obstacle == "size limit" ? 4096 : RLIM_INFINITY);
            QVERIFY(limit.IsValid());
            {
                TMainForm form(folder.ProgramPath());
                form.show();
                QVERIFY(QTest::qWaitForWindowExposed(&form));
            }
        }
        MessageBoxes::SetPresenter({});
        QVERIFY(QFile::setPermissions(programFolder, readOnly | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(folder.SettingsPath(), QFile::ReadOwner | QFile::WriteOwner));
        if (reason.isEmpty()) {
            QCOMPARE(boxes.size(), size_t(0));
            QVERIFY(folder.ReadSettings().startsWith(old + "\n[Coord]\nDim=3\n"));
            return;
        }
        QCOMPARE(boxes.size(), size_t(1));
        QCOMPARE(boxes[0].text,
            QStringLiteral("Unable to write to %1: %2.").arg(folder.SettingsPath(), reason));
        QCOMPARE(folder.ReadSettings(), old);
    }
};

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
