// A glyph library that loads and carries the right names, but whose bitmaps
// do not decode to the size and depth of the symbols: each such symbol comes
// from the program's own copy, and a sound one still from the library.

#include "glyphs/Glyphlookup.h"
#include "tests/TestMain.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

class DamagedGlyphbankTest : public QObject
{
    Q_OBJECT

    QTemporaryDir programFolder_;
    GlyphbankHandle glyphbank_;

private slots:
    void initTestCase()
    {
        QVERIFY(programFolder_.isValid());
        QVERIFY(QFile::copy(QStringLiteral(TRALTO_DAMAGED_FILE),
            programFolder_.filePath(QString::fromLatin1(GlyphbankFileName))));
        glyphbank_ = LoadGlyphbank(programFolder_.path());
        QVERIFY(!glyphbank_.IsEmpty());
        QVERIFY(QFile::exists(QStringLiteral(":/glyphbank/ALLG_PHI.bmp")));
    }

    void damagedSymbolsComeFromTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("no bitmap at all") << "Allg_phi"
                                          << ":/glyphs/ALLG_PHI.bmp";
        QTest::newRow("size and depth of another symbol") << "Allg_teta"
                                                          << ":/glyphs/ALLG_TETA.bmp";
        QTest::newRow("right size, depth of another symbol") << "allg_a"
                                                             << ":/glyphs/ALLG_A.bmp";
        QTest::newRow("sound symbol") << "Allg_b"
                                      << ":/glyphbank/ALLG_B.bmp";
        QTest::newRow("missing in the library") << "Allg_c"
                                                << ":/glyphs/ALLG_C.bmp";
    }

    void damagedSymbolsComeFromTheProgram()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(GlyphResourcePath(glyphbank_, name), path);
        const QImage bitmap = LoadGlyphBitmap(glyphbank_, name);
        QVERIFY(!bitmap.isNull());
        QCOMPARE(bitmap, QImage(path.replace(QStringLiteral(":/glyphbank/"), ":/glyphs/")));
    }
};

TRALTO_TEST(DamagedGlyphbankTest);
#include "DamagedGlyphbankTest.moc"
