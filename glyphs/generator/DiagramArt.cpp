#include "glyphs/generator/DiagramArt.h"

#include "glyphs/generator/BitmapFile.h"
#include "glyphs/generator/Lettering.h"

#include <QPainter>
#include <QPointF>

#include <cmath>
#include <functional>
#include <numbers>

namespace glyphart {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);

QPoint Pixel(QPointF at)
{
    return QPoint(int(std::lround(at.x())), int(std::lround(at.y())));
}

// A picture drawn in the colours of a small table. At scale 1 it is drawn
// pixel by pixel; at a larger scale the same design coordinates are drawn
// anew as smooth vectors, one design pixel wide, for high-density screens.
class Sketch
{
public:
    Sketch(int width, int height, int scale = 1)
        : picture_(width * scale, height * scale, QImage::Format_RGB32)
        , scale_(scale)
    {
        picture_.fill(White);
    }

    const QImage& Picture() const { return picture_; }
    int Scale() const { return scale_; }

    void Plot(QPoint at, QRgb colour)
    {
        if (picture_.rect().contains(at))
            picture_.setPixel(at, colour);
    }

    void Line(QPointF from, QPointF to, QRgb colour)
    {
        if (scale_ != 1) {
            StrokeLine({ from, to }, colour, false);
            return;
        }
        for (const QPoint& pixel : LinePixels(Pixel(from), Pixel(to)))
            Plot(pixel, colour);
    }

    // Every second pixel, starting at from, so dotted lines meet solid ones cleanly.
    void Dotted(QPointF from, QPointF to, QRgb colour)
    {
        if (scale_ != 1) {
            StrokeLine({ from, to }, colour, true);
            return;
        }
        const QList<QPoint> pixels = LinePixels(Pixel(from), Pixel(to));
        for (qsizetype i = 0; i < pixels.size(); i += 2)
            Plot(pixels[i], colour);
    }

    // A curve through points(t) for t from 0 to 1, solid or dotted.
    void Curve(const std::function<QPointF(double)>& points, QRgb colour, bool dotted = false)
    {
        constexpr int Steps = 96;
        if (scale_ != 1) {
            QList<QPointF> polyline;
            for (int step = 0; step <= Steps; ++step)
                polyline.append(points(double(step) / Steps));
            StrokeLine(polyline, colour, dotted);
            return;
        }
        QList<QPoint> pixels;
        for (int step = 0; step < Steps; ++step) {
            const QList<QPoint> piece = LinePixels(
                Pixel(points(double(step) / Steps)), Pixel(points(double(step + 1) / Steps)));
            for (const QPoint& pixel : piece)
                if (pixels.isEmpty() || pixels.last() != pixel)
                    pixels.append(pixel);
        }
        for (qsizetype i = 0; i < pixels.size(); i += dotted ? 2 : 1)
            Plot(pixels[i], colour);
    }

    // A filled arrowhead with its tip at tip, pointing along direction.
    void ArrowHead(QPointF tip, QPointF direction, double length, double halfWidth, QRgb colour)
    {
        const double norm = std::hypot(direction.x(), direction.y());
        const QPointF along = direction / norm;
        const QPointF across(-along.y(), along.x());
        const QPointF base = tip - along * length;
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(base + across * halfWidth);
        head.lineTo(base - across * halfWidth);
        head.closeSubpath();
        if (scale_ != 1) {
            // Centred on its line, which runs through the middles of pixels.
            QPainter painter(&picture_);
            InDesignUnits(painter);
            painter.translate(0.5, 0.5);
            painter.fillPath(head, QColor(colour));
            return;
        }
        InkLayer ink(picture_.width(), picture_.height());
        ink.Fill(head);
        PaintSolid(picture_, ink.Thresholded(128), colour);
    }

