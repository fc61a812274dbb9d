#include "ui/probes/BHEFieldCreateDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <algorithm>
#include <cmath>

namespace {

const QString SHeader = QStringLiteral(
    "Geben Sie hier Sondenabstand und Sondentyp an.<BR><BR>Zum Anlegen der Sonden drücken Sie "
    "<B>EINGABE</B> oder klicken erneut auf <B>Feld erstellen</B>, zum Abbrechen <B>ESC</B>.");

// Rows hold their type as a pointer into the type list; group rows hold none.
constexpr int TypeRole = Qt::UserRole;

QLabel* AddLabelled(QFormLayout* Form, QWidget* Field, const QString& Label)
{
    auto* l = new QLabel(Label, Form->parentWidget());
    l->setBuddy(Field);
    Form->addRow(l, Field);
    return l;
}

} // namespace

TDlgCreateBHEField::TDlgCreateBHEField(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgCreateBHEField"));
    setWindowTitle(QStringLiteral("Sondenfeld erstellen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    HeaderPanel = new QLabel(SHeader, this);
    HeaderPanel->setObjectName(QStringLiteral("HeaderPanel"));
    HeaderPanel->setTextFormat(Qt::RichText);
    HeaderPanel->setWordWrap(true);
    HeaderPanel->setMargin(10);
    HeaderPanel->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(HeaderPanel);

    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(12, 10, 12, 6);
    form->setVerticalSpacing(8);
    EdtBHEDist = new QLineEdit(panel);
    EdtBHEDist->setObjectName(QStringLiteral("EdtBHEDist"));
    AddLabelled(form, EdtBHEDist, QStringLiteral("Sondenabstand [m]"));
    EdtPrefix = new QLineEdit(panel);
    EdtPrefix->setObjectName(QStringLiteral("EdtPrefix"));
    EdtPrefix->setToolTip(QStringLiteral("Text vor der Sondennummer"));
    EdtPrefix->setPlaceholderText(QStringLiteral("z.B. EWS"));
    AddLabelled(form, EdtPrefix, QStringLiteral("Präfix Beschriftung"));

    auto* typeLabel = new QLabel(QStringLiteral("Sondentyp auswählen:"), panel);
    form->addRow(typeLabel);
    LV_BHETypes = new QTreeWidget(panel);
    LV_BHETypes->setObjectName(QStringLiteral("LV_BHETypes"));
    typeLabel->setBuddy(LV_BHETypes);
    LV_BHETypes->setHeaderLabels(
        {QStringLiteral("Bezeichnung"), QStringLiteral("Länge [m]"), QStringLiteral("RB [m×K/W]")});
    LV_BHETypes->setColumnWidth(0, 140);
    LV_BHETypes->setColumnWidth(1, 70);
    LV_BHETypes->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_BHETypes->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV_BHETypes->setRootIsDecorated(false);
    LV_BHETypes->setItemsExpandable(false);
    LV_BHETypes->setMinimumHeight(150);
    form->addRow(LV_BHETypes);

    ComboLoadProfile = new QComboBox(panel);
    ComboLoadProfile->setObjectName(QStringLiteral("ComboLoadProfile"));
    AddLabelled(form, ComboLoadProfile, QStringLiteral("Lastprofil"));
    layout->addWidget(panel, 1);

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    setMinimumWidth(360);
}

void TDlgCreateBHEField::SetSpacing(double Spacing)
{
    EdtBHEDist->setText(FloatToStr(Spacing));
}

void TDlgCreateBHEField::SetBHETypes(const TBHETypelist& Types)
{
    LV_BHETypes->clear();
    const QString groupNames[] = {QStringLiteral("U-Sonden"), QStringLiteral("Doppel-U-Sonden"),
                                  QStringLiteral("Koaxialsonden")};
    QTreeWidgetItem* groups[3];
    for (int g = 0; g < 3; ++g) {
        groups[g] = new QTreeWidgetItem(LV_BHETypes, {groupNames[g]});
        groups[g]->setFlags(Qt::ItemIsEnabled);
        groups[g]->setFirstColumnSpanned(true);
        QFont bold = groups[g]->font(0);
        bold.setBold(true);
        groups[g]->setFont(0, bold);
    }
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < Types.Count(); ++i) {
        const TBHE* t = Types.Items(i);
        const int g = std::min<int>(t->TubeType(), 2);
        auto* row = new QTreeWidgetItem(groups[g], {t->Name(), FormatFloat(QStringLiteral("0.##"), t->CasingLength()),
                                                    FormatFloat(QStringLiteral("0.###"), t->RB())});
        row->setData(0, TypeRole, QVariant::fromValue(const_cast<void*>(static_cast<const void*>(t))));
        if (!first) first = row;
    }
    for (QTreeWidgetItem* g : groups) g->setHidden(g->childCount() == 0);
    LV_BHETypes->expandAll();
    if (first) LV_BHETypes->setCurrentItem(first);
}

void TDlgCreateBHEField::SetLoadProfiles(const QStringList& Names, int Current)
{
    ComboLoadProfile->clear();
    ComboLoadProfile->addItems(Names);
    ComboLoadProfile->setCurrentIndex(Current >= 0 && Current < Names.size() ? Current : (Names.isEmpty() ? -1 : 0));
}

double TDlgCreateBHEField::Spacing(double Previous) const
{
    double v;
    return TryStrToFloat(EdtBHEDist->text(), v) && std::isfinite(v) && v > 0 ? v : Previous;
}

const TBHE* TDlgCreateBHEField::SelectedType() const
{
    const QList<QTreeWidgetItem*> sel = LV_BHETypes->selectedItems();
    if (sel.isEmpty()) return nullptr;
    return static_cast<const TBHE*>(sel.first()->data(0, TypeRole).value<void*>());
}

QString TDlgCreateBHEField::Prefix() const
{
    return EdtPrefix->text();
}

int TDlgCreateBHEField::LoadProfileIndex() const
{
    return ComboLoadProfile->currentIndex();
}

bool TDlgCreateBHEField::CheckValues()
{
    bool ok = true;
    double spacing;
    if (!TryStrToFloat(EdtBHEDist->text(), spacing) || !std::isfinite(spacing)) {
        Prompter().ShowError(QStringLiteral("Ungültige Eingabe für den Sondenabstand."));
        EdtBHEDist->setFocus();
        ok = false;
    } else if (spacing <= 0) {
        Prompter().ShowError(QStringLiteral("Der Sondenabstand muss >0 m sein!"));
        EdtBHEDist->setFocus();
        ok = false;
    }
    if (!SelectedType()) {
        Prompter().ShowError(QStringLiteral("Auswahl des Sondentyps erforderlich."));
        // A wrong spacing is the first thing to fix; the focus stays there.
        if (ok) LV_BHETypes->setFocus();
        ok = false;
    }
    return ok;
}

void TDlgCreateBHEField::done(int R)
{
    if (R == QDialog::Accepted && !CheckValues()) return;
    QDialog::done(R);
}
