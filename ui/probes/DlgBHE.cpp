#include "ui/probes/DlgBHE.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/probes/BHEDialogs.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <cmath>

namespace {

QLineEdit* AddEdit(QFormLayout* Form, const QString& Name, const QString& Label)
{
    auto* e = new QLineEdit(Form->parentWidget());
    e->setObjectName(Name);
    auto* l = new QLabel(Label, Form->parentWidget());
    l->setBuddy(e);
    Form->addRow(l, e);
    return e;
}

// Empty means "not set" to the probe; anything else must read as a finite
// number in the user's locale.
bool ReadOptional(const QString& Text, double& Value)
{
    Value = 0;
    if (Text.trimmed().isEmpty()) return true;
    return TryStrToFloat(Text, Value) && std::isfinite(Value);
}

void FocusEdit(QLineEdit* E)
{
    E->setFocus();
    E->selectAll();
}

} // namespace

TDlgEditBHE::TDlgEditBHE(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgEditBHE"));
    setWindowTitle(QStringLiteral("Sonde"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(12, 12, 12, 6);
    form->setVerticalSpacing(8);
    EdtName = AddEdit(form, QStringLiteral("EdtName"), QStringLiteral("Bezeichnung"));
    EdtDepth = AddEdit(form, QStringLiteral("EdtDepth"), QStringLiteral("Länge [m]"));
    EdtRB = AddEdit(form, QStringLiteral("EdtRB"), QStringLiteral("RB [m×K/W]"));
    EdtX = AddEdit(form, QStringLiteral("EdtX"), QStringLiteral("X [m]"));
    EdtY = AddEdit(form, QStringLiteral("EdtY"), QStringLiteral("Y [m]"));
    layout->addWidget(panel, 1);
    RzDialogButtons1 = new TFrameOKCancel(this);
    layout->addWidget(RzDialogButtons1);
    setMinimumWidth(280);
}

void TDlgEditBHE::SetData(const TBHEEditData& D)
{
    if (!D.Caption.isEmpty()) setWindowTitle(D.Caption);
    EdtName->setText(D.Name);
    EdtDepth->setText(D.Depth);
    EdtRB->setText(D.RB);
    EdtX->setText(D.X);
    EdtY->setText(D.Y);
    EdtName->setFocus();
}

TBHEEditData TDlgEditBHE::Data() const
{
    TBHEEditData d;
    d.Caption = windowTitle();
    d.Name = EdtName->text();
    d.Depth = EdtDepth->text();
    d.RB = EdtRB->text();
    d.X = EdtX->text();
    d.Y = EdtY->text();
    return d;
}

bool TDlgEditBHE::CheckValues()
{
    // All four first: the probe takes none of them unless it can take all.
    for (QLineEdit* e : {EdtDepth, EdtRB, EdtX, EdtY}) {
        double v;
        if (!ReadOptional(e->text(), v)) {
            FocusEdit(e);
            return false;
        }
        // A negative length or borehole resistance gives no physical probe.
        if (v < 0 && (e == EdtDepth || e == EdtRB)) {
            Prompter().ShowError(e == EdtDepth ? QStringLiteral("Die Sondenlänge ist kleiner 0")
                                               : QStringLiteral("Der RB-Wert ist kleiner 0"));
            FocusEdit(e);
            return false;
        }
    }
    return true;
}

void TDlgEditBHE::done(int R)
{
    if (R == QDialog::Accepted && !CheckValues()) return;
    QDialog::done(R);
}