    void Dot(QPoint centre, QRgb colour)
    {
        if (scale_ != 1) {
            QPainter painter(&picture_);
            InDesignUnits(painter);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(colour));
            painter.drawEllipse(QPointF(centre) + QPointF(0.5, 0.5), 2.2, 2.2);
            return;
        }
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                Plot(centre + QPoint(dx, dy), colour);
        Plot(centre + QPoint(0, -2), colour);
        Plot(centre + QPoint(0, 2), colour);
        Plot(centre + QPoint(-2, 0), colour);
        Plot(centre + QPoint(2, 0), colour);
    }

    // Text whose ink is centred on centre. With a halo, a one-pixel margin
    // around the letters is cleared first, so that a line passing behind a
    // label does not touch it.
    void TextAt(const QString& text, double size, QPointF centre, QRgb colour, bool halo = false)
    {
        if (scale_ != 1) {
            FillText(text, size, centre, colour, halo);
            return;
        }
        const InkLayer ink = Lettering(text, size, centre).Thresholded(102);
        if (halo) {
            InkLayer margin(ink.Width(), ink.Height());
            for (int y = 0; y < ink.Height(); ++y)
                for (int x = 0; x < ink.Width(); ++x)
                    if (ink.Coverage(x, y) > 0)
                        margin.FillRect(QRect(x - 1, y - 1, 3, 3));
            PaintSolid(picture_, margin, White);
        }
        PaintSolid(picture_, ink, colour);
    }

    // Black text softened with the two greys of the 16-colour table.
    void GreyTextAt(const QString& text, double size, QPointF centre)
    {
        if (scale_ != 1) {
            FillText(text, size, centre, Black, false);
            return;
        }
        const InkLayer ink = Lettering(text, size, centre);
        for (int y = 0; y < ink.Height(); ++y) {
            for (int x = 0; x < ink.Width(); ++x) {
                const int coverage = ink.Coverage(x, y);
                if (coverage >= 160)
                    Plot(QPoint(x, y), Black);
                else if (coverage >= 96)
                    Plot(QPoint(x, y), qRgb(128, 128, 128));
                else if (coverage >= 40 && picture_.pixel(x, y) == White)
                    Plot(QPoint(x, y), qRgb(192, 192, 192));
            }
        }
    }

private:
    InkLayer Lettering(const QString& text, double size, QPointF centre) const
    {
        QPainterPath outline = TextOutline(LoadFace(Face::Italic, size), text);
        const QPointF offset = centre - outline.boundingRect().center();
        outline.translate(Pixel(offset));
        InkLayer ink(picture_.width(), picture_.height());
        ink.Fill(outline);
        return ink;
    }

    // Sets a painter on the picture to design coordinates, smooth.
    void InDesignUnits(QPainter& painter) const
    {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale_, scale_);
    }

    // A line one design pixel wide through the middles of the pixels that
    // the pixel drawing would set; dotted as one pixel on, one off.
    void StrokeLine(const QList<QPointF>& points, QRgb colour, bool dotted)
    {
        QPainter painter(&picture_);
        InDesignUnits(painter);
        painter.translate(0.5, 0.5);
        QPen pen(QColor(colour), 1);
        pen.setCapStyle(dotted ? Qt::FlatCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::RoundJoin);
        if (dotted)
            pen.setDashPattern({ 1, 1 });
        painter.setPen(pen);
        painter.drawPolyline(points.data(), int(points.size()));
    }

    // The letters set from the font at the device size, centred on whole
    // device pixels; the halo is a stroke of one design pixel around them.
    void FillText(const QString& text, double size, QPointF centre, QRgb colour, bool halo)
    {
        QPainterPath outline = TextOutline(LoadFace(Face::Italic, size * scale_), text);
        outline.setFillRule(Qt::WindingFill);
        const QPointF offset = centre * scale_ - outline.boundingRect().center();
        outline.translate(Pixel(offset));
        QPainter painter(&picture_);
        painter.setRenderHint(QPainter::Antialiasing);
        if (halo) {
            painter.setPen(
                QPen(Qt::white, 2.0 * scale_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::white);
            painter.drawPath(outline);
        }
        painter.fillPath(outline, QColor(colour));
    }

    QImage picture_;
    int scale_;
};

// Orthographic view from above the first octant: z up, y to the right and
// x towards the viewer, down to the left. Circles about the z axis become
// upright ellipses, so the pictures read like a textbook sketch.
struct Projection
{
    QPointF origin;
    double azimuth; // of the viewer, from the x axis towards y
    double elevation; // of the viewer, above the xy plane

