#pragma once

#include <QMainWindow>
#include <QString>

// The multiple-document frame of the program. It owns the settings and the
// coordinate windows, merges the active window's menu into its own and shows
// the window of the current dimension.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // The settings file, the language folder and the glyph library are all
    // found beside the program file named here.
    explicit TMainForm(const QString& programFilePath);

private:
    QString programFilePath_;
};
