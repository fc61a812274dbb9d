#include "ui/mainwindow/LoadGrid.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimeEdit>

#include "model/base/DateTime.h"
#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/loads/LoadObject.h"

#include <cmath>
#include <vector>

namespace {

// The editor kind of a column, kept as the header item's user data.
enum TCellKind : int { ckNumber, ckDate, ckTime };

const QString DateFormat = QStringLiteral("dd.MM.yyyy");
const QString TimeFormat = QStringLiteral("hh:mm");

TCellKind ColumnKind(const QModelIndex& Index)
{
    return static_cast<TCellKind>(
        Index.model()->headerData(Index.column(), Qt::Horizontal, Qt::UserRole).toInt());
}

QDateTime ToQDateTime(TDateTime T)
{
    const TDateTimeParts p = DecodeDateTime(T);
    return QDateTime(QDate(p.Year, p.Month, p.Day), QTime(p.Hour, p.Minute, p.Second, p.MilliSecond));
}

TDateTime FromQDate(QDate D)
{
    return EncodeDate(D.year(), D.month(), D.day());
}

TDateTime FromQTime(QTime T)
{
    return EncodeTime(T.hour(), T.minute(), T.second(), T.msec());
}

// One data row of the grid as the user sees it numbered (from 1).
[[noreturn]] void BadCell(TLoadGrid& Grid, int Row, int Column, const QString& Why)
{
    Grid.setCurrentCell(Row, Column);
    Grid.setFocus();
    const QTableWidgetItem* header = Grid.horizontalHeaderItem(Column);
    throw EKPError(QStringLiteral("Zeile %1, Spalte \"%2\": %3")
                       .arg(Row + 1)
                       .arg(header ? header->text() : QString::number(Column + 1), Why));
}

QVariant CellData(const QTableWidget& Grid, int Row, int Column)
{
    const QTableWidgetItem* item = Grid.item(Row, Column);
    return item ? item->data(Qt::EditRole) : QVariant();
}

QString CellText(const QVariant& V)
{
    return QStringLiteral("\"%1\"").arg(V.toString());
}

// An empty cell reads as 0.
double ReadNumber(TLoadGrid& Grid, int Row, int Column)
{
    const QVariant v = CellData(Grid, Row, Column);
    if (!v.isValid()) return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int) return v.toDouble();
    double x = 0;
    if (v.typeId() == QMetaType::QString) {
        if (v.toString().trimmed().isEmpty()) return 0;
        if (TryStrToFloat(v.toString(), x) && std::isfinite(x)) return x;
    }
    BadCell(Grid, Row, Column, CellText(v) + QStringLiteral(" ist keine Zahl."));
}

int ReadInteger(TLoadGrid& Grid, int Row, int Column)
{
    const double x = ReadNumber(Grid, Row, Column);
    if (x != std::floor(x) || std::abs(x) > 1e6)
        BadCell(Grid, Row, Column, CellText(CellData(Grid, Row, Column)) + QStringLiteral(" ist keine ganze Zahl."));
    return static_cast<int>(x);
}

// The day (with a time of day when the cell holds one).
TDateTime ReadDate(TLoadGrid& Grid, int Row, int Column)
{
    const QVariant v = CellData(Grid, Row, Column);
    if (v.typeId() == QMetaType::QDate && v.toDate().isValid()) return FromQDate(v.toDate());
    if (v.typeId() == QMetaType::QDateTime && v.toDateTime().isValid())
        return FromQDate(v.toDateTime().date()) + FromQTime(v.toDateTime().time());
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        for (const QString& f : {DateFormat, QStringLiteral("d.M.yyyy"), QStringLiteral("yyyy-MM-dd")}) {
            const QDate d = QDate::fromString(s, f);
            if (d.isValid()) return FromQDate(d);
        }
    }
    BadCell(Grid, Row, Column,
            v.isValid() ? CellText(v) + QStringLiteral(" ist kein Datum (TT.MM.JJJJ).") : QStringLiteral("Das Datum fehlt."));
}

