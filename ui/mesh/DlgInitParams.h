#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFrameOKCancel;
struct TModelParamsEditData;

// "Standardparameter": the ground parameters and the mesh geometry a thermal
// model uses when it builds its mesh. The model fills it (SetData), shows it
// through the prompter and reads it back on OK (Data). OK is refused until
// all eleven texts are numbers and thickness and both element areas are
// positive, so the model never meets a text it cannot take.
class TDlgInitalParams : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgInitalParams(QWidget* Parent = nullptr);

    void SetData(const TModelParamsEditData& D);
    TModelParamsEditData Data() const;

    // Every edit receives its built-in default; the model takes them on OK only.
    void BtnDefaultValuesClick();
    // The close query of OK: true when every value is acceptable; otherwise
    // the user is told why and the first bad edit has the focus.
    bool CheckValues();

    void done(int R) override;

    QLabel* HeaderPanel = nullptr;
    QLineEdit* EdtLambda = nullptr;
    QLineEdit* EdtRhoCP = nullptr;
    QLineEdit* EdtThickness = nullptr;
    QLineEdit* EdtAirTemperature = nullptr;
    QLineEdit* EdtAlpha = nullptr;
    QLineEdit* EdtQEarth = nullptr;
    QLineEdit* EdtFA = nullptr;
    QPushButton* BtnDefaultValues = nullptr;
    QGroupBox* GroupBoxGrid = nullptr;
    QLineEdit* EdtMaxInnerArea = nullptr;
    QLineEdit* EdtMaxOuterArea = nullptr;
    QLineEdit* EdtScaleFactorInner = nullptr;
    QLineEdit* EdtMinDistance = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;
};
