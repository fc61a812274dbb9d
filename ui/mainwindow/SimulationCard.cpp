#include "ui/mainwindow/SimulationCard.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"

TSimulationCard::TSimulationCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardMonitoring"));
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(MakeSettingsBox());
    auto* runBar = new QHBoxLayout;
    auto runButton = [&](const QString& Name, const QString& Tip, TImageIndex Image) {
        auto* b = new QToolButton(this);
        b->setObjectName(Name);
        b->setToolTip(Tip);
        b->setIcon(KPIcon(Image));
        b->setIconSize(QSize(32, 32));
        runBar->addWidget(b);
        return b;
    };
    BtnRun = runButton(QStringLiteral("BtnRun"), QStringLiteral("Simulation starten"), iiRun);
    BtnPause = runButton(QStringLiteral("BtnPause"), QStringLiteral("Simulation anhalten"), iiPause);
    BtnStop = runButton(QStringLiteral("BtnStop"), QStringLiteral("Simulation beenden"), iiStop);
    runBar->addStretch(1);
    left->addLayout(runBar);
    left->addStretch(1);
    outer->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    GridCounter = new QTableWidget(this);
    GridCounter->setObjectName(QStringLiteral("GridCounter"));
    MemoLog = new QPlainTextEdit(this);
    MemoLog->setObjectName(QStringLiteral("MemoLog"));
    MemoLog->setReadOnly(true);
    right->addWidget(GridCounter, 2);
    right->addWidget(MemoLog, 1);
    outer->addLayout(right, 2);
    FillMonthList();
    // A refresh writes under a blocker; only typing changes the model.
    connect(EdtDataFile, &QLineEdit::textEdited, this, Guarded([this](const QString& T) { EdtDataFileChange(T); }));
}

QWidget* TSimulationCard::MakeSettingsBox()
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
    dirRow->addWidget(EdtDataDir, 1);
    dirRow->addWidget(BtnDataDir);
    form->addRow(QStringLiteral("Speicherort"), dirRow);
    EdtDataFile = new QLineEdit(box);
    EdtDataFile->setObjectName(QStringLiteral("EdtDataFile"));
    form->addRow(QStringLiteral("Datei Stammname"), EdtDataFile);
    ListMonthSave = new QListWidget(box);
    ListMonthSave->setObjectName(QStringLiteral("ListMonthSave"));
    ListMonthSave->setMaximumHeight(140);
    form->addRow(QStringLiteral("Temperaturfelder"), ListMonthSave);
    EdtDeltaTime = new QLineEdit(box);
    EdtDeltaTime->setObjectName(QStringLiteral("EdtDeltaTime"));
    form->addRow(QStringLiteral("Zeitschritt [s]"), EdtDeltaTime);
    SpinEditTimeMulti = new QSpinBox(box);
    SpinEditTimeMulti->setObjectName(QStringLiteral("SpinEditTimeMulti"));
    SpinEditTimeMulti->setRange(1, 100);
    form->addRow(QStringLiteral("Lastschritte je Zeitschritt"), SpinEditTimeMulti);
    return box;
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

void TSimulationCard::RefreshRunPage()
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model) return;
    const QSignalBlocker b(EdtDataFile);
    EdtDataFile->setText(model->DataFilePrefix());
}

void TSimulationCard::EdtDataFileChange(const QString& Text)
{
    TThermModel* model = FProject ? FProject->Model() : nullptr;
    if (!model) return;
    model->SetDataFilePrefix(Text);
    if (OnChanged) OnChanged();
}
