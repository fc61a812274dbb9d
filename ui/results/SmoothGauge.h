#pragma once

#include <QWidget>

// A round pointer instrument: a 270° scale from Minimum to Maximum with
// Divisions labelled ticks and SubDivisions small ticks between them, a needle
// and the value as text below the centre. Setting a value only stores it and
// schedules a repaint, so a running simulation may set it on every step.
class TSmoothGauge : public QWidget {
    Q_OBJECT

public:
    explicit TSmoothGauge(const QString& ACaption, double AMinimum, double AMaximum, QWidget* Parent = nullptr);

    double Value() const { return FValue; }
    void SetValue(double V);
    double Minimum() const { return FMinimum; }
    void SetMinimum(double V);
    double Maximum() const { return FMaximum; }
    void SetMaximum(double V);
    int Divisions() const { return FDivisions; }
    void SetDivisions(int V);
    int SubDivisions() const { return FSubDivisions; }
    void SetSubDivisions(int V);
    const QString& Caption() const { return FCaption; }
    // The value as shown, "00.00" in the user's locale.
    QString ValueText() const;
    // Angle of the needle in degrees for V, counter-clockwise from the positive
    // x axis: 225 at the minimum, −45 at the maximum; values outside the scale
    // stop at its ends, a value not set rests at the minimum.
    double AngleOf(double V) const;

    QSize sizeHint() const override { return {150, 150}; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    void PaintScale(class QPainter& P, double Radius);
    void PaintNeedle(QPainter& P, double Radius);

    QString FCaption;
    double FValue = 0;
    double FMinimum = 0;
    double FMaximum = 100;
    int FDivisions = 10;
    int FSubDivisions = 4;
};
