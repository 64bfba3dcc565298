#pragma once

// A coordinate field: a one-line edit that belongs to the point of one
// coordinate system (x, y, z; r, theta, phi; …). A text pasted into it by
// any way a user pastes (the keys, the context menu, the middle button of
// X11, a drop) is first offered to the point: a whole point written as one
// text ("1, 2, 3") fills the field's system, anything else is pasted as
// usual.

#include <QLineEdit>

#include <functional>

class CoordinateField : public QLineEdit
{
    Q_OBJECT

public:
    // Takes a pasted text when it is a whole point; false leaves it to the
    // usual paste.
    using PointTaker = std::function<bool(const QString& text)>;
    // The field's point as text, for the clipboard.
    using PointWriter = std::function<QString()>;

    explicit CoordinateField(QWidget* parent);

    void SetPoint(PointTaker take, PointWriter write);
    // Empty for a field that belongs to no point.
    QString PointText() const;

    // Pastes the clipboard: the point it holds, or else its text.
    void PasteClipboard();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool OfferPoint(const QString& text);

    PointTaker takePoint_;
    PointWriter writePoint_;
};