    QPointF operator()(double x, double y, double z) const
    {
        const double right = -x * std::sin(azimuth) + y * std::cos(azimuth);
        const double up = -x * std::sin(elevation) * std::cos(azimuth)
            - y * std::sin(elevation) * std::sin(azimuth) + z * std::cos(elevation);
        return origin + QPointF(right, -up);
    }
};

struct Vector3
{
    double x, y, z;
};

Vector3 Spherical(double r, double theta, double phi)
{
    return { r * std::sin(theta) * std::cos(phi), r * std::sin(theta) * std::sin(phi),
        r * std::cos(theta) };
}

QPointF Unit(QPointF vector)
{
    return vector / std::hypot(vector.x(), vector.y());
}

void Axes(Sketch& sketch, const Projection& project, double xLength, double yLength, double zLength)
{
    const QPointF o = project(0, 0, 0);
    for (const QPointF end :
        { project(xLength, 0, 0), project(0, yLength, 0), project(0, 0, zLength) }) {
        sketch.Line(o, end, Black);
        sketch.ArrowHead(end + Unit(end - o) * 2, end - o, 6, 2.5, Black);
    }
}

// Centre of the largest circle inside a triangle: where a letter fits best
// into a narrow angle.
QPointF Incentre(QPointF a, QPointF b, QPointF c)
{
    const double opposite_a = std::hypot(b.x() - c.x(), b.y() - c.y());
    const double opposite_b = std::hypot(a.x() - c.x(), a.y() - c.y());
    const double opposite_c = std::hypot(a.x() - b.x(), a.y() - b.y());
    return (a * opposite_a + b * opposite_b + c * opposite_c)
        / (opposite_a + opposite_b + opposite_c);
}

// The drawing as a bitmap of its depth. Drawn at a larger scale, the smooth
// edges need more colours: black-and-white art becomes 8-bit grey, coloured
// art 24 bits, and the name says the scale (COORD_2D@2x).
DrawnBitmap Finished(const QString& name, int bitsPerPixel, const Sketch& sketch)
{
    if (sketch.Scale() == 1)
        return { name, bitsPerPixel, sketch.Picture() };
    const QString scaledName = name + QStringLiteral("@%1x").arg(sketch.Scale());
    if (bitsPerPixel != 1)
        return { scaledName, 24, sketch.Picture() };
    QImage grey = sketch.Picture();
    const QList<QRgb>& palette = FixedPalette(8);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const int paper = qGray(grey.pixel(x, y));
            grey.setPixel(x, y, palette[(paper * 127 + 127) / 255]);
        }
    }
    return { scaledName, 8, grey };
}

enum class ThetaFrom
{
    ZAxis,
    XYPlane
};

