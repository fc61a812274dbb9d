#include "ui/heatpump/DlgHeatPump.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/MVChart.h"
#include "chart/MVPaintBox.h"
#include "model/base/NumberText.h"
#include "model/loads/HeatpumpDialogs.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/heatpump/DlgPointCorrd.h"

namespace {

const QString CalcHint = QStringLiteral("Koeffizienten aus 2 Punkten bestimmen");
const QString BrineCaption = QStringLiteral("Soleeintrittstemperatur [°C]");

struct TAxisRange {
    double Min, Max;
    int Segments;
};

void SetupChart(TMVChart* Chart, TAxisRange Bottom, TAxisRange Left, const QString& LeftCaption)
{
    Chart->TopAxis()->SetVisible(false);
    TMVHorzAxis* x = Chart->BottomAxis();
    x->SetMinAuto(false);
    x->SetMaxAuto(false);
    x->SetMin(Bottom.Min);
    x->SetMax(Bottom.Max);
    x->SetCaption(BrineCaption);
    x->SetSegmentCount(Bottom.Segments);
    x->SetMainGrid(true);
    TMVVertAxis* y = Chart->LeftAxis();
    y->SetMin(Left.Min);
    y->SetMax(Left.Max);
    y->SetCaption(LeftCaption);
    y->SetSegmentCount(Left.Segments);
    y->SetInvert(true);
    y->SetMainGrid(true);
}

TMVChart* NewChart(QWidget* Parent)
{
    auto* chart = new TMVChart(Parent);
    chart->setMinimumSize(353, 220);
    chart->SetChartWidthAuto(true);
    chart->SetChartHeightAuto(true);
    chart->SetMarginLeft(150);
    chart->SetMarginTop(50);
    chart->SetMarginRight(50);
    chart->SetMarginBottom(100);
    chart->SetLegendVisible(false);
    chart->SetDrawTimeMarkings(false);
    chart->SetDragButton(mbLeft);
    chart->SetZoomButton(mbLeft);
    chart->SetPanButton(mbLeft);
    chart->SetRotateButton(mbMiddle);
    chart->SetMouseThreshold(10);
    return chart;
}

} // namespace

TDlgHeatPump::TDlgHeatPump(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgHeatPump"));
    setWindowTitle(QStringLiteral("Wärmepumpe"));
    auto* layout = new QVBoxLayout(this);

    auto* nameRow = new QHBoxLayout;
    EdtName = AddLabelledEdit(nameRow, QStringLiteral("Bezeichnung"));
    EdtName->setPlaceholderText(QStringLiteral("Bezeichnung der Wärmepumpe eingeben"));
    layout->addLayout(nameRow);

    auto* groups = new QHBoxLayout;
    GroupHeat = new QGroupBox(QStringLiteral("Heizbetrieb"), this);
    auto* heat = new QVBoxLayout(GroupHeat);
    auto* heatTop = new QHBoxLayout;
    EdtWaterTemp = AddLabelledEdit(heatTop, QStringLiteral("Wasseraustrittstemperatur [°C]"), QStringLiteral("35"));
    heatTop->addStretch();
    heat->addLayout(heatTop);
    AddLineRows(heat, Label3, QStringLiteral("Heizleistung"), ChartPower, Label1, EdtPowerA, EdtPowerB,
                BtnCalcPowerCoef);
    AddLineRows(heat, Label4, QStringLiteral("Leistungszahl"), ChartCOP, Label2, EdtCOPA, EdtCOPB, BtnCalCOPCoef);
    groups->addWidget(GroupHeat);

    GroupCool = new QGroupBox(QStringLiteral("Kühlbetrieb"), this);
    auto* cool = new QVBoxLayout(GroupCool);
    auto* coolTop = new QHBoxLayout;
    EdtCoolWaterTemp =
        AddLabelledEdit(coolTop, QStringLiteral("Wasseraustrittstemperatur [°C]"), QStringLiteral("18"));
    coolTop->addStretch();
    CheckBoxCooling = new QCheckBox(QStringLiteral("mit Kühlbetrieb"), GroupCool);
    CheckBoxCooling->setChecked(true);
    coolTop->addWidget(CheckBoxCooling);
    cool->addLayout(coolTop);
    AddLineRows(cool, Label7, QStringLiteral("Kühlleistung"), ChartCoolPower, Label5, EdtCoolPowerA,
                EdtCoolPowerB, BtnCoolPowerCalc);
    AddLineRows(cool, Label8, QStringLiteral("Leistungszahl"), ChartCoolCOP, Label6, EdtCoolCOPA, EdtCoolCOPB,
                BtnCoolCOPCalc);
    groups->addWidget(GroupCool);
    layout->addLayout(groups, 1);

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);

    BindLine(ChartPower, EdtPowerA, EdtPowerB, BtnCalcPowerCoef);
    BindLine(ChartCOP, EdtCOPA, EdtCOPB, BtnCalCOPCoef);
    BindLine(ChartCoolPower, EdtCoolPowerA, EdtCoolPowerB, BtnCoolPowerCalc);
    BindLine(ChartCoolCOP, EdtCoolCOPA, EdtCoolCOPB, BtnCoolCOPCalc);
    SetupCharts();
    resize(800, 708);
}

QLineEdit* TDlgHeatPump::AddLabelledEdit(QLayout* Layout, const QString& Caption, const QString& Text)
{
    auto* label = new QLabel(Caption, this);
    auto* edit = new QLineEdit(Text, this);
    label->setBuddy(edit);
    Layout->addWidget(label);
    Layout->addWidget(edit);
    return edit;
}

