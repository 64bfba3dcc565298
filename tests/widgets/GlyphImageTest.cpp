// The image elements of the coordinate windows: drawn for the density of
// the screen and the size of the font, in the text colour of the palette.

#include "widgets/GlyphImage.h"
#include "glyphs/Glyphlookup.h"
#include "tests/TestMain.h"
#include "widgets/DesignScale.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

class GlyphImageTest : public QObject
{
    Q_OBJECT

    static QImage Shown(const GlyphImage& image)
    {
        // A pixmap keeps its pixels premultiplied; so are the comparisons.
        return image.pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

private slots:
    void drawnForTheDensity_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<int>("sourceDensity");
        QTest::newRow("design font, symbol") << "Allg_teta" << 1.0 << 1;
        QTest::newRow("design font, diagram") << "Coord_Zylinder3" << 1.0 << 1;
        QTest::newRow("1.25 times") << "Coord_Zylinder3" << 1.25 << 2;
        QTest::newRow("1.5 times") << "Allg_phi" << 1.5 << 2;
        QTest::newRow("twice") << "Coord_2D" << 2.0 << 2;
        QTest::newRow("three times") << "Coord_KugelZ3" << 3.0 << 2;
    }

    void drawnForTheDensity()
    {
        // Device pixels per bitmap pixel are the screen's ratio times the
        // window's design scale; offscreen the ratio is that of the run.
        QFETCH(QString, name);
        QFETCH(qreal, scale);
        QFETCH(int, sourceDensity);
        GlyphImage image;
        image.SetDesignScale(scale);
        image.ShowGlyph(GlyphbankHandle(), name, true);
        const QImage plain = LoadGlyphBitmap(GlyphbankHandle(), name);
        const qreal density = image.devicePixelRatioF() * scale;
        QCOMPARE(image.SourceDensity(), density > 1 ? 2 : sourceDensity);
        const QImage shown = Shown(image);
        QCOMPARE(
            shown.size(), QSize(qRound(plain.width() * density), qRound(plain.height() * density)));
        // The element keeps the picture's size in the window's own pixels.
        QCOMPARE(image.size(), Scaled(plain.size(), scale));
        if (density == 2) {
            // Exactly the denser drawing, not the plain bitmap enlarged.
            const QImage dense = InkedBitmap(LoadDenseGlyphBitmap(name, 2), Qt::black)
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(shown, dense);
            const QImage enlarged
                = InkedBitmap(plain, Qt::black)
                      .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY(shown != enlarged);
        }
    }

    void followsThePalette()
    {
        GlyphImage image;
        image.ShowGlyph(GlyphbankHandle(), QStringLiteral("Coord_KugelZ3"));
        const auto inkColours = [&image] {
            QSet<QRgb> colours;
            const QImage shown = Shown(image);
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (qAlpha(shown.pixel(x, y)) == 255)
                        colours.insert(shown.pixel(x, y));
            return colours;
        };
        QCOMPARE(inkColours(), QSet<QRgb>({ image.palette().color(QPalette::WindowText).rgb() }));

        QPalette dark = image.palette();
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
        image.setPalette(dark);
        QCOMPARE(inkColours(), QSet<QRgb>({ qRgb(220, 220, 220) }));
    }
};

TRALTO_TEST(GlyphImageTest);
#include "GlyphImageTest.moc"
