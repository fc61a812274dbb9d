#include "ui/heatpump/DlgPointCorrd.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/loads/HeatpumpObj.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

TDlgPointCorrd::TDlgPointCorrd(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgPointCorrd"));
    setWindowTitle(QStringLiteral("Koeffizienten berechnen"));
    Label1 = new QLabel(QStringLiteral("Geben Sie von 2 beliebigen Punkten die Koordianten ein um die "
                                       "Koeffizienten zu berechnen"),
                        this);
    Label1->setWordWrap(true);
    GroupBoxP1 = PointGroup(QStringLiteral("Punkt 1"), EdtP1X, EdtP1Y);
    GroupBoxP2 = PointGroup(QStringLiteral("Punkt 2"), EdtP2X, EdtP2Y);
    FrameOKCancel1 = new TFrameOKCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(GroupBoxP1);
    layout->addWidget(GroupBoxP2);
    layout->addStretch();
    layout->addWidget(FrameOKCancel1);
    resize(360, 244);
}

QGroupBox* TDlgPointCorrd::PointGroup(const QString& Caption, QLineEdit*& EdtX, QLineEdit*& EdtY)
{
    auto* group = new QGroupBox(Caption, this);
    auto* form = new QFormLayout(group);
    EdtX = new QLineEdit(group);
    EdtY = new QLineEdit(group);
    form->addRow(QStringLiteral("Soleeintrittstemperatur [°C]"), EdtX);
    form->addRow(QStringLiteral("Wert"), EdtY);
    return group;
}

bool TDlgPointCorrd::Coefficients(double& A, double& B) const
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!TryStrToFloat(EdtP1X->text(), x1) || !TryStrToFloat(EdtP1Y->text(), y1)
        || !TryStrToFloat(EdtP2X->text(), x2) || !TryStrToFloat(EdtP2Y->text(), y2))
        return false;
    return CharlineCoefficients(x1, y1, x2, y2, A, B);
}