DrawnBitmap SphereDiagram(const char* name, ThetaFrom thetaFrom, int scale)
{
    Sketch sketch(99, 111, scale);
    const Projection project { QPointF(36, 72), 20 * Degree, 28 * Degree };
    constexpr double R = 48;
    const double theta = 50 * Degree;
    const double phi = 60 * Degree;
    const QPointF o = project(0, 0, 0);

    Axes(sketch, project, R + 18, R + 6, R + 12);
    // The octant of the sphere: its three quarter circles in the coordinate planes.
    const auto quarter = [](double t) { return t * 90 * Degree; };
    sketch.Curve(
        [&](double t) { return project(0, R * std::cos(quarter(t)), R * std::sin(quarter(t))); },
        Black);
    sketch.Curve(
        [&](double t) { return project(R * std::cos(quarter(t)), 0, R * std::sin(quarter(t))); },
        Black);
    sketch.Curve(
        [&](double t) { return project(R * std::cos(quarter(t)), R * std::sin(quarter(t)), 0); },
        Black);

    const Vector3 p = Spherical(R, theta, phi);
    const QPointF point = project(p.x, p.y, p.z);
    const QPointF foot = project(p.x, p.y, 0);
    sketch.Dotted(point, foot, Black);
    sketch.Dotted(o, foot, Black);
    sketch.Line(o, point, Black);
    sketch.Dot(Pixel(point), Black);

    // The angles, each as a short arc near the origin with its letter inside.
    constexpr double ArcRadius = 14;
    const auto inPlane = [&](double radius, double angle) {
        return project(radius * std::cos(angle), radius * std::sin(angle), 0);
    };
    const auto inMeridian = [&](double radius, double angle) {
        const Vector3 v = Spherical(radius, angle, phi);
        return project(v.x, v.y, v.z);
    };
    sketch.Curve([&](double t) { return inPlane(ArcRadius, t * phi); }, Black);
    sketch.TextAt(QStringLiteral("\u03c6"), 12, inPlane(ArcRadius + 14, phi / 2), Black);
    // r goes on the side of its line that the theta arc leaves free.
    if (thetaFrom == ThetaFrom::ZAxis) {
        sketch.Curve([&](double t) { return inMeridian(ArcRadius + 4, t * theta); }, Black);
        sketch.TextAt(QStringLiteral("\u03d1"), 12, inMeridian(ArcRadius + 13, theta / 2), Black);
        sketch.TextAt(QStringLiteral("r"), 12, o + (point - o) * 0.55 + QPointF(5, 4), Black);
    } else {
        const double horizon = 90 * Degree;
        sketch.Curve(
            [&](double t) { return inMeridian(ArcRadius, horizon - t * (horizon - theta)); },
            Black);
        // The y axis crosses the angle in the picture; the letter goes above it.
        const QPointF yDirection = Unit(project(0, 1, 0) - o);
        const QPointF underPoint = o + yDirection * ((point.x() - o.x()) / yDirection.x());
        sketch.TextAt(
            QStringLiteral("\u03d1"), 12, Incentre(o, underPoint, point) + QPointF(2, 0), Black);
        sketch.TextAt(QStringLiteral("r"), 12, o + (point - o) * 0.6 + QPointF(-4, -5), Black);
    }

    sketch.TextAt(QStringLiteral("x"), 12, project(R + 18, 0, 0) + QPointF(7, 3), Black);
    sketch.TextAt(QStringLiteral("y"), 12, project(0, R + 6, 0) + QPointF(-1, 11), Black);
    sketch.TextAt(QStringLiteral("z"), 12, project(0, 0, R + 12) + QPointF(7, 2), Black);
    sketch.TextAt(QStringLiteral("P"), 12, point + QPointF(-2, -8), Black);
    return Finished(QString::fromLatin1(name), 1, sketch);
}

DrawnBitmap CylinderDiagram(int scale)
{
    Sketch sketch(112, 115, scale);
    const Projection project { QPointF(46, 80), 12 * Degree, 32 * Degree };
    constexpr double R = 40;
    constexpr double H = 44;
    const double azimuth = project.azimuth;
    const double phi = 52 * Degree;
    const double height = 0.8 * H;
    const QPointF o = project(0, 0, 0);
    const auto circle = [&](double radius, double angle, double z) {
        return project(radius * std::cos(angle), radius * std::sin(angle), z);
    };

    // The axes run inside the cylinder dotted, so that r, phi and z stand out.
    Axes(sketch, project, R + 5, R + 16, H + 40);
    for (const QPointF inside : { project(R, 0, 0), project(0, R, 0), project(0, 0, H) }) {
        sketch.Line(o, inside, White);
        sketch.Dotted(o, inside, Black);
    }
    // The cylinder through the point: the half of its foot circle that
    // faces away from the viewer is hidden, and dotted.
    const double front = azimuth - 90 * Degree;
    const double back = azimuth + 90 * Degree;
    sketch.Curve([&](double t) { return circle(R, front + t * 180 * Degree, 0); }, Black);
    sketch.Curve([&](double t) { return circle(R, back + t * 180 * Degree, 0); }, Black, true);
    sketch.Curve([&](double t) { return circle(R, t * 360 * Degree, H); }, Black);
    sketch.Line(circle(R, front, 0), circle(R, front, H), Black);
    sketch.Line(circle(R, back, 0), circle(R, back, H), Black);

    const QPointF foot = circle(R, phi, 0);
    const QPointF point = circle(R, phi, height);
    sketch.Line(o, foot, Black);
    sketch.Line(foot, point, Black);
    sketch.Dot(Pixel(point), Black);

    constexpr double ArcRadius = 9;
    sketch.Curve([&](double t) { return circle(ArcRadius, t * phi, 0); }, Black);
    sketch.TextAt(
        QStringLiteral("\u03c6"), 11, Incentre(o, circle(R, 0, 0), foot) + QPointF(0, 1), Black);

    sketch.TextAt(QStringLiteral("x"), 12, project(R + 5, 0, 0) + QPointF(7, 3), Black);
    sketch.TextAt(QStringLiteral("y"), 12, project(0, R + 16, 0) + QPointF(-1, 11), Black);
    sketch.TextAt(QStringLiteral("z"), 12, project(0, 0, H + 40) + QPointF(-7, 3), Black);
    // r and z sit in the gaps between their lines and the y axis, which
    // crosses the picture behind them.
    const QPointF yDirection = Unit(project(0, 1, 0) - o);
    const auto yAxisAt
        = [&](double x) { return o.y() + yDirection.y() * (x - o.x()) / yDirection.x(); };
    const QPointF alongR = o + (foot - o) * 0.7;
    sketch.TextAt(QStringLiteral("r"), 12,
        QPointF(alongR.x(), (alongR.y() + yAxisAt(alongR.x())) / 2), Black, true);
    const double zColumn = foot.x() + 5;
    sketch.TextAt(
        QStringLiteral("z"), 12, QPointF(zColumn, (point.y() + yAxisAt(zColumn)) / 2), Black, true);
    sketch.TextAt(QStringLiteral("P"), 12, point + QPointF(7, -3), Black, true);
    return Finished(QStringLiteral("COORD_ZYLINDER3"), 1, sketch);
}