// An empty time is midnight.
TDateTime ReadTime(TLoadGrid& Grid, int Row, int Column)
{
    const QVariant v = CellData(Grid, Row, Column);
    if (!v.isValid()) return 0;
    if (v.typeId() == QMetaType::QTime && v.toTime().isValid()) return FromQTime(v.toTime());
    if (v.typeId() == QMetaType::QDateTime && v.toDateTime().isValid()) return FromQTime(v.toDateTime().time());
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.isEmpty()) return 0;
        for (const QString& f : {TimeFormat, QStringLiteral("h:mm"), QStringLiteral("hh:mm:ss"), QStringLiteral("h:mm:ss")}) {
            const QTime t = QTime::fromString(s, f);
            if (t.isValid()) return FromQTime(t);
        }
    }
    BadCell(Grid, Row, Column, CellText(v) + QStringLiteral(" ist keine Uhrzeit (hh:mm)."));
}

struct TYearRow {
    int Row, Month, Day;
    double Load;
};

} // namespace

QVariant LoadCellValueFromText(const QString& Text)
{
    const QString s = Text.trimmed();
    if (s.isEmpty()) return {};
    double x = 0;
    if (TryStrToFloat(s, x) && std::isfinite(x)) return x;
    return Text;
}

// ---------------------------------------------------------------- grid

TLoadGrid::TLoadGrid(QWidget* Parent) : QTableWidget(Parent)
{
    setItemDelegate(new TLoadGridDelegate(this));
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void TLoadGrid::Layout(const QStringList& Headers, int DataRows, int FixedLeft, int FixedRight)
{
    FFixedLeft = FixedLeft;
    FFixedRight = FixedRight;
    clearContents();
    setColumnCount(static_cast<int>(Headers.size()));
    setRowCount(DataRows);
    for (int c = 0; c < Headers.size(); ++c) {
        auto* h = new QTableWidgetItem(Headers[c]);
        h->setData(Qt::UserRole, ckNumber);
        setHorizontalHeaderItem(c, h);
    }
    const int widths[] = {60, 60, 100};
    for (int c = 0; c < 3 && c < columnCount(); ++c) setColumnWidth(c, widths[c]);
}

void TLoadGrid::SetValue(int Row, int Column, const QVariant& Value)
{
    auto* item = new QTableWidgetItem;
    item->setData(Qt::EditRole, Value);
    if (Column < FFixedLeft || Column >= columnCount() - FFixedRight) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setBackground(palette().window());
    }
    if (Value.typeId() == QMetaType::Double || Value.typeId() == QMetaType::Int)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(Row, Column, item);
}

void TLoadGrid::SizeColumns()
{
    resizeColumnsToContents();
    const int widths[] = {60, 60, 100};
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, std::max(columnWidth(c) + 4, c < 3 ? widths[c] : 0));
    // Wide enough for every column: the month layout shows seven.
    int width = verticalHeader()->sizeHint().width() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth() + 2;
    for (int c = 0; c < columnCount(); ++c) width += columnWidth(c);
    // Beyond that the grid scrolls, so the chart keeps its room.
    setMinimumWidth(std::min(width, 560));
}

