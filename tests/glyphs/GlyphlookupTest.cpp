// Finding a bitmap by name: in the glyph library beside the program when it
// is there and sound, else among the program's own copies; and the
// transparent paper of the shown images.

#include "glyphs/Glyphlookup.h"
#include "tests/TestMain.h"
#include "tests/glyphs/GlyphbankFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray RandomBytes(int count, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(count, '\0');
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

} // namespace

class GlyphlookupTest : public QObject
{
    Q_OBJECT

private slots:
    void loadsLibraryFromProgramFolder()
    {
        const GlyphbankHandle glyphbank = LoadGlyphbank(GlyphbankFolder());
        QVERIFY(!glyphbank.IsEmpty());
        // Each window loads it again; the second handle is as good as the first.
        QVERIFY(!LoadGlyphbank(GlyphbankFolder()).IsEmpty());
    }

    void lookupIgnoresCase_data()
    {
        QTest::addColumn<bool>("withLibrary");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        const QString phiInLibrary = QStringLiteral(":/glyphbank/ALLG_PHI.bmp");
        const QString phiInProgram = QStringLiteral(":/glyphs/ALLG_PHI.bmp");
        QTest::newRow("library, as the windows ask") << true << "Allg_phi" << phiInLibrary;
        QTest::newRow("library, mixed case") << true << "allg_PHI" << phiInLibrary;
        QTest::newRow("library, capitals") << true << "ALLG_PHI" << phiInLibrary;
        QTest::newRow("library, theta") << true << "Allg_teta"
                                        << ":/glyphbank/ALLG_TETA.bmp";
        QTest::newRow("library, index") << true << "allg_h_a"
                                        << ":/glyphbank/ALLG_H_A.bmp";
        QTest::newRow("program, as the windows ask") << false << "Allg_phi" << phiInProgram;
        QTest::newRow("program, mixed case") << false << "allg_PHI" << phiInProgram;
        QTest::newRow("program, diagram") << false << "Coord_KugelZ3"
                                          << ":/glyphs/COORD_KUGELZ3.bmp";
        QTest::newRow("diagram, lacking in the library") << true << "Coord_2D"
                                                         << ":/glyphs/COORD_2D.bmp";
        QTest::newRow("cylinder, lacking in the library") << true << "coord_zylinder3"
                                                          << ":/glyphs/COORD_ZYLINDER3.bmp";
        QTest::newRow("unknown name") << true << "Allg_omega" << QString();
        QTest::newRow("empty name") << false << "" << QString();
        QTest::newRow("with extension") << false << "ALLG_PHI.bmp" << QString();
        QTest::newRow("path out of the folder") << true << "../glyphs/ALLG_PHI" << QString();
        QTest::newRow("trailing space") << false << "ALLG_PHI " << QString();
    }

    void lookupIgnoresCase()
    {
        QFETCH(bool, withLibrary);
        QFETCH(QString, name);
        QFETCH(QString, path);
        const GlyphbankHandle glyphbank
            = withLibrary ? LoadGlyphbank(GlyphbankFolder()) : GlyphbankHandle();
        QCOMPARE(glyphbank.IsEmpty(), !withLibrary);
        QCOMPARE(GlyphResourcePath(glyphbank, name), path);
        const QImage bitmap = LoadGlyphBitmap(glyphbank, name);
        QCOMPARE(bitmap.isNull(), path.isEmpty());
        if (!path.isEmpty())
            QCOMPARE(bitmap, QImage(path));
    }

