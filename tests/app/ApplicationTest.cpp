// The application object as the program makes it: a write the system refuses
// because of the file-size limit is a failed write, not a killed program.
// Its own test program, since it needs the one TApplication of the process.

#include <QFile>
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

    void exitPastTheSizeLimitShowsTheFailedWrite()
    {
        // A settings file larger than the limit: every write at the end of
        // the run fails; the failure is shown, the file stays as it was.
        ProgramFolder folder;
        QVERIFY(folder.IsValid());
        const QByteArray old = "[Language]\nCommonLangExt=deu\n;" + QByteArray(8192, '-') + '\n';
        QVERIFY(folder.WriteSettings(old));
        std::vector<MessageBoxes::Box> boxes;
        MessageBoxes::SetPresenter(
            [&boxes](QWidget*, const MessageBoxes::Box& box) { boxes.push_back(box); });
        {
            FileSizeLimit limit(4096);
            QVERIFY(limit.IsValid());
            {
                TMainForm form(folder.ProgramPath());
                form.show();
                QVERIFY(QTest::qWaitForWindowExposed(&form));
            }
        }
        MessageBoxes::SetPresenter({});
        QVERIFY(!boxes.empty());
        for (const MessageBoxes::Box& box : boxes)
            QCOMPARE(box.text, "Unable to write to " + folder.SettingsPath() + '.');
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
