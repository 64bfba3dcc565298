#include "localisation/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QtTranslation::QtTranslation(QString folder)
    : folder_(std::move(folder))
{
}

QtTranslation::~QtTranslation()
{
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

QString QtTranslation::InstalledFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

void QtTranslation::Follow(const QString& locale)
{
    if (!locale.isEmpty() && locale == locale_)
        return;
    std::unique_ptr<QTranslator> next;
    // Qt writes its texts in English: for English there is nothing to load.
    if (!locale.isEmpty() && QLocale(locale).language() != QLocale::English) {
        next = std::make_unique<QTranslator>();
        // "qtbase_de.qm" for "de_DE", "qtbase_pt_BR.qm" for "pt_BR".
        if (!next->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"), folder_))
            next.reset();
    }
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
    translator_ = std::move(next);
    locale_.clear();
    if (translator_) {
        QCoreApplication::installTranslator(translator_.get());
        locale_ = locale;
    }
}