void TLoadGrid::FillLoadGrid(const TLoadObj& Load)
{
    switch (Load.LoadType()) {
    case ltConstant: return;
    case ltYearProfile: {
        // A profile with more points than days still shows all of them.
        Layout({QStringLiteral("Monat"), QStringLiteral("Tag"), QStringLiteral("Energie [kWh/d]")},
               std::max(365, Load.Count()), 0, 0);
        for (int i = 0; i < Load.Count(); ++i) {
            const TLoadPoint* p = Load.LoadPoint(i);
            SetValue(i, 0, p->Month());
            SetValue(i, 1, p->Day());
            SetValue(i, 2, p->LoadValue());
        }
        break;
    }
    case ltFile: {
        Layout({QStringLiteral("Datum"), QStringLiteral("Uhrzeit"), QStringLiteral("Leistung [kW]")},
               Load.Count() + 100, 0, 0);
        horizontalHeaderItem(0)->setData(Qt::UserRole, ckDate);
        horizontalHeaderItem(1)->setData(Qt::UserRole, ckTime);
        for (int i = 0; i < Load.Count(); ++i) {
            const TPowerPoint* p = Load.PowerPoint(i);
            const QDateTime t = ToQDateTime(p->PointOfTime());
            SetValue(i, 0, t.date());
            SetValue(i, 1, QTime(t.time().hour(), t.time().minute()));
            SetValue(i, 2, p->Power());
        }
        break;
    }
    case ltMonthProfile: {
        Layout({QStringLiteral("Monat"), QStringLiteral("Heizenergie [kWh]"), QStringLiteral("Kühlenergie [kWh]"),
                QStringLiteral("eff. Heizenergie [kWh]"), QStringLiteral("eff. Kühlenergie [kWh]"),
                QStringLiteral("Saldo eff. Energie [kWh]"), QStringLiteral("Leistung [kW]")},
               12, 1, 4);
        for (int m = 1; m <= 12; ++m) {
            const THeatCoolLoad* e = Load.MonthEntry(m);
            if (!e) continue;
            SetValue(m - 1, 0, QLocale().standaloneMonthName(e->Month(), QLocale::ShortFormat));
            const double values[] = {e->HeatLoad(), e->CoolingLoad(), e->HeatEff(), e->CoolEff(),
                                     e->HeatEff() - e->CoolEff(),
                                     (e->HeatEff() - e->CoolEff()) / 24 / DaysInAMonth(2013, e->Month())};
            for (int c = 1; c <= 6; ++c)
                SetValue(m - 1, c, std::isnan(values[c - 1]) ? QVariant() : QVariant(values[c - 1]));
        }
        break;
    }
    }
    SizeColumns();
}

bool TLoadGrid::RowEmpty(int Row) const
{
    for (int c = 0; c < columnCount(); ++c) {
        const QVariant v = CellData(*this, Row, c);
        if (v.isValid() && !(v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())) return false;
    }
    return true;
}

void TLoadGrid::ApplyLoadGrid(TLoadObj& Load)
{
    switch (Load.LoadType()) {
    case ltConstant: return;
    case ltYearProfile: ApplyYear(Load); return;
    case ltFile: ApplySeries(Load); return;
    case ltMonthProfile: ApplyMonths(Load); return;
    }
}

void TLoadGrid::ApplyYear(TLoadObj& Load)
{
    std::vector<TYearRow> rows;
    for (int r = 0; r < rowCount(); ++r) {
        const int month = ReadInteger(*this, r, 0);
        const int day = ReadInteger(*this, r, 1);
        const double load = ReadNumber(*this, r, 2);
        // A row without month or day is not part of the profile.
        if (month <= 0 || day <= 0) continue;
        if (month > 12 || day > DaysInAMonth(2012, month))
            BadCell(*this, r, month > 12 ? 0 : 1,
                    QStringLiteral("Den Tag %1.%2. gibt es nicht.").arg(day).arg(month));
        rows.push_back({r, month, day, load});
    }
    Load.Clear();
    for (const TYearRow& y : rows) Load.AddPoint(y.Day, y.Month, y.Load);
    Load.Resort();
}

void TLoadGrid::ApplySeries(TLoadObj& Load)
{
    std::vector<std::pair<TDateTime, double>> points;
    for (int r = 0; r < rowCount(); ++r) {
        if (RowEmpty(r)) continue;
        const TDateTime time = ReadDate(*this, r, 0) + ReadTime(*this, r, 1);
        points.emplace_back(time, ReadNumber(*this, r, 2));
    }
    Load.Clear();
    for (const auto& [time, power] : points) Load.AddPoint(time, power);
    Load.Resort();
}

void TLoadGrid::ApplyMonths(TLoadObj& Load)
{
    double heat[12], cool[12];
    for (int r = 0; r < 12 && r < rowCount(); ++r) {
        heat[r] = ReadNumber(*this, r, 1);
        cool[r] = ReadNumber(*this, r, 2);
    }
    for (int m = 1; m <= 12 && m <= rowCount(); ++m) {
        THeatCoolLoad* e = Load.MonthEntry(m);
        if (!e) continue;
        e->SetHeatLoad(heat[m - 1]);
        e->SetCoolingLoad(cool[m - 1]);
    }
    FillLoadGrid(Load);
}

