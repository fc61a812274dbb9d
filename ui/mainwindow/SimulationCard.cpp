#include "ui/mainwindow/SimulationCard.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/base/DateTime.h"
#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/run/MainLoopObj.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/results/SurfaceView.h"

namespace {

QDate ToQDate(TDateTime D)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(D, y, m, d);
    return QDate(y, m, d);
}

} // namespace

TSimulationCard::TSimulationCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardMonitoring"));
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(MakeRunBox());
    left->addWidget(MakeSaveBox());
    left->addWidget(MakeRunBar());
    left->addStretch(1);
    outer->addLayout(left, 0);
    outer->addWidget(MakeResults(), 1);
    FillMonthList();
    Connect();
}

QWidget* TSimulationCard::MakeRunBox()
{
    auto* box = new QGroupBox(QStringLiteral("Simulation"), this);
    auto* form = new QFormLayout(box);
    EditDuration = new QLineEdit(QStringLiteral("365"), box);
    EditDuration->setObjectName(QStringLiteral("EditDuration"));
    EditDuration->setPlaceholderText(QStringLiteral("Dauer in Tagen"));
    form->addRow(QStringLiteral("Dauer [d]"), EditDuration);
    RzDateTimeEditStart = new QDateEdit(box);
    RzDateTimeEditStart->setObjectName(QStringLiteral("RzDateTimeEditStart"));
    RzDateTimeEditStart->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    RzDateTimeEditStart->setCalendarPopup(true);
    RzDateTimeEditStart->setDate(QDate(QDate::currentDate().year(), 1, 1));
    form->addRow(QStringLiteral("Startdatum"), RzDateTimeEditStart);
    EdtDeltaTime = new QLineEdit(QStringLiteral("30"), box);
    EdtDeltaTime->setObjectName(QStringLiteral("EdtDeltaTime"));
    form->addRow(QStringLiteral("Δt Untergrundmodell [min]"), EdtDeltaTime);
    auto* multiRow = new QHBoxLayout;
    SpinEditTimeMulti = new QSpinBox(box);
    SpinEditTimeMulti->setObjectName(QStringLiteral("SpinEditTimeMulti"));
    SpinEditTimeMulti->setRange(MinTimeMultiplier, MaxTimeMultiplier);
    SpinEditTimeMulti->setToolTip(QStringLiteral("Gibt an wie oft in Δt die Lastseite neu berechnet wird"));
    LblTimestepLoad = new QLabel(TimestepLoadText(30, 1), box);
    LblTimestepLoad->setObjectName(QStringLiteral("LblTimestepLoad"));
    multiRow->addWidget(SpinEditTimeMulti);
    multiRow->addWidget(LblTimestepLoad, 1);
    form->addRow(QStringLiteral("Multiplikator Lastseite"), multiRow);
    CBoxUseGW = new QCheckBox(QStringLiteral("Grundwasser berücksichtigen"), box);
    CBoxUseGW->setObjectName(QStringLiteral("CBoxUseGW"));
    form->addRow(CBoxUseGW);
    return box;
}

QWidget* TSimulationCard::MakeSaveBox()
{
    auto* box = new QGroupBox(QStringLiteral("Ergebnisse speichern"), this);
    auto* form = new QFormLayout(box);
    auto* dirRow = new QHBoxLayout;
    EdtDataDir = new QLineEdit(box);
    EdtDataDir->setObjectName(QStringLiteral("EdtDataDir"));
    BtnDataDir = new QToolButton(box);
    BtnDataDir->setObjectName(QStringLiteral("BtnDataDir"));
    BtnDataDir->setIcon(KPIcon(iiFolder));
    BtnDataDir->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(BtnDataDir);
    imExploreranzeigen1 = menu->addAction(QStringLiteral("im Explorer anzeigen"));
    imExploreranzeigen1->setObjectName(QStringLiteral("imExploreranzeigen1"));
    BtnDataDir->setMenu(menu);
    BtnDisplayDataDir = new QToolButton(box);
    BtnDisplayDataDir->setObjectName(QStringLiteral("BtnDisplayDataDir"));
    BtnDisplayDataDir->setIcon(KPIcon(iiSurface));
    BtnDisplayDataDir->setToolTip(QStringLiteral("Speicherort anzeigen"));
    dirRow->addWidget(EdtDataDir, 1);
    dirRow->addWidget(BtnDataDir);
    dirRow->addWidget(BtnDisplayDataDir);
    form->addRow(QStringLiteral("Speicherort"), dirRow);
    EdtDataFile = new QLineEdit(box);
    EdtDataFile->setObjectName(QStringLiteral("EdtDataFile"));
    EdtDataFile->setPlaceholderText(QStringLiteral("Datum wird automatisch angehängt"));
    form->addRow(QStringLiteral("Datei Stammname"), EdtDataFile);
    ListMonthSave = new QListWidget(box);
    ListMonthSave->setObjectName(QStringLiteral("ListMonthSave"));
    // Two columns of six months.
    ListMonthSave->setFlow(QListView::TopToBottom);
    ListMonthSave->setWrapping(true);
    ListMonthSave->setResizeMode(QListView::Adjust);
    ListMonthSave->setFixedHeight(6 * ListMonthSave->fontMetrics().height() * 3 / 2 + 8);
    ListMonthSave->setGridSize(QSize(90, ListMonthSave->fontMetrics().height() * 3 / 2));
    form->addRow(QStringLiteral("Monate"), ListMonthSave);
    auto* buttons = new QHBoxLayout;
    Button7 = new QPushButton(QStringLiteral("Alle auswählen"), box);
    Button7->setObjectName(QStringLiteral("Button7"));
    BtnSaveField = new QPushButton(KPIcon(iiSave), QStringLiteral("Feld speichern"), box);
    BtnSaveField->setObjectName(QStringLiteral("BtnSaveField"));
    buttons->addWidget(Button7);
    buttons->addWidget(BtnSaveField);
    buttons->addStretch(1);
    form->addRow(buttons);
    return box;
}

