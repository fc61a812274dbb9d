#pragma once

#include <QDialog>

class QFormLayout;
class QLabel;
class QLineEdit;
class TColorBox;
class TFrameOKCancel;
struct TParameterSetEditData;

// One ground parameter set: name, colour and the five values, each left
// empty for "not set". Filled and read back by TParameterSet::Edit.
class TDlgParameterSet : public QDialog {
    Q_OBJECT

public:
    explicit TDlgParameterSet(QWidget* Parent = nullptr);

    void SetData(const TParameterSetEditData& Data);
    void GetData(TParameterSetEditData& Data) const;

    QLabel* Header = nullptr;
    QLineEdit* EdtName = nullptr;
    QLabel* Label1 = nullptr;
    TColorBox* EdtColor = nullptr;
    QLineEdit* EdtLambda = nullptr;
    QLineEdit* EdtRhoCP = nullptr;
    QLineEdit* EdtThickness = nullptr;
    QLineEdit* EdtAlpha = nullptr;
    QLineEdit* EdtQEarth = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;

public slots:
    // OK only when every value is empty or a number: the set converts them
    // after the dialog closed, and a text that is no number would cost the
    // user every entry.
    void accept() override;

protected:
    // FormActivate: the text hints, every time the dialog is shown.
    void showEvent(QShowEvent* Event) override;

private:
    QFormLayout* FForm = nullptr;
};
