#include "ui/contours/ContoursDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Prompter.h"
#include "ui/common/QtFonts.h"
#include "ui/contours/ContourLinesGrid.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <algorithm>

namespace {

QSpinBox* Spin(QWidget* Parent, const QString& Name, int Min, int Max)
{
    auto* s = new QSpinBox(Parent);
    s->setObjectName(Name);
    s->setRange(Min, Max);
    return s;
}

// A value outside the control's range would be clamped and come back as a
// change the user never made: the range widens to hold it.
void SetSpin(QSpinBox* S, int V, int Min, int Max)
{
    S->setRange(std::min(Min, V), std::max(Max, V));
    S->setValue(V);
}

QComboBox* Combo(QWidget* Parent, const QString& Name, const QStringList& Items)
{
    auto* c = new QComboBox(Parent);
    c->setObjectName(Name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(Items);
    return c;
}

} // namespace

TContoursDlg::TContoursDlg(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("ContoursDlg"));
    setWindowTitle(QStringLiteral("Isothermen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 0, 0);
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 8, 0);
    top->addWidget(BuildGridGroup());
    top->addWidget(BuildLabelsGroup(), 1);
    layout->addLayout(top);
    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 8, 0);
    middle->addWidget(BuildIntervalsGroup());
    layout->addLayout(middle, 1);
    FrameOKCancelHelp1 = new TFrameOKCancelHelp(this);
    FrameOKCancelHelp1->BtnCancel->setText(QStringLiteral("Abbrechen"));
    FrameOKCancelHelp1->BtnHelp->setText(QStringLiteral("Übernehmen"));
    connect(FrameOKCancelHelp1->BtnHelp, &QPushButton::clicked, this, Guarded([this] { BtnHelpClick(); }));
    layout->addWidget(FrameOKCancelHelp1);
    resize(482, 457);
    UpdateUI();
}

QWidget* TContoursDlg::BuildGridGroup()
{
    GroupBoxGrid = new QGroupBox(QStringLiteral("Gitter"), this);
    auto* l = new QGridLayout(GroupBoxGrid);
    RBUseFE = new QRadioButton(QStringLiteral("FE-Grid verwenden"), GroupBoxGrid);
    RBUseFE->setObjectName(QStringLiteral("RBUseFE"));
    RBUseFE->setToolTip(
        QStringLiteral("Erstellt die Isothermen durch Interpolation innerhalb der dreieckigen Elemente"));
    RBOwnGrid = new QRadioButton(QStringLiteral("eigenes Raster"), GroupBoxGrid);
    RBOwnGrid->setObjectName(QStringLiteral("RBOwnGrid"));
    RBOwnGrid->setToolTip(QStringLiteral("Erzeugt ein eigenes Raster für die Isothermen"));
    RBUseFE->setChecked(true);
    Label1 = new QLabel(QStringLiteral("horizontal"), GroupBoxGrid);
    EdtNumCols = Spin(GroupBoxGrid, QStringLiteral("EdtNumCols"), 10, 1000);
    Label2 = new QLabel(QStringLiteral("vertikal"), GroupBoxGrid);
    EdtNumRows = Spin(GroupBoxGrid, QStringLiteral("EdtNumRows"), 10, 1000);
    Label1->setBuddy(EdtNumCols);
    Label2->setBuddy(EdtNumRows);
    l->addWidget(RBUseFE, 0, 0, 1, 2);
    l->addWidget(RBOwnGrid, 1, 0, 1, 2);
    l->addWidget(Label1, 2, 0);
    l->addWidget(EdtNumCols, 2, 1);
    l->addWidget(Label2, 3, 0);
    l->addWidget(EdtNumRows, 3, 1);
    l->setRowStretch(4, 1);
    for (QRadioButton* b : {RBUseFE, RBOwnGrid})
        connect(b, &QRadioButton::toggled, this, [this] { UpdateUI(); });
    return GroupBoxGrid;
}

