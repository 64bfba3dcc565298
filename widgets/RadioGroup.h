#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

// A framed column of radio buttons addressed by item index. ItemIndex is -1
// while no item is selected. Clicked fires whenever another item gets the
// check mark, whoever gave it (the user, the program, an assistive
// technology), so that a window reacts the same way to all of them.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void Add(const QString& text);
    void Clear();
    int Count() const { return static_cast<int>(buttons_.size()); }
    QString ItemText(int index) const;

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

signals:
    void Clicked();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void OnButtonToggled(int index, bool checked);

    QButtonGroup* group_;
    QVBoxLayout* layout_;
    QList<QRadioButton*> buttons_;
    int itemIndex_ = -1;
};

// Chains the widgets in this keyboard order. A radio group stands for all its
// items: Tab enters it at the selected item, the arrow keys move within it.
void SetKeyboardOrder(const QList<QWidget*>& order);
