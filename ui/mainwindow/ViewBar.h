#pragma once

// The view bar of the project view: six buttons, one per page; the button's
// tag is the index of the card it shows. At most one button is down.

#include <QToolBar>

#include <functional>

class QButtonGroup;
class QToolButton;

class TViewBar : public QToolBar
{
    Q_OBJECT
public:
    explicit TViewBar(QWidget* Parent = nullptr);

    static constexpr int ButtonCount = 6;
    QToolButton* Button(int Tag) const;
    // Puts the button of Tag down (no click).
    void SetDown(int Tag);
    // The tag of the button that is down, -1 for none.
    int DownTag() const;

    // BtnViewProjectClick: the user clicked the button of Tag.
    std::function<void(int Tag)> OnViewClick;

private:
    QButtonGroup* FGroup = nullptr;
};