QWidget* TContoursDlg::BuildIntervalsGroup()
{
    GroupBoxIntervals = new QGroupBox(QStringLiteral("Intervalle [°C]"), this);
    auto* l = new QVBoxLayout(GroupBoxIntervals);
    auto* row = new QHBoxLayout;
    auto* modes = new QVBoxLayout;
    RBAbsolute = new QRadioButton(QStringLiteral("absolute Temperaturen"), GroupBoxIntervals);
    RBAbsolute->setObjectName(QStringLiteral("RBAbsolute"));
    RBAbsolute->setChecked(true);
    RBDelta = new QRadioButton(QStringLiteral("Temperaturänderung ΔT"), GroupBoxIntervals);
    RBDelta->setObjectName(QStringLiteral("RBDelta"));
    RBDelta->setToolTip(QStringLiteral("zeigt ΔT vom Ausgangszustand an"));
    CBoxSkipZeroLine =
        new QCheckBox(QStringLiteral("Anfangstemperatur bzw. ΔT=0 ausblenden"), GroupBoxIntervals);
    CBoxSkipZeroLine->setObjectName(QStringLiteral("CBoxSkipZeroLine"));
    modes->addWidget(RBAbsolute);
    modes->addWidget(RBDelta);
    modes->addWidget(CBoxSkipZeroLine);
    modes->addStretch(1);
    row->addLayout(modes);
    auto* range = new QFormLayout;
    const QStringList autoItem{QStringLiteral("Auto")};
    ComboZMin = Combo(GroupBoxIntervals, QStringLiteral("ComboZMin"), autoItem);
    ComboZMax = Combo(GroupBoxIntervals, QStringLiteral("ComboZMax"), autoItem);
    ComboZDelta = Combo(GroupBoxIntervals, QStringLiteral("ComboZDelta"), autoItem);
    range->addRow(QStringLiteral("Minimum"), ComboZMin);
    range->addRow(QStringLiteral("Maximum"), ComboZMax);
    range->addRow(QStringLiteral("Abstand"), ComboZDelta);
    row->addLayout(range);
    l->addLayout(row);
    LinesGrid = new TContourLinesGrid(GroupBoxIntervals);
    LinesGrid->setMinimumSize(340, 140);
    l->addWidget(LinesGrid, 1);
    BtnAddLinestyle = new QPushButton(QStringLiteral("Hervorhebung hinzufügen"), GroupBoxIntervals);
    BtnAddLinestyle->setObjectName(QStringLiteral("BtnAddLinestyle"));
    BtnAddLinestyle->setAutoDefault(false);
    connect(BtnAddLinestyle, &QPushButton::clicked, this, [this] { BtnAddLinestyleClick(); });
    l->addWidget(BtnAddLinestyle, 0, Qt::AlignLeft);
    return GroupBoxIntervals;
}

QWidget* TContoursDlg::BuildLabelsGroup()
{
    GroupBoxLabels = new QGroupBox(QStringLiteral("Beschriftung"), this);
    auto* l = new QFormLayout(GroupBoxLabels);
    CBoxShowLabels = new QCheckBox(QStringLiteral("Linien beschriften"), GroupBoxLabels);
    CBoxShowLabels->setObjectName(QStringLiteral("CBoxShowLabels"));
    l->addRow(CBoxShowLabels);
    EdtMinDistance = Spin(GroupBoxLabels, QStringLiteral("EdtMinDistance"), 1, 500);
    EdtMinDistance->setSuffix(QStringLiteral(" mm"));
    l->addRow(QStringLiteral("Mindestabstand"), EdtMinDistance);
    ComboValueFormat = Combo(GroupBoxLabels, QStringLiteral("ComboValueFormat"),
                             {QStringLiteral("0.0"), QStringLiteral("0.#")});
    l->addRow(QStringLiteral("Zahlenformat"), ComboValueFormat);
    CBoxOpak = new QCheckBox(QStringLiteral("opak"), GroupBoxLabels);
    CBoxOpak->setObjectName(QStringLiteral("CBoxOpak"));
    CBoxOpak->setToolTip(
        QStringLiteral("hinterlegt die Beschriftung mit einem weißen Hintergrund zur besseren Lesbarkeit"));
    BtnLabelFont = new QPushButton(QStringLiteral("Schrift..."), GroupBoxLabels);
    BtnLabelFont->setObjectName(QStringLiteral("BtnLabelFont"));
    BtnLabelFont->setAutoDefault(false);
    connect(BtnLabelFont, &QPushButton::clicked, this, Guarded([this] { BtnLabelFontClick(); }));
    auto* row = new QHBoxLayout;
    row->addWidget(CBoxOpak);
    row->addStretch(1);
    row->addWidget(BtnLabelFont);
    l->addRow(row);
    return GroupBoxLabels;
}

