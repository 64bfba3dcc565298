// The bitmaps as the program and the glyph library carry them: sizes,
// depths and colour tables read straight from the file headers, and the
// library's copies byte for byte equal to the program's.

#include "glyphs/Glyphlookup.h"
#include "tests/TestMain.h"
#include "tests/glyphs/GlyphbankFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

struct BitmapHeader
{
    bool valid = false;
    QString problem;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int colours = 0;
};

quint32 U32(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 U16(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// Reads the file header and BITMAPINFOHEADER of an uncompressed,
// bottom-up bitmap and checks that the pieces add up to the file's size.
BitmapHeader ParseBitmap(const QByteArray& bytes)
{
    BitmapHeader header;
    if (bytes.size() < 54 || !bytes.startsWith("BM")) {
        header.problem = QStringLiteral("no bitmap file header");
        return header;
    }
    const quint32 fileSize = U32(bytes, 2);
    const quint32 pixelOffset = U32(bytes, 10);
    const quint32 infoSize = U32(bytes, 14);
    const qint32 width = qint32(U32(bytes, 18));
    const qint32 height = qint32(U32(bytes, 22));
    const quint16 planes = U16(bytes, 26);
    const quint16 bits = U16(bytes, 28);
    const quint32 compression = U32(bytes, 30);
    const quint32 coloursUsed = U32(bytes, 46);
    if (fileSize != quint32(bytes.size()) || U32(bytes, 6) != 0)
        header.problem
            = QStringLiteral("file size field %1, file %2").arg(fileSize).arg(bytes.size());
    else if (infoSize != 40 || planes != 1 || compression != 0)
        header.problem = QStringLiteral("not a plain 40-byte header, one plane, uncompressed");
    else if (width <= 0 || height <= 0)
        header.problem = QStringLiteral("rows not bottom-up or empty");
    else if (pixelOffset < 54 || (pixelOffset - 54) % 4 != 0)
        header.problem = QStringLiteral("colour table of odd size");
    if (!header.problem.isEmpty())
        return header;

    header.width = width;
    header.height = height;
    header.bitsPerPixel = bits;
    header.colours = int((pixelOffset - 54) / 4);
    if (coloursUsed != 0 && coloursUsed != quint32(header.colours)) {
        header.problem = QStringLiteral("%1 colours used, %2 in the table")
                             .arg(coloursUsed)
                             .arg(header.colours);
        return header;
    }
    const qint64 stride = ((qint64(width) * bits + 31) / 32) * 4;
    if (pixelOffset + stride * height != fileSize) {
        header.problem = QStringLiteral("pixel rows do not fill the file");
        return header;
    }
    header.valid = true;
    return header;
}

QByteArray ReadResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Format
{
    int width;
    int height;
    int bitsPerPixel;
};

// The table of the windows' symbols: name, size and depth.
const QList<QPair<QString, Format>>& SymbolFormats()
{
    static const QList<QPair<QString, Format>> formats = [] {
        QList<QPair<QString, Format>> list;
        for (const char* name :
            { "ALLG_A", "ALLG_ALPHA", "ALLG_B", "ALLG_BETA", "ALLG_C", "ALLG_D", "ALLG_DELTA",
                "ALLG_D_1", "ALLG_D_2", "ALLG_E", "ALLG_EPSILON", "ALLG_F", "ALLG_GAMMA", "ALLG_GG",
                "ALLG_G_1", "ALLG_G_2", "ALLG_H_A", "ALLG_H_B", "ALLG_H_C", "ALLG_MM", "ALLG_P",
                "ALLG_PHI", "ALLG_Q", "ALLG_R", "ALLG_RR", "ALLG_S", "ALLG_SS", "ALLG_S_B",
                "ALLG_S_C", "ALLG_UU", "ALLG_W_A", "ALLG_W_B", "ALLG_W_C" })
            list.append({ QString::fromLatin1(name), { 16, 16, 8 } });
        list.append({ QStringLiteral("ALLG_H"), { 16, 15, 8 } });
        list.append({ QStringLiteral("ALLG_AVECRED"), { 13, 18, 8 } });
        const QList<QPair<QString, Format>> monochrome = {
            { QStringLiteral("ALLG_AA"), { 16, 16, 1 } },
            { QStringLiteral("ALLG_S_A"), { 16, 16, 1 } },
            { QStringLiteral("ALLG_ROH"), { 16, 15, 1 } },
            { QStringLiteral("ALLG_TETA"), { 14, 18, 1 } },
            { QStringLiteral("ALLG_AVEC"), { 13, 18, 1 } },
            { QStringLiteral("ALLG_CVEC"), { 13, 18, 1 } },
            { QStringLiteral("ALLG_BVEC"), { 13, 22, 1 } },
            { QStringLiteral("ALLG_A1VEC"), { 17, 22, 1 } },
            { QStringLiteral("ALLG_A2VEC"), { 18, 22, 1 } },
            { QStringLiteral("ALLG_A3VEC"), { 17, 23, 1 } },
            { QStringLiteral("ALLG_B1VEC"), { 16, 25, 1 } },
            { QStringLiteral("ALLG_B2VEC"), { 17, 25, 1 } },
            { QStringLiteral("ALLG_B3VEC"), { 16, 26, 1 } },
            { QStringLiteral("ALLG_C1VEC"), { 16, 22, 1 } },
            { QStringLiteral("ALLG_C2VEC"), { 17, 22, 1 } },
            { QStringLiteral("ALLG_C3VEC"), { 17, 23, 1 } },
            { QStringLiteral("ALLG_D1VEC"), { 16, 25, 1 } },
            { QStringLiteral("ALLG_D2VEC"), { 17, 25, 1 } },
            { QStringLiteral("ALLG_D3VEC"), { 16, 26, 1 } },
            { QStringLiteral("ALLG_M1VEC"), { 20, 22, 1 } },
            { QStringLiteral("ALLG_M2VEC"), { 21, 22, 1 } },
            { QStringLiteral("ALLG_XVEC"), { 26, 36, 1 } },
        };
        list.append(monochrome);
        list.append({ QStringLiteral("ALLG_LEER"), { 8, 7, 24 } });
        list.append({ QStringLiteral("ALLG_NDACH"), { 15, 18, 24 } });
        return list;
    }();
    return formats;
}

const QList<QPair<QString, Format>>& DiagramFormats()
{
    static const QList<QPair<QString, Format>> formats = {
        { QStringLiteral("COORD_KUGELZ3"), { 99, 111, 1 } },
        { QStringLiteral("COORD_KUGEL3"), { 99, 111, 1 } },
        { QStringLiteral("COORD_ZYLINDER3"), { 112, 115, 1 } },
        { QStringLiteral("COORD_2D"), { 80, 72, 4 } },
    };
    return formats;
}

QSet<QString> BitmapFileNames(const QList<QPair<QString, Format>>& formats)
{
    QSet<QString> names;
    for (const auto& [name, format] : formats)
        names.insert(name + QStringLiteral(".bmp"));
    return names;
}

} // namespace

class GlyphFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The library's resources are registered once it is loaded.
        QVERIFY(!LoadGlyphbank(GlyphbankFolder()).IsEmpty());
    }

    void formatOfEveryBitmap_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bitsPerPixel");
        for (const auto& [name, format] : SymbolFormats() + DiagramFormats())
            QTest::newRow(qPrintable(name))
                << name << format.width << format.height << format.bitsPerPixel;
    }

    void formatOfEveryBitmap()
    {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bitsPerPixel);
        const QByteArray bytes
            = ReadResource(QStringLiteral(":/glyphs/") + name + QStringLiteral(".bmp"));
        QVERIFY2(!bytes.isEmpty(), "not among the program's resources");
        const BitmapHeader header = ParseBitmap(bytes);
        QVERIFY2(header.valid, qPrintable(header.problem));
        QCOMPARE(header.width, width);
        QCOMPARE(header.height, height);
        QCOMPARE(header.bitsPerPixel, bitsPerPixel);
        QCOMPARE(header.colours, bitsPerPixel == 24 ? 0 : 1 << bitsPerPixel);

        // And Qt reads it as what it claims to be.
        QImage image;
        QVERIFY(image.loadFromData(bytes, "BMP"));
        QCOMPARE(image.size(), QSize(width, height));
    }

    void programCarriesSymbolsAndDiagrams()
    {
        const QStringList entries = QDir(QStringLiteral(":/glyphs")).entryList(QDir::Files);
        const QSet<QString> carried(entries.begin(), entries.end());
        QCOMPARE(carried, BitmapFileNames(SymbolFormats()) | BitmapFileNames(DiagramFormats()));
    }

    void libraryCarriesTheSymbolsOnly()
    {
        const QStringList entries = QDir(QStringLiteral(":/glyphbank")).entryList(QDir::Files);
        const QSet<QString> carried(entries.begin(), entries.end());
        QSet<QString> expected = BitmapFileNames(SymbolFormats());
        expected << QStringLiteral("Glyphbank.version") << QStringLiteral("Glyphbank.ico");
        QCOMPARE(carried, expected);
    }

    void librarySymbolsEqualProgramCopies_data()
    {
        QTest::addColumn<QString>("name");
        for (const auto& [name, format] : SymbolFormats())
            QTest::newRow(qPrintable(name)) << name;
    }

    void librarySymbolsEqualProgramCopies()
    {
        QFETCH(QString, name);
        const QByteArray library
            = ReadResource(QStringLiteral(":/glyphbank/") + name + QStringLiteral(".bmp"));
        QVERIFY(!library.isEmpty());
        QCOMPARE(
            library, ReadResource(QStringLiteral(":/glyphs/") + name + QStringLiteral(".bmp")));
    }

    // The denser drawings: exactly the six pictures the windows show, each
    // twice the size of its plain bitmap, with the colours that smooth edges
    // need, and only among the program's resources.
    void denseDrawingsOfWhatTheWindowsShow()
    {
        const QStringList entries = QDir(QStringLiteral(":/glyphs/dense")).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()),
            QSet<QString>({ "ALLG_PHI@2x.bmp", "ALLG_TETA@2x.bmp", "COORD_KUGELZ3@2x.bmp",
                "COORD_KUGEL3@2x.bmp", "COORD_ZYLINDER3@2x.bmp", "COORD_2D@2x.bmp" }));
        for (const auto& [name, format] : SymbolFormats() + DiagramFormats()) {
            const QByteArray bytes = ReadResource(
                QStringLiteral(":/glyphs/dense/") + name + QStringLiteral("@2x.bmp"));
            if (bytes.isEmpty())
                continue;
            const BitmapHeader header = ParseBitmap(bytes);
            QVERIFY2(header.valid, qPrintable(name + ": " + header.problem));
            QCOMPARE(header.width, 2 * format.width);
            QCOMPARE(header.height, 2 * format.height);
            QCOMPARE(header.bitsPerPixel, format.bitsPerPixel == 4 ? 24 : 8);
            QVERIFY(
                !QFile::exists(QStringLiteral(":/glyphbank/") + name + QStringLiteral("@2x.bmp")));
        }
    }

    void libraryHasVersionAndIcon()
    {
        const QString record
            = QString::fromUtf8(ReadResource(QStringLiteral(":/glyphbank/Glyphbank.version")));
        QVERIFY(record.contains(QStringLiteral("FileVersion=0.0.0.5\n")));
        QVERIFY(record.contains(QStringLiteral("ProductVersion=1.0.0.0\n")));
        const QImage icon(QStringLiteral(":/glyphbank/Glyphbank.ico"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.hasAlphaChannel());
    }
};

TRALTO_TEST(GlyphFilesTest);
#include "GlyphFilesTest.moc"
