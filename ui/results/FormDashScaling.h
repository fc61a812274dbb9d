#pragma once

#include <QDialog>

class QLineEdit;
class TFrameOKCancel;

// The maxima and division counts of the three gauges whose range the user
// sets. The minima are fixed by the gauges: 0 kW, COP 3, 0 kW.
struct TDashScalingValues {
    double HPMax = 20;
    int HPSeg = 10;
    double COPMax = 8;
    int COPSeg = 5;
    double ElecMax = 20;
    int ElecSeg = 10;

    static constexpr double HPMin = 0;
    static constexpr double COPMin = 3;
    static constexpr double ElecMin = 0;

    // The program settings DashHPMax … DashElecSeg.
    static TDashScalingValues FromSettings();
    void ToSettings() const;
};

// "Skalierung Zeigerinstrumente": three groups with a maximum and a segment
// count each. OK refuses a maximum not above the gauge's minimum and fewer
// than one segment (a gauge over an empty or reversed range shows nothing
// useful); text that is no number keeps the previous value.
class TFormDashScaling : public QDialog {
    Q_OBJECT

public:
    explicit TFormDashScaling(QWidget* Parent = nullptr);

    void SetValues(const TDashScalingValues& V);
    // The edits read back; each text that does not parse keeps its value of
    // Previous.
    TDashScalingValues Values(const TDashScalingValues& Previous) const;

    QLineEdit* MaxHP = nullptr;
    QLineEdit* SecHP = nullptr;
    QLineEdit* MaxCOP = nullptr;
    QLineEdit* SecCOP = nullptr;
    QLineEdit* MaxElec = nullptr;
    QLineEdit* SecElec = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;

    void accept() override;

private:
    // Empty text when the edits may be taken; else the message, with the
    // offending edit in Bad.
    QString Check(QLineEdit*& Bad) const;

    TDashScalingValues FShown;
};
