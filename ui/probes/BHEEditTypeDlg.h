#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TFrameOKCancel;
struct TBHETypeEditData;

// "Sondentyp": name, plan symbol, tube layout, RB and length of a probe
// type. On OK the values are checked in a fixed order; the first failing
// check keeps the dialog open, says why and focuses the control to fix.
class TDlgBHEType : public QDialog
{
    Q_OBJECT

public:
    // Dpi chooses the size of the layout pictures; 0 takes the screen's.
    explicit TDlgBHEType(QWidget* Parent = nullptr, int Dpi = 0);

    // The symbols offered: one item without text per icon, item i showing
    // icon i. None (nullptr) leaves the box empty.
    void UpdateImagelist(const QList<QIcon>* AImagelist);

    void SetData(const TBHETypeEditData& D);
    TBHETypeEditData Data() const;

    // The checks of OK; true when the values can be taken.
    bool CheckValues();

    void done(int R) override;

    // Side length of the layout pictures shown.
    int PictureSize() const { return FPictureSize; }

    QLabel* HeaderPanel = nullptr;
    QLineEdit* EdtName = nullptr;
    QComboBox* ComboSymbol = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QRadioButton* RBSingle = nullptr;
    QRadioButton* RBDouble = nullptr;
    QRadioButton* RBCoax = nullptr;
    QLineEdit* EdtRB = nullptr;
    QLineEdit* EdtLength = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;

private:
    QWidget* MakeLayoutGroup();

    int FPictureSize = 64;
};
