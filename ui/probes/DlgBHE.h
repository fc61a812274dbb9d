#pragma once

#include <QDialog>

class QLineEdit;
class TFrameOKCancel;
struct TBHEEditData;

// "Sonde": name, length, RB and position of one probe. OK is refused while
// a number field holds text that is no number, or a negative length or RB;
// the model then never meets a value it cannot read halfway through taking
// the others. Cancel and the close box always close.
class TDlgEditBHE : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgEditBHE(QWidget* Parent = nullptr);

    void SetData(const TBHEEditData& D);
    // The texts of the edits; a field the user left alone keeps the text it
    // was given, character for character.
    TBHEEditData Data() const;

    // True when every number field is empty or a usable number; otherwise
    // the first bad field gets the focus.
    bool CheckValues();

    void done(int R) override;

    QLineEdit* EdtName = nullptr;
    QLineEdit* EdtDepth = nullptr;
    QLineEdit* EdtRB = nullptr;
    QLineEdit* EdtX = nullptr;
    QLineEdit* EdtY = nullptr;
    TFrameOKCancel* RzDialogButtons1 = nullptr;
};