QWidget* TSimulationCard::MakeRunBar()
{
    auto* box = new QGroupBox(QStringLiteral("Ablauf"), this);
    auto* v = new QVBoxLayout(box);
    auto* bar = new QHBoxLayout;
    auto button = [&](const QString& Name) {
        auto* b = new QToolButton(box);
        b->setObjectName(Name);
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        bar->addWidget(b);
        return b;
    };
    BtnRun = button(QStringLiteral("BtnRun"));
    BtnPause = button(QStringLiteral("BtnPause"));
    BtnStop = button(QStringLiteral("BtnStop"));
    bar->addStretch(1);
    BtnShowDashboard = button(QStringLiteral("BtnShowDashboard"));
    v->addLayout(bar);
    LblCurrentDate = new QLabel(box);
    LblCurrentDate->setObjectName(QStringLiteral("LblCurrentDate"));
    RzProgressBarRun = new QProgressBar(box);
    RzProgressBarRun->setObjectName(QStringLiteral("RzProgressBarRun"));
    LblCalcDuration = new QLabel(box);
    LblCalcDuration->setObjectName(QStringLiteral("LblCalcDuration"));
    LblSmartMessage = new QLabel(box);
    LblSmartMessage->setObjectName(QStringLiteral("LblSmartMessage"));
    LblSmartMessage->setStyleSheet(
        QStringLiteral("QLabel { background: #fff8d0; border: 1px solid #c0a000; padding: 15px 30px; }"));
    for (QWidget* w : std::initializer_list<QWidget*>{LblCurrentDate, RzProgressBarRun, LblCalcDuration,
                                                      LblSmartMessage}) {
        v->addWidget(w);
        w->hide();
    }
    return box;
}

QWidget* TSimulationCard::MakeResults()
{
    auto* split = new QSplitter(Qt::Vertical, this);
    GridCounter = new QTableView(split);
    GridCounter->setObjectName(QStringLiteral("GridCounter"));
    GridCounter->setContextMenuPolicy(Qt::CustomContextMenu);
    GridCounter->verticalHeader()->hide();
    GridCounter->verticalHeader()->setDefaultSectionSize(GridCounter->fontMetrics().height() + 6);
    auto* lower = new QSplitter(Qt::Horizontal, split);
    ChartSurface = new TSurfaceView(lower);
    ChartSurface->setObjectName(QStringLiteral("ChartSurface"));
    ChartSurface->setContextMenuPolicy(Qt::CustomContextMenu);
    MemoLog = new QPlainTextEdit(lower);
    MemoLog->setObjectName(QStringLiteral("MemoLog"));
    MemoLog->setReadOnly(true);
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 2);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    return split;
}

void TSimulationCard::Connect()
{
    // A refresh writes under blockers; only the user's edits change the model.
    connect(EditDuration, &QLineEdit::textEdited, this, Guarded([this] { EditDurationChange(); }));
    connect(EdtDeltaTime, &QLineEdit::textEdited, this, Guarded([this] { SpinEditTimeMultiChange(); }));
    connect(SpinEditTimeMulti, &QSpinBox::valueChanged, this, Guarded([this] { SpinEditTimeMultiChange(); }));
    connect(CBoxUseGW, &QCheckBox::clicked, this, Guarded([this](bool On) { CBoxUseGWClick(On); }));
    connect(EdtDataDir, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EdtDataDirChange(T); }));
    connect(EdtDataFile, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EdtDataFileChange(T); }));
    connect(Button7, &QPushButton::clicked, this, Guarded([this] { Button7Click(); }));
}

