#pragma once

// The about box: the product block (name as heading, version, two lines of
// information) on the tooltip colour, a strip with "Mail", "www" and "OK".
// "Mail" and "www" hand the maker's address to the desktop and leave the box
// open; a button without an address is not shown.

#include <QColor>
#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>
#include <utility>

class QPalette;

class QPushButton;

struct ProductInfo
{
    QString name;
    QString version;
    QString line1;
    QString line2;
    // The word in front of the version number.
    QString versionCaption = QStringLiteral("Version");
    // The product's web page and the maker's "mailto:" address; empty when
    // not known.
    QUrl webPage;
    QUrl mailAddress;
};

// Tralto's own product information, in English, with the addresses given
// when the program was built.
ProductInfo TraltoProductInfo();

// Opens a web or mail address in the user's browser or mail program. Tests
// replace it so that no browser starts; an empty function restores the
// desktop's own handler. Whether the desktop succeeds is not reported.
using UrlOpener = std::function<void(const QUrl& address)>;
void SetUrlOpener(UrlOpener opener);

// Background and text colour of the box: the tooltip colours of the palette
// when they read well together, else the first pair of the palette that does.
std::pair<QColor, QColor> InfoColours(const QPalette& palette);

class TFormInfo : public QDialog
{
    Q_OBJECT

public:
    TFormInfo(QWidget* owner, const ProductInfo& info);

private:
    void FormCreate();
    QWidget* BuildProductBlock(QWidget* parent) const;
    void WWW_ButtonClick();
    void Mail_ButtonClick();

    int Px(int designPixels) const;

    ProductInfo info_;
    // The pixel layout grows with the box's font (1 at the design font).
    qreal scale_ = 1;

    QWidget* Panel2;
    QWidget* Panel3;
    QPushButton* OK_Button;
    QPushButton* Mail_Button;
    QPushButton* WWW_Button;
};

// Shows the box modally over the owner and frees it when it closes.
void ShowInfoDialog(QWidget* owner, const ProductInfo& info);