void TLoadGrid::ClearEditableCells()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = FFixedLeft; c < columnCount() - FFixedRight; ++c) delete takeItem(r, c);
}

void TLoadGrid::SetSeriesRows(const QList<QList<QVariant>>& Rows)
{
    Layout({QStringLiteral("Datum"), QStringLiteral("Uhrzeit"), QStringLiteral("Leistung [kW]")},
           static_cast<int>(Rows.size()) + 100, 0, 0);
    horizontalHeaderItem(0)->setData(Qt::UserRole, ckDate);
    horizontalHeaderItem(1)->setData(Qt::UserRole, ckTime);
    for (int r = 0; r < Rows.size(); ++r)
        for (int c = 0; c < 3 && c < Rows[r].size(); ++c)
            if (Rows[r][c].isValid()) SetValue(r, c, Rows[r][c]);
    SizeColumns();
}

// ---------------------------------------------------------------- delegate

QString TLoadGridDelegate::displayText(const QVariant& Value, const QLocale& Locale) const
{
    switch (Value.typeId()) {
    case QMetaType::QDate: return Value.toDate().toString(DateFormat);
    case QMetaType::QTime: return Value.toTime().toString(TimeFormat);
    case QMetaType::QDateTime: return Value.toDateTime().toString(DateFormat + QLatin1Char(' ') + TimeFormat);
    case QMetaType::Double: return FloatToStr(Value.toDouble());
    default: return QStyledItemDelegate::displayText(Value, Locale);
    }
}

void TLoadGridDelegate::initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const
{
    QStyledItemDelegate::initStyleOption(Option, Index);
    // Computed values are read, not typed: two decimals are enough.
    const QVariant v = Index.data(Qt::EditRole);
    if (v.typeId() == QMetaType::Double && !(Index.flags() & Qt::ItemIsEditable))
        Option->text = FloatToFixedOrEmpty(v.toDouble(), 2);
}

QWidget* TLoadGridDelegate::createEditor(QWidget* Parent, const QStyleOptionViewItem&, const QModelIndex& Index) const
{
    switch (ColumnKind(Index)) {
    case ckDate: {
        auto* e = new QDateEdit(Parent);
        e->setDisplayFormat(DateFormat);
        e->setDate(QDate(2013, 1, 1));
        return e;
    }
    case ckTime: {
        auto* e = new QTimeEdit(Parent);
        e->setDisplayFormat(TimeFormat);
        return e;
    }
    default: return new QLineEdit(Parent);
    }
}

void TLoadGridDelegate::setEditorData(QWidget* Editor, const QModelIndex& Index) const
{
    const QVariant v = Index.data(Qt::EditRole);
    if (auto* d = qobject_cast<QDateEdit*>(Editor)) {
        if (v.typeId() == QMetaType::QDate) d->setDate(v.toDate());
        if (v.typeId() == QMetaType::QDateTime) d->setDate(v.toDateTime().date());
    } else if (auto* t = qobject_cast<QTimeEdit*>(Editor)) {
        if (v.typeId() == QMetaType::QTime) t->setTime(v.toTime());
    } else if (auto* l = qobject_cast<QLineEdit*>(Editor)) {
        l->setText(v.isValid() ? displayText(v, QLocale()) : QString());
    }
}

void TLoadGridDelegate::setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const
{
    if (auto* d = qobject_cast<QDateEdit*>(Editor))
        Model->setData(Index, d->date(), Qt::EditRole);
    else if (auto* t = qobject_cast<QTimeEdit*>(Editor))
        Model->setData(Index, t->time(), Qt::EditRole);
    else if (auto* l = qobject_cast<QLineEdit*>(Editor))
        Model->setData(Index, LoadCellValueFromText(l->text()), Qt::EditRole);
}

bool TLoadGridDelegate::eventFilter(QObject* Object, QEvent* Event)
{
    auto* editor = qobject_cast<QWidget*>(Object);
    if (editor && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(Object, Event);
}
