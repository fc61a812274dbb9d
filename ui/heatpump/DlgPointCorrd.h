#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class TFrameOKCancel;

// Two points of a characteristic line, from which the heat-pump dialog
// computes the line's coefficients. The dialog only holds the four texts.
class TDlgPointCorrd : public QDialog {
    Q_OBJECT

public:
    explicit TDlgPointCorrd(QWidget* Parent = nullptr);

    // The coefficients of the line through the two typed points; false when
    // a text is not a number in the user's locale or the line has no finite
    // slope (both points at one temperature).
    bool Coefficients(double& A, double& B) const;

    QLabel* Label1 = nullptr;
    QGroupBox* GroupBoxP1 = nullptr;
    QLineEdit* EdtP1X = nullptr;
    QLineEdit* EdtP1Y = nullptr;
    QGroupBox* GroupBoxP2 = nullptr;
    QLineEdit* EdtP2X = nullptr;
    QLineEdit* EdtP2Y = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;

private:
    QGroupBox* PointGroup(const QString& Caption, QLineEdit*& EdtX, QLineEdit*& EdtY);
};
