// Renders the format dialog with the default format settings in one language
// and saves it as a PNG:
//   format_dialog_screenshot <language folder> <code> <file.png>

#include "localisation/Languagefiles.h"
#include "windows/Formatform.h"

#include <QApplication>
#include <QPixmap>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tralto"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        std::fputs("usage: format_dialog_screenshot <language folder> <code> <file.png>\n", stderr);
        return 2;
    }
    const auto language = OpenLanguageFile(arguments[1], arguments[2]);
    if (!language) {
        std::fprintf(stderr, "no language file %s in %s\n", qPrintable(arguments[2]),
            qPrintable(arguments[1]));
        return 1;
    }
    TFormFormat dialog(nullptr, language.get());
    dialog.show();
    // Let the window system map the dialog and give the focus, so that the
    // picture shows the dialog as the user first sees it.
    for (int round = 0; round < 10; ++round)
        QApplication::processEvents();
    if (!dialog.grab().save(arguments[3])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments[3]));
        return 1;
    }
    return 0;
}