void TContoursDlg::SetData(const TContoursEditData& D)
{
    (D.UseFE ? RBUseFE : RBOwnGrid)->setChecked(true);
    SetSpin(EdtNumCols, D.NumCols, 10, 1000);
    SetSpin(EdtNumRows, D.NumRows, 10, 1000);
    (D.Delta ? RBDelta : RBAbsolute)->setChecked(true);
    CBoxSkipZeroLine->setChecked(D.SkipZeroLine);
    ComboValueFormat->setCurrentText(D.ValueFormat);
    CBoxShowLabels->setChecked(D.ShowLabels);
    CBoxOpak->setChecked(D.Opak);
    LabelFont = D.LabelFont;
    SetSpin(EdtMinDistance, D.MinDistance, 1, 500);
    ComboZMin->setCurrentText(D.ZMin);
    ComboZMax->setCurrentText(D.ZMax);
    ComboZDelta->setCurrentText(D.ZDelta);
    LinesGrid->SetupGrid();
    UpdateUI();
    LinesGrid->AddALine(1, QStringLiteral("Standard"), D.Standard.Color, D.Standard.Width, false);
    for (std::size_t i = 0; i < D.Styles.size(); ++i)
        LinesGrid->AddALine(int(i) + 2, D.Styles[i].Level, D.Styles[i].Color, D.Styles[i].Width, true);
    setResult(QDialog::Rejected);
}

TContoursEditData TContoursDlg::Data() const
{
    TContoursEditData d;
    d.UseFE = RBUseFE->isChecked();
    d.NumCols = EdtNumCols->value();
    d.NumRows = EdtNumRows->value();
    d.Delta = RBDelta->isChecked();
    d.SkipZeroLine = CBoxSkipZeroLine->isChecked();
    d.ValueFormat = ComboValueFormat->currentText();
    d.ShowLabels = CBoxShowLabels->isChecked();
    d.Opak = CBoxOpak->isChecked();
    d.LabelFont = LabelFont;
    d.MinDistance = EdtMinDistance->value();
    d.ZMin = ComboZMin->currentText();
    d.ZMax = ComboZMax->currentText();
    d.ZDelta = ComboZDelta->currentText();
    d.Standard = TContourStyleRow{QStringLiteral("Standard"), LinesGrid->CellColor(1),
                                  LinesGrid->CellText(1, TContourLinesGrid::ColWidth)};
    for (int r = 2; r < LinesGrid->RowCount(); ++r)
        d.Styles.push_back(TContourStyleRow{LinesGrid->CellText(r, TContourLinesGrid::ColLevel),
                                            LinesGrid->CellColor(r),
                                            LinesGrid->CellText(r, TContourLinesGrid::ColWidth)});
    return d;
}

void TContoursDlg::SetApplyHandler(std::function<void(const TContoursEditData&)> Apply)
{
    FApply = std::move(Apply);
}

void TContoursDlg::UpdateUI()
{
    const bool own = !RBUseFE->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{EdtNumCols, EdtNumRows, Label1, Label2})
        w->setEnabled(own);
}

void TContoursDlg::BtnAddLinestyleClick()
{
    LinesGrid->AddALine(LinesGrid->RowCount(), QString(), clBlack, Format(QStringLiteral("%.3g"), {5.0}),
                        true);
}

void TContoursDlg::BtnHelpClick()
{
    if (!CheckValues()) return;
    if (FApply) FApply(Data());
}

void TContoursDlg::BtnLabelFontClick()
{
    QFont f = ToQFont(LabelFont);
    if (Prompter().ChooseFont(f)) FromQFont(f, static_cast<TFont&>(LabelFont));
}

bool TContoursDlg::CheckValues()
{
    LinesGrid->CommitOpenEditor();
    int row = 0, col = 0;
    QString reason;
    if (LinesGrid->FindBadCell(row, col, reason)) {
        Prompter().ShowError(reason);
        LinesGrid->FocusCell(row, col);
        return false;
    }
    if (ComboValueFormat->currentText().size() > MaxLabelFormatLength) {
        Prompter().ShowError(QStringLiteral("Das Zahlenformat darf höchstens %1 Zeichen lang sein.")
                                 .arg(MaxLabelFormatLength));
        ComboValueFormat->setFocus();
        return false;
    }
    return true;
}

void TContoursDlg::done(int R)
{
    if (R == QDialog::Accepted && !CheckValues()) return;
    QDialog::done(R);
}
