#pragma once

#include <QWidget>

class QPushButton;

// The row of buttons at the bottom edge of every dialog: "OK" (default,
// accepts the dialog) and "Abbrechen" (rejects it, also on Esc), right-aligned,
// 41 pixels high. A dialog may give a button another caption and a handler
// of its own (BtnOK->setText, connect).
//   auto* frame = new TFrameOKCancel(this); layout->addWidget(frame);
class TFrameOKCancel : public QWidget {
    Q_OBJECT

public:
    explicit TFrameOKCancel(QWidget* Parent);

    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

protected:
    // Buttons are added here, left to right, before the frame lays them out.
    QPushButton* AddButton(const QString& Caption);
};

// The same with a third button "&Hilfe" that has no handler of its own.
class TFrameOKCancelHelp : public TFrameOKCancel {
    Q_OBJECT

public:
    explicit TFrameOKCancelHelp(QWidget* Parent);

    QPushButton* BtnHelp = nullptr;
};
