#include "ui/loads/FormLoadProfils.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/project/ProjectDialogs.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Prompter.h"

namespace {

void ShowCloseRefusal(const QString& Title, const QString& Text)
{
    TTaskDialogSpec spec;
    spec.Caption = Title;
    spec.Instruction = Text;
    spec.Kind = TMsgDlgType::mtError;
    spec.Buttons = {QStringLiteral("OK")};
    Prompter().TaskDialog(spec);
}

} // namespace

TFormLoadProfils::TFormLoadProfils(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormLoadProfils"));
    setWindowTitle(QStringLiteral("Lastprofile"));
    auto* layout = new QHBoxLayout(this);
    LBLoadProfils = new QListWidget(this);
    LBLoadProfils->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(LBLoadProfils, 1);

    auto* buttons = new QVBoxLayout;
    BtnNew = new QPushButton(QStringLiteral("Neu"), this);
    BtnNew->setToolTip(QStringLiteral("Neues Lastprofil anlegen"));
    BtnNew->setAutoDefault(false);
    BtnDelete = new QPushButton(QStringLiteral("Löschen"), this);
    BtnDelete->setToolTip(QStringLiteral("Markiertes Lastprofil löschen"));
    BtnDelete->setAutoDefault(false);
    BtnSelect = new QPushButton(QStringLiteral("Auswählen"), this);
    BtnSelect->setDefault(true);
    buttons->addWidget(BtnNew);
    buttons->addWidget(BtnDelete);
    buttons->addStretch();
    buttons->addWidget(BtnSelect);
    layout->addLayout(buttons);

    connect(BtnNew, &QPushButton::clicked, this, [this] {
        if (OnNewClick) GuardCommand(OnNewClick);
    });
    connect(BtnDelete, &QPushButton::clicked, this, [this] {
        if (OnDeleteClick) GuardCommand(OnDeleteClick);
    });
    connect(BtnSelect, &QPushButton::clicked, this, &QDialog::accept);
    connect(LBLoadProfils, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(342, 279);
}

void TFormLoadProfils::SetData(const TLoadProfilsEditData& Data)
{
    LBLoadProfils->clear();
    LBLoadProfils->addItems(Data.Entries);
    const bool valid = Data.Selected >= 0 && Data.Selected < LBLoadProfils->count();
    LBLoadProfils->setCurrentRow(valid ? Data.Selected : -1);
    if (!valid) LBLoadProfils->clearSelection();
}

void TFormLoadProfils::GetData(TLoadProfilsEditData& Data) const
{
    Data.Entries.clear();
    for (int i = 0; i < LBLoadProfils->count(); ++i) Data.Entries << LBLoadProfils->item(i)->text();
    const QList<QListWidgetItem*> selected = LBLoadProfils->selectedItems();
    Data.Selected = selected.isEmpty() ? -1 : LBLoadProfils->row(selected.first());
}

bool TFormLoadProfils::CanClose()
{
    if (LBLoadProfils->count() == 0) {
        ShowCloseRefusal(QStringLiteral("Kein Lastprofil vorhanden"),
                         QStringLiteral("Legen Sie mit \"Neu\" mindestens ein Lastprofil an"));
        return false;
    }
    if (LBLoadProfils->selectedItems().isEmpty()) {
        ShowCloseRefusal(QStringLiteral("Kein Lastprofil ausgewählt"),
                         QStringLiteral("Wählen Sie ein Lastprofil aus der Liste aus"));
        return false;
    }
    return true;
}

void TFormLoadProfils::done(int Result)
{
    if (!CanClose()) return;
    QDialog::done(Result);
}
