#pragma once

// The multiple-document frame. It routes: it owns globalObjects (settings
// file, language, translation registry) and the two coordinate windows,
// creates each window on first use, shows the window of Dimension on every
// activation and on the posted WM_SHOWCOORDWINDOW request, merges the active
// window's "Datei" menu in front of its own, and stores Dimension and the
// language code when it goes. Qt's own texts follow the language shown.

#include "app/WindowPlacement.h"
#include "localisation/QtTranslation.h"
#include "settings/Globalobjects.h"
#include "windows/Infoform.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class CoordWindowShell;
class QMenu;
class TFormCoord;
class TFormCoord2;

class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // The settings file, the language folder and the glyph library are all
    // found beside the program file named here.
    explicit TMainForm(const QString& programFilePath);
    ~TMainForm() override;

    int Dimension() const { return dimension_; }
    const QString& LanguageCode() const { return languageCode_; }
    TFormCoord* Coord3DWindow() const { return coord3DWindow_; }
    TFormCoord2* Coord2DWindow() const { return coord2DWindow_; }
    QWidget* ActiveChild() const { return activeChild_; }
    QList<QAction*> LanguageItems() const;

    void ShowCoordWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenu();
    void FormCreate();
    void FormActivate();
    void FormDestroy();
    void MergeChildMenu(CoordWindowShell* child);
    QMargins FrameMargins() const;
    void KeepOnScreen();
    void FocusActiveControl();
    void KeepLayoutWhole(QWidget* child);
    // Loads the language, or one in its place when its file cannot be read;
    // true when it was the language itself.
    bool ShowLanguage(const QString& code, const QStringList& offered);
    void ReportUnreadableLanguage(const QString& code);
    void BuildLanguageMenu(const QStringList& codes);
    void AddLanguageMenuItem(const QString& code);
    void LanguageMenuClick(QAction* sender);
    QMdiSubWindow* AddChild(QWidget* child);
    void Format_ItemClick();
    void About_ItemClick();

    QMenu* optionsMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    QAction* formatItem_ = nullptr;
    QAction* aboutItem_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;

    std::unique_ptr<globalObjects> globals_;
    QtTranslation qtTexts_;
    // The language chosen (stored at the end), which is the one shown unless
    // its file could not be read.
    QString languageCode_;
    TFormCoord* coord3DWindow_ = nullptr;
    TFormCoord2* coord2DWindow_ = nullptr;
    QWidget* activeChild_ = nullptr;
    int dimension_ = 3;
    ProductInfo productInfo_;
    WindowPlacement placementAtStart_;
    bool framedOnScreen_ = false;
};
