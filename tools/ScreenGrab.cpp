// Saves what an X display shows, window manager frames included, as PNG:
//   screen_grab OUT.png [LEFT TOP WIDTH HEIGHT]
// The rectangle is in the display's own pixels. For the documentation's
// screenshots (scripts/screenshot-windows.sh).

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    // The display's own pixels, whatever scale the caller's environment asks for.
    qunsetenv("QT_SCALE_FACTOR");
    QGuiApplication application(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: %s OUT.png [LEFT TOP WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = argc == 6 ? screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]),
                             std::atoi(argv[4]), std::atoi(argv[5]))
                                   : screen->grabWindow(0);
    return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
