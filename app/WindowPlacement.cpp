#include "app/WindowPlacement.h"

#include "format/SettingsStore.h"
#include "settings/SettingsNames.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>

namespace {

using namespace SettingsNames;

constexpr int32_t Missing = INT32_MIN;

int ReadWindowInteger(SettingsStore& settings, const char* key)
{
    return settings.ReadInteger(WindowSection, key, Missing);
}

void WriteIfChanged(SettingsStore& settings, const char* key, int now, int atStart)
{
    if (now != atStart)
        settings.WriteInteger(WindowSection, key, now);
}

} // namespace

WindowPlacement ReadPlacement(SettingsStore& settings, const QRect& design)
{
    WindowPlacement placement;
    const int left = ReadWindowInteger(settings, LeftKey);
    const int top = ReadWindowInteger(settings, TopKey);
    const int width = ReadWindowInteger(settings, WidthKey);
    const int height = ReadWindowInteger(settings, HeightKey);
    const bool whole = left != Missing && top != Missing && width > 0 && height > 0;
    placement.geometry = whole ? QRect(left, top, width, height) : design;
    placement.maximized = ReadWindowInteger(settings, MaximizedKey) == 1;
    placement.screen = QString::fromStdString(settings.ReadString(WindowSection, ScreenKey, ""));
    return placement;
}

void WritePlacement(
    SettingsStore& settings, const WindowPlacement& now, const WindowPlacement& atStart)
{
    WriteIfChanged(settings, LeftKey, now.geometry.x(), atStart.geometry.x());
    WriteIfChanged(settings, TopKey, now.geometry.y(), atStart.geometry.y());
    WriteIfChanged(settings, WidthKey, now.geometry.width(), atStart.geometry.width());
    WriteIfChanged(settings, HeightKey, now.geometry.height(), atStart.geometry.height());
    WriteIfChanged(settings, MaximizedKey, now.maximized ? 1 : 0, atStart.maximized ? 1 : 0);
    if (now.screen != atStart.screen)
        settings.WriteString(WindowSection, ScreenKey, now.screen.toStdString());
}

QScreen* ScreenOf(const WindowPlacement& placement)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (!placement.screen.isEmpty() && screen->name() == placement.screen)
            return screen;
    }
    if (QScreen* screen = QGuiApplication::screenAt(placement.geometry.center()))
        return screen;
    return QGuiApplication::primaryScreen();
}

QRect FittedToScreen(QRect geometry, const QRect& available, const QMargins& frame)
{
    if (available.isEmpty())
        return geometry;
    QRect outer = geometry.marginsAdded(frame);
    outer.setWidth(std::min(outer.width(), available.width()));
    outer.setHeight(std::min(outer.height(), available.height()));
    outer.moveLeft(std::clamp(
        outer.left(), available.left(), available.left() + available.width() - outer.width()));
    outer.moveTop(std::clamp(
        outer.top(), available.top(), available.top() + available.height() - outer.height()));
    return outer.marginsRemoved(frame);
}