void TSimulationCard::SetProject(TProject* Project)
{
    if (OnProjectChanging) OnProjectChanging();
    FProject = Project;
}

void TSimulationCard::FillMonthList()
{
    const QSignalBlocker b(ListMonthSave);
    ListMonthSave->clear();
    const QLocale loc;
    for (int m = 1; m <= 12; ++m) {
        auto* item = new QListWidgetItem(loc.monthName(m, QLocale::ShortFormat), ListMonthSave);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TSimulationCard::Button7Click()
{
    for (int i = 0; i < ListMonthSave->count(); ++i) ListMonthSave->item(i)->setCheckState(Qt::Checked);
}

int TSimulationCard::CountMonthsToSave() const
{
    int n = 0;
    for (int i = 0; i < ListMonthSave->count(); ++i) n += ListMonthSave->item(i)->checkState() == Qt::Checked;
    return n;
}

TRunSettings TSimulationCard::RunSettings() const
{
    TRunSettings s;
    s.Duration = EditDuration->text();
    const QDate d = RzDateTimeEditStart->date();
    s.StartDate = EncodeDate(d.year(), d.month(), d.day());
    s.DeltaTime = EdtDeltaTime->text();
    s.Multiplier = SpinEditTimeMulti->value();
    for (int i = 0; i < 12 && i < ListMonthSave->count(); ++i)
        s.Months[size_t(i)] = ListMonthSave->item(i)->checkState() == Qt::Checked;
    s.DataDir = EdtDataDir->text();
    s.DataFile = EdtDataFile->text();
    return s;
}

void TSimulationCard::SetRunSettingsEnabled(bool On)
{
    for (QWidget* w : std::initializer_list<QWidget*>{EditDuration, RzDateTimeEditStart, EdtDeltaTime,
                                                      SpinEditTimeMulti, CBoxUseGW})
        w->setEnabled(On);
}

QString TSimulationCard::TimestepLoadText(double Minutes, int Multiplier)
{
    return FloatToStr(Minutes / std::max(1, Multiplier)) + QStringLiteral(" min");
}

void TSimulationCard::RefreshRunPage()
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model) return;
    const TMainLoop& loop = *model->MainLoop();
    const TTimeEngine& e = loop.TimeEngine();
    const QSignalBlocker b1(EditDuration), b2(EdtDeltaTime), b3(RzDateTimeEditStart), b4(CBoxUseGW),
        b5(SpinEditTimeMulti), b6(EdtDataFile), b7(EdtDataDir);
    EditDuration->setText(FloatToStr(e.Endtime() / 86400));
    const double minutes = model->FieldModel()->DeltaTime() / 60;
    EdtDeltaTime->setText(FloatToStr(minutes));
    if (e.RealStartTime() > 0) RzDateTimeEditStart->setDate(ToQDate(e.RealStartTime()));
    CBoxUseGW->setChecked(loop.UseGW());
    SpinEditTimeMulti->setValue(std::clamp(loop.FieldMultiplier(), MinTimeMultiplier, MaxTimeMultiplier));
    LblTimestepLoad->setText(TimestepLoadText(minutes, SpinEditTimeMulti->value()));
    EdtDataFile->setText(model->DataFilePrefix());
    if (!model->DataFileDir().isEmpty() && QDir(model->DataFileDir()).exists())
        EdtDataDir->setText(model->DataFileDir());
}

void TSimulationCard::Changed()
{
    if (OnChanged) OnChanged();
}

void TSimulationCard::EditDurationChange()
{
    if (!FControl || !FControl->Model()) return;
    double days = 0;
    // A half-typed duration keeps the one the model has.
    if (!ParseRunNumber(EditDuration->text(), days) || days <= 0) return;
    FControl->SetDuration(days);
    Changed();
}

void TSimulationCard::SpinEditTimeMultiChange()
{
    TThermModel* model = FControl ? FControl->Model() : nullptr;
    if (!model) return;
    double minutes = 0;
    if (!ParseRunNumber(EdtDeltaTime->text(), minutes)) minutes = model->FieldModel()->DeltaTime() / 60;
    LblTimestepLoad->setText(TimestepLoadText(minutes, SpinEditTimeMulti->value()));
    // A step that is no positive number is refused by the run's checks.
    if (minutes <= 0) return;
    FControl->SetRunTimes(minutes * 60, SpinEditTimeMulti->value());
    Changed();
}

void TSimulationCard::CBoxUseGWClick(bool On)
{
    if (!FControl || !FControl->Model()) return;
    FControl->SetUseGW(On);
    Changed();
}

void TSimulationCard::EdtDataDirChange(const QString& Text)
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model) return;
    model->SetDataFileDir(Text);
    Changed();
}

void TSimulationCard::EdtDataFileChange(const QString& Text)
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model) return;
    model->SetDataFilePrefix(Text);
    Changed();
}
