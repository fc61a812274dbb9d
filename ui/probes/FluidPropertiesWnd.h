#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Fluid properties": the volumetric heat capacity of a fluid at a
// temperature, recalculated on every change, within the range the fluid
// data cover (water 0 to 100 °C, the glycols −10 to 100 °C).
class TFluidPropForm : public QWidget
{
    Q_OBJECT

public:
    explicit TFluidPropForm(QWidget* Parent = nullptr);

    void Recalculate();
    // The selected text of the result, or the whole result without a
    // selection, into the clipboard.
    void BtnCopyClick();

    QLabel* LblFluid = nullptr;
    QListWidget* ListBoxFluids = nullptr;
    QLineEdit* EdtTemp = nullptr;
    QPlainTextEdit* MemoResults = nullptr;
    QPushButton* BtnCopy = nullptr;
};