    void unusableLibraryFallsBackToProgram_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("random bytes") << "random";
        QTest::newRow("ELF signature, then garbage") << "elf";
        QTest::newRow("library without bitmaps") << "impostor";
        QTest::newRow("folder of that name") << "folder";
        QTest::newRow("program folder missing") << "no folder";
    }

    void unusableLibraryFallsBackToProgram()
    {
        QFETCH(QString, kind);
        QTemporaryDir programFolder;
        QVERIFY(programFolder.isValid());
        const QString library = programFolder.filePath(QString::fromLatin1(GlyphbankFileName));
        if (kind == QLatin1String("empty"))
            QVERIFY(WriteFile(library, QByteArray()));
        else if (kind == QLatin1String("random"))
            QVERIFY(WriteFile(library, RandomBytes(8192, 1)));
        else if (kind == QLatin1String("elf"))
            QVERIFY(WriteFile(library,
                QByteArray("\x7f"
                           "ELF\x02\x01\x01",
                    7)
                    + RandomBytes(8192, 2)));
        else if (kind == QLatin1String("impostor"))
            QVERIFY(QFile::copy(QStringLiteral(TRALTO_IMPOSTOR_FILE), library));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir(programFolder.path()).mkdir(QString::fromLatin1(GlyphbankFileName)));
        const QString folder = kind == QLatin1String("no folder")
            ? programFolder.filePath(QStringLiteral("gone"))
            : programFolder.path();

        const GlyphbankHandle glyphbank = LoadGlyphbank(folder);
        QVERIFY(glyphbank.IsEmpty());
        QCOMPARE(GlyphResourcePath(glyphbank, QStringLiteral("Allg_phi")),
            QStringLiteral(":/glyphs/ALLG_PHI.bmp"));
        QCOMPARE(GlyphResourcePath(glyphbank, QStringLiteral("Allg_teta")),
            QStringLiteral(":/glyphs/ALLG_TETA.bmp"));
        QCOMPARE(LoadGlyphBitmap(glyphbank, QStringLiteral("Allg_phi")).size(), QSize(16, 16));
    }

    void nothingToShowStaysNull()
    {
        QVERIFY(InkedBitmap(QImage(), Qt::black).isNull());
        QVERIFY(LoadDenseGlyphBitmap(QStringLiteral("../glyphs/ALLG_PHI"), 2).isNull());
        QVERIFY(LoadDenseGlyphBitmap(QStringLiteral("ALLG_A"), 2).isNull());
    }

    void inkOverWhiteIsTheBitmap_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dense");
        QTest::newRow("grey-edged symbol") << "ALLG_PHI" << false;
        QTest::newRow("black and white symbol") << "ALLG_TETA" << false;
        QTest::newRow("red symbol") << "ALLG_AVECRED" << false;
        QTest::newRow("coloured diagram") << "COORD_2D" << false;
        QTest::newRow("dense symbol") << "ALLG_TETA" << true;
        QTest::newRow("dense coloured diagram") << "COORD_2D" << true;
        QTest::newRow("dense grey diagram") << "COORD_ZYLINDER3" << true;
    }

    void inkOverWhiteIsTheBitmap()
    {
        // Black ink on a transparent sheet, laid over white paper again,
        // gives the bitmap back: nothing is lost or shifted by the sheet.
        QFETCH(QString, name);
        QFETCH(bool, dense);
        const QImage bitmap
            = dense ? LoadDenseGlyphBitmap(name, 2) : LoadGlyphBitmap(GlyphbankHandle(), name);
        QVERIFY(!bitmap.isNull());
        const QImage inked = InkedBitmap(bitmap, Qt::black);
        QCOMPARE(inked.size(), bitmap.size());
        QImage onWhite(bitmap.size(), QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        QPainter(&onWhite).drawImage(0, 0, inked);
        int transparent = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb expected = bitmap.pixel(x, y);
                const QRgb shown = onWhite.pixel(x, y);
                // One step of rounding per channel: coverage and colour are
                // whole numbers.
                QVERIFY2(std::abs(qRed(shown) - qRed(expected)) <= 2
                        && std::abs(qGreen(shown) - qGreen(expected)) <= 2
                        && std::abs(qBlue(shown) - qBlue(expected)) <= 2,
                    qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                transparent += qAlpha(inked.pixel(x, y)) == 0 ? 1 : 0;
            }
        }
        QVERIFY(transparent > 0);
    }

    void lightInkForADarkPalette()
    {
        // On a dark palette the lines take the light text colour; no black
        // is left that would vanish on the dark background, and the
        // coloured lines of the plane stay coloured.
        const QColor ink(230, 230, 230);
        for (const char* name : { "COORD_KUGELZ3", "ALLG_PHI", "COORD_2D" }) {
            const QImage inked
                = InkedBitmap(LoadGlyphBitmap(GlyphbankHandle(), QLatin1String(name)), ink);
            int inkPixels = 0;
            int coloured = 0;
            for (int y = 0; y < inked.height(); ++y) {
                for (int x = 0; x < inked.width(); ++x) {
                    const QColor pixel = QColor::fromRgba(inked.pixel(x, y));
                    if (pixel.alpha() == 0)
                        continue;
                    QVERIFY2(pixel.lightness() > 128, name);
                    inkPixels += pixel.rgb() == ink.rgb() ? 1 : 0;
                    coloured += pixel.hsvSaturation() > 64 ? 1 : 0;
                }
            }
            QVERIFY2(inkPixels > 0, name);
            QCOMPARE(coloured > 0, QByteArray(name) == "COORD_2D");
        }
    }
};

TRALTO_TEST(GlyphlookupTest);
#include "GlyphlookupTest.moc"
