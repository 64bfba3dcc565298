// A glyph library cut short (an interrupted copy, a full disk) is not loaded:
// the windows show the program's own symbols, as without a library. Each
// load runs in a child process, so that a load that kills the process fails
// one row instead of the test program. Its own test program: the library is
// never loaded in the parent, so every child loads it afresh.

#include "glyphs/Glyphlookup.h"
#include "tests/TestMain.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int LoadedStatus = 10;

// How a child that loads the library from folder ends: its exit status
// (LoadedStatus when it got the library, 0 when it fell back to the
// program's copies), or -signal when a signal killed it.
int LoadInChild(const QString& folder)
{
    const pid_t child = fork();
    if (child == 0) {
        const GlyphbankHandle glyphbank = LoadGlyphbank(folder);
        const bool symbolShown
            = LoadGlyphBitmap(glyphbank, QStringLiteral("Allg_phi")).size() == QSize(16, 16);
        _exit(!symbolShown ? 1 : glyphbank.IsEmpty() ? 0 : LoadedStatus);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -1000;
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace

class CutShortGlyphbankTest : public QObject
{
    Q_OBJECT

private slots:
    void cutShortLibraryIsNotLoaded_data()
    {
        QTest::addColumn<qint64>("keep");
        QTest::addColumn<int>("status");
        // Bytes kept from the start; a negative count is what remains when
        // that many bytes are cut from the end.
        QTest::newRow("whole library") << qint64(0) << LoadedStatus;
        QTest::newRow("header cut") << qint64(40) << 0;
        QTest::newRow("header only") << qint64(64) << 0;
        QTest::newRow("1,000 bytes") << qint64(1000) << 0;
        QTest::newRow("4,096 bytes") << qint64(4096) << 0;
        QTest::newRow("20,000 bytes") << qint64(20000) << 0;
        QTest::newRow("40,000 bytes") << qint64(40000) << 0;
        QTest::newRow("65,000 bytes") << qint64(65000) << 0;
        QTest::newRow("all but the last byte") << qint64(-1) << 0;
    }

    void cutShortLibraryIsNotLoaded()
    {
        QFETCH(qint64, keep);
        QFETCH(int, status);
        QFile built(QStringLiteral(TRALTO_GLYPHBANK_FILE));
        QVERIFY(built.open(QIODevice::ReadOnly));
        QByteArray bytes = built.readAll();
        QVERIFY(bytes.size() > 65000);
        if (keep != 0)
            bytes.truncate(keep > 0 ? keep : bytes.size() + keep);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile library(folder.filePath(QString::fromLatin1(GlyphbankFileName)));
        QVERIFY(library.open(QIODevice::WriteOnly));
        QCOMPARE(library.write(bytes), bytes.size());
        library.close();
        QCOMPARE(LoadInChild(folder.path()), status);
    }
};

TRALTO_TEST(CutShortGlyphbankTest);
#include "CutShortGlyphbankTest.moc"
