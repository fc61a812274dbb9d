#include "ui/results/FormDashboard.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/run/RunDisplay.h"

namespace {

constexpr int ColCount = 5;
constexpr int RowCount = 10;

} // namespace

TFormDashboard::TFormDashboard(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormDashboard"));
    setWindowTitle(QStringLiteral("Dashboard"));
    auto* layout = new QVBoxLayout(this);
    GroupBoxGeothermal = new QGroupBox(this);
    auto* inner = new QVBoxLayout(GroupBoxGeothermal);
    LblElapsedTime = new QLabel(QStringLiteral("Zeit seit Simuationsbeginn:"), GroupBoxGeothermal);
    inner->addWidget(LblElapsedTime);
    GridEnergyCounter = new QTableWidget(GroupBoxGeothermal);
    GridEnergyCounter->setObjectName(QStringLiteral("GridEnergyCounter"));
    GridEnergyCounter->horizontalHeader()->hide();
    GridEnergyCounter->verticalHeader()->hide();
    GridEnergyCounter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    inner->addWidget(GridEnergyCounter, 1);
    layout->addWidget(GroupBoxGeothermal);
    InitGrid();
    resize(640, 340);
}

void TFormDashboard::InitGrid()
{
    GridEnergyCounter->clear();
    GridEnergyCounter->setColumnCount(ColCount);
    GridEnergyCounter->setRowCount(RowCount);
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < ColCount; ++c) SetCell(c, r, QString());
    const QString top[] = {QStringLiteral("Energy [kWh]"), QStringLiteral("Heat"), QStringLiteral("Cool"),
                           QStringLiteral("Balance"), QStringLiteral("Sum")};
    for (int c = 0; c < ColCount; ++c) SetCell(c, 0, top[c]);
    const QString left[] = {QStringLiteral("Total"),         QStringLiteral("Geothermal"),
                            QStringLiteral("Electricity"),   QStringLiteral("Enthalphie of thermal model"),
                            QStringLiteral("H (t=0)"),       QStringLiteral("H (t=current)"),
                            QStringLiteral("ΔH (since t=0)")};
    for (int r = 1; r <= 7; ++r) SetCell(0, r, left[r - 1]);
    GridEnergyCounter->setColumnWidth(0, 190);
    for (int c = 1; c < ColCount; ++c) GridEnergyCounter->setColumnWidth(c, 100);
}

void TFormDashboard::SetCell(int Col, int Row, const QString& Text)
{
    QTableWidgetItem* item = GridEnergyCounter->item(Row, Col);
    if (!item) {
        item = new QTableWidgetItem(Text);
        if (Col > 0 && Row > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridEnergyCounter->setItem(Row, Col, item);
    } else if (item->text() != Text) {
        item->setText(Text);
    }
}

QString TFormDashboard::Cell(int Col, int Row) const
{
    const QTableWidgetItem* item = GridEnergyCounter->item(Row, Col);
    return item ? item->text() : QString();
}

void TFormDashboard::ShowValues(const TDashboardValues& V)
{
    if (LblElapsedTime->text() != V.LblElapsedTime) LblElapsedTime->setText(V.LblElapsedTime);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) SetCell(c + 1, r + 1, V.Counters[r][c]);
    SetCell(3, 5, V.InitialQuantity);
    SetCell(3, 6, V.CurrentQuantity);
    SetCell(3, 7, V.DeltaQuantity);
}
