#pragma once

#include "chart/MVAxis.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TFrameOKCancel;
class TMVChart;
struct THeatpumpEditData;

// The heat pump's data: name, water outlet temperatures of heating and
// cooling, and the coefficients A and B of its four characteristic lines
// value = A × T + B over the brine temperature T, each line drawn live in a
// chart of its own. The dialog holds texts only: the heat pump fills it,
// shows it and converts the texts back on OK (THeatpump::Edit).
class TDlgHeatPump : public QDialog {
    Q_OBJECT

public:
    explicit TDlgHeatPump(QWidget* Parent = nullptr);

    void SetData(const THeatpumpEditData& Data);
    // The texts as the user left them.
    void GetData(THeatpumpEditData& Data) const;

    // The two ends (−5 °C and 25 °C) of the line A × T + B; false when A or B
    // is not a number in the user's locale: such a line is not drawn.
    static bool CharacteristicLinePoints(const QString& A, const QString& B, std::array<ChartTypes::TDblPoint, 2>& Points);

    QLineEdit* EdtName = nullptr;
    QGroupBox* GroupHeat = nullptr;
    QLineEdit* EdtWaterTemp = nullptr;
    QLabel* Label3 = nullptr;
    TMVChart* ChartPower = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EdtPowerA = nullptr;
    QLineEdit* EdtPowerB = nullptr;
    QPushButton* BtnCalcPowerCoef = nullptr;
    QLabel* Label4 = nullptr;
    TMVChart* ChartCOP = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EdtCOPA = nullptr;
    QLineEdit* EdtCOPB = nullptr;
    QPushButton* BtnCalCOPCoef = nullptr;

    QGroupBox* GroupCool = nullptr;
    QCheckBox* CheckBoxCooling = nullptr;
    QLineEdit* EdtCoolWaterTemp = nullptr;
    QLabel* Label7 = nullptr;
    TMVChart* ChartCoolPower = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* EdtCoolPowerA = nullptr;
    QLineEdit* EdtCoolPowerB = nullptr;
    QPushButton* BtnCoolPowerCalc = nullptr;
    QLabel* Label8 = nullptr;
    TMVChart* ChartCoolCOP = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* EdtCoolCOPA = nullptr;
    QLineEdit* EdtCoolCOPB = nullptr;
    QPushButton* BtnCoolCOPCalc = nullptr;

    TFrameOKCancel* FrameOKCancel1 = nullptr;

protected:
    virtual void SetupCharts();
    // FormActivate: the charts take the size of their windows again.
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    // One line's chart, its coefficient row and "Berechnen".
    void AddLineRows(QVBoxLayout* Box, QLabel*& Title, const QString& TitleText, TMVChart*& Chart,
                     QLabel*& CoefLabel, QLineEdit*& EdtA, QLineEdit*& EdtB, QPushButton*& Calc);
    QLineEdit* AddLabelledEdit(QLayout* Layout, const QString& Caption, const QString& Text = QString());
    void BindLine(TMVChart* Chart, QLineEdit* EdtA, QLineEdit* EdtB, QPushButton* Calc);
    void SizeCharts();
    void DrawCharacteristicLine(const QLineEdit* EdtA, const QLineEdit* EdtB, TMVChart* Chart);
    void CalcCoefficientsFromTwoPoints(QLineEdit* EdtA, QLineEdit* EdtB);
};
