#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class TFrameOKCancel;
struct TGWEditData;

// "Grundwasser": the groundwater grid's flow direction, hydraulic
// conductivity, gradient, porosity, saturated thickness and transport step.
// While the user types it shows the filter velocity, the pore velocity and
// the cell size the grid will get. OK is refused while a text is no number,
// a derived value is not finite (porosity 0) or the transport step is not
// positive: the grid would get no usable cells from them.
class TDialogGWFlow : public QDialog
{
    Q_OBJECT

public:
    explicit TDialogGWFlow(QWidget* Parent = nullptr);

    void SetData(const TGWEditData& D);
    TGWEditData Data() const;

    // Recomputes the three labels; true when the values can be taken.
    bool UpdateLabels();

    void done(int R) override;

    QLabel* AdvPanel1 = nullptr;
    QLineEdit* EdtDirection = nullptr;
    QLineEdit* EdtKf = nullptr;
    QLineEdit* EdtGradient = nullptr;
    QLineEdit* EdtPorosity = nullptr;
    QLineEdit* EdtThickness = nullptr;
    QLabel* LblVFilter = nullptr;
    QLabel* LblVDistance = nullptr;
    QLineEdit* EdtGridTime = nullptr;
    QLabel* LblGridSize = nullptr;
    TFrameOKCancel* FrameOKCancel1 = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // Why the last UpdateLabels refused, and the edit to fix.
    QString FRefusal;
    QLineEdit* FRefusedEdit = nullptr;
};