void TDlgHeatPump::AddLineRows(QVBoxLayout* Box, QLabel*& Title, const QString& TitleText, TMVChart*& Chart,
                               QLabel*& CoefLabel, QLineEdit*& EdtA, QLineEdit*& EdtB, QPushButton*& Calc)
{
    Title = new QLabel(TitleText, this);
    Box->addWidget(Title);
    Chart = NewChart(this);
    Box->addWidget(Chart, 1);
    auto* row = new QHBoxLayout;
    CoefLabel = new QLabel(QStringLiteral("Koeffizienten"), this);
    row->addWidget(CoefLabel);
    EdtA = AddLabelledEdit(row, QStringLiteral("A"));
    EdtB = AddLabelledEdit(row, QStringLiteral("B"));
    Calc = new QPushButton(QStringLiteral("Berechnen"), this);
    Calc->setToolTip(CalcHint);
    Calc->setAutoDefault(false);
    row->addWidget(Calc);
    Box->addLayout(row);
}

void TDlgHeatPump::BindLine(TMVChart* Chart, QLineEdit* EdtA, QLineEdit* EdtB, QPushButton* Calc)
{
    Chart->SetAfterDrawChart([this, Chart, EdtA, EdtB](QObject*) { DrawCharacteristicLine(EdtA, EdtB, Chart); });
    auto repaint = [Chart] { Chart->PaintBox()->update(); };
    connect(EdtA, &QLineEdit::textChanged, this, repaint);
    connect(EdtB, &QLineEdit::textChanged, this, repaint);
    connect(Calc, &QPushButton::clicked, this, [this, EdtA, EdtB] { CalcCoefficientsFromTwoPoints(EdtA, EdtB); });
}

void TDlgHeatPump::SetupCharts()
{
    const QString power = QStringLiteral("Heizleistung [kW]");
    const QString cop = QStringLiteral("Leistungszahl");
    SetupChart(ChartPower, {-10, 30, 8}, {0, 30, 6}, power);
    SetupChart(ChartCoolPower, {0, 30, 6}, {0, 30, 6}, QStringLiteral("Kühlleistung [kW]"));
    SetupChart(ChartCOP, {-10, 30, 8}, {0, 8, 8}, cop);
    SetupChart(ChartCoolCOP, {0, 30, 6}, {0, 12, 6}, cop);
}

void TDlgHeatPump::SizeCharts()
{
    for (TMVChart* chart : {ChartPower, ChartCoolPower, ChartCoolCOP, ChartCOP}) {
        chart->AutoSize();
        chart->PaintBox()->update();
    }
}

void TDlgHeatPump::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    SizeCharts();
}

void TDlgHeatPump::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    SizeCharts();
}

void TDlgHeatPump::SetData(const THeatpumpEditData& Data)
{
    EdtName->setText(Data.Name);
    EdtWaterTemp->setText(Data.WaterTemp);
    EdtPowerA->setText(Data.PowerA);
    EdtPowerB->setText(Data.PowerB);
    EdtCOPA->setText(Data.COPA);
    EdtCOPB->setText(Data.COPB);
    EdtCoolWaterTemp->setText(Data.CoolWaterTemp);
    EdtCoolPowerA->setText(Data.CoolPowerA);
    EdtCoolPowerB->setText(Data.CoolPowerB);
    EdtCoolCOPA->setText(Data.CoolCOPA);
    EdtCoolCOPB->setText(Data.CoolCOPB);
}

void TDlgHeatPump::GetData(THeatpumpEditData& Data) const
{
    Data.Name = EdtName->text();
    Data.WaterTemp = EdtWaterTemp->text();
    Data.PowerA = EdtPowerA->text();
    Data.PowerB = EdtPowerB->text();
    Data.COPA = EdtCOPA->text();
    Data.COPB = EdtCOPB->text();
    Data.CoolWaterTemp = EdtCoolWaterTemp->text();
    Data.CoolPowerA = EdtCoolPowerA->text();
    Data.CoolPowerB = EdtCoolPowerB->text();
    Data.CoolCOPA = EdtCoolCOPA->text();
    Data.CoolCOPB = EdtCoolCOPB->text();
}

bool TDlgHeatPump::CharacteristicLinePoints(const QString& A, const QString& B, std::array<ChartTypes::TDblPoint, 2>& Points)
{
    double a = 0, b = 0;
    if (!TryStrToFloat(A, a) || !TryStrToFloat(B, b)) return false;
    Points = {ChartTypes::TDblPoint{-5, -5 * a + b}, ChartTypes::TDblPoint{25, 25 * a + b}};
    return true;
}

void TDlgHeatPump::DrawCharacteristicLine(const QLineEdit* EdtA, const QLineEdit* EdtB, TMVChart* Chart)
{
    std::array<ChartTypes::TDblPoint, 2> points;
    if (!CharacteristicLinePoints(EdtA->text(), EdtB->text(), points)) return;
    Chart->DrawData(points, Chart->BottomAxis(), Chart->LeftAxis(), false, dlLine, 6, msCircle, 0, 0xFF0000,
                    0x701919);
}

void TDlgHeatPump::CalcCoefficientsFromTwoPoints(QLineEdit* EdtA, QLineEdit* EdtB)
{
    TDlgPointCorrd dlg(this);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return;
    // A text that is no number, or two points at one temperature, leave the
    // coefficients as they were: there is no line to take over.
    double a = 0, b = 0;
    if (!dlg.Coefficients(a, b)) return;
    EdtA->setText(FloatToStr(a));
    EdtB->setText(FloatToStr(b));
}