DrawnBitmap PlaneDiagram(int scale)
{
    // Colours of the 16-colour table: r in blue, the angle in red.
    constexpr QRgb Blue = qRgb(0, 0, 255);
    constexpr QRgb Red = qRgb(255, 0, 0);
    constexpr QRgb Grey = qRgb(128, 128, 128);
    Sketch sketch(80, 72, scale);
    const QPointF o(9, 62);
    const QPointF point(56, 20);
    const QPointF xEnd(72, 62);
    const QPointF yEnd(9, 9);

    sketch.Dotted(point, QPointF(point.x(), o.y()), Grey);
    sketch.Dotted(point, QPointF(o.x(), point.y()), Grey);
    sketch.Line(o, xEnd, Black);
    sketch.Line(o, yEnd, Black);
    sketch.ArrowHead(xEnd + QPointF(2, 0), QPointF(1, 0), 6, 2.5, Black);
    sketch.ArrowHead(yEnd + QPointF(0, -2), QPointF(0, -1), 6, 2.5, Black);

    const double angle = std::atan2(o.y() - point.y(), point.x() - o.x());
    constexpr double ArcRadius = 17;
    sketch.Curve(
        [&](double t) {
            return o + ArcRadius * QPointF(std::cos(t * angle), -std::sin(t * angle));
        },
        Red);
    sketch.Line(o, point, Blue);
    sketch.Dot(Pixel(point), Black);

    const QPointF bisector(std::cos(angle / 2), -std::sin(angle / 2));
    sketch.TextAt(QStringLiteral("\u03c6"), 12, o + bisector * (ArcRadius + 8), Red);
    sketch.TextAt(QStringLiteral("r"), 12, (o + point) / 2 + QPointF(-5, -5), Blue);
    sketch.GreyTextAt(QStringLiteral("x"), 12, xEnd + QPointF(1, 6));
    sketch.GreyTextAt(QStringLiteral("y"), 12, yEnd + QPointF(8, 1));
    sketch.GreyTextAt(QStringLiteral("P"), 12, point + QPointF(7, -6));
    return Finished(QStringLiteral("COORD_2D"), 4, sketch);
}

} // namespace

QList<DrawnBitmap> DrawDiagrams(int scale)
{
    return { SphereDiagram("COORD_KUGELZ3", ThetaFrom::ZAxis, scale),
        SphereDiagram("COORD_KUGEL3", ThetaFrom::XYPlane, scale), CylinderDiagram(scale),
        PlaneDiagram(scale) };
}

} // namespace glyphart
