#include "ui/dialogs/DlgFrameOKCancel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "ui/common/ButtonTexts.h"

namespace {

QDialog* OwnerDialog(QWidget* W)
{
    return qobject_cast<QDialog*>(W->window());
}

} // namespace

TFrameOKCancel::TFrameOKCancel(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("FrameOKCancel"));
    setFixedHeight(41);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);
    row->addStretch(1);
    BtnOK = AddButton(GermanButtonText(QDialogButtonBox::Ok));
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnOK->setAutoDefault(true);
    BtnCancel = AddButton(GermanButtonText(QDialogButtonBox::Cancel));
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOK, &QPushButton::clicked, this, [this] {
        if (QDialog* d = OwnerDialog(this)) d->accept();
    });
    connect(BtnCancel, &QPushButton::clicked, this, [this] {
        if (QDialog* d = OwnerDialog(this)) d->reject();
    });
}

QPushButton* TFrameOKCancel::AddButton(const QString& Caption)
{
    auto* b = new QPushButton(Caption, this);
    b->setMinimumSize(75, 25);
    b->setAutoDefault(false);
    static_cast<QHBoxLayout*>(layout())->addWidget(b);
    return b;
}

TFrameOKCancelHelp::TFrameOKCancelHelp(QWidget* Parent) : TFrameOKCancel(Parent)
{
    setObjectName(QStringLiteral("FrameOKCancelHelp"));
    BtnHelp = AddButton(GermanButtonText(QDialogButtonBox::Help));
    BtnHelp->setObjectName(QStringLiteral("BtnHelp"));
}
