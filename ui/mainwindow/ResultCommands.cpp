#include "ui/mainwindow/ResultCommands.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtCharts/QChart>

#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumElements.h"
#include "model/fe/NumModel.h"
#include "model/fe/NumNodes.h"
#include "model/meshfiles/Nodes.h"
#include "model/model/MainModelObj.h"
#include "model/monitoring/MonitoringList.h"
#include "model/run/CounterTable.h"
#include "model/run/MainLoopObj.h"
#include "plan/D2ElementWrapper.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/UIUtilities.h"
#include "ui/mainwindow/CounterGridModel.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MeshCommands.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/RunControl.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/monitoring/FormMonitoring.h"
#include "ui/results/FormDashboard.h"
#include "ui/results/FormGraph.h"
#include "ui/results/ResultWindows.h"
#include "ui/results/SurfaceForm.h"
#include "ui/results/SurfaceView.h"

#include <algorithm>
#include <cmath>

namespace {

const QStringList ElementCaptions = {
    QStringLiteral("Nr."),          QStringLiteral("Node 1 X [m]"),     QStringLiteral("Node 1 Y [m]"),
    QStringLiteral("Node 2 X [m]"), QStringLiteral("Node 2 Y [m]"),     QStringLiteral("Node 3 X [m]"),
    QStringLiteral("Node 3 Y [m]"), QStringLiteral("λ [W/m/K]"),        QStringLiteral("C [MJ/m³/K]"),
    QStringLiteral("Mächtigkeit [m]"), QStringLiteral("Q geo [W/m²]"), QStringLiteral("α [W/m²/K]"),
    QStringLiteral("Fläche [m²]")};
const QStringList ElementHints = {
    QString(), QString(), QString(), QString(), QString(), QString(), QString(),
    QStringLiteral("Wärmeleitfähigkeit"), QStringLiteral("volumetrische Wärmekapazität"), QString(),
    QStringLiteral("geothermischer Wärmestrom"), QStringLiteral("Wärmeübergangskoeffizient Luft-Erdoberfläche"),
    QString()};
const QStringList NodeCaptions = {QStringLiteral("X [m]"),    QStringLiteral("Y [m]"),
                                  QStringLiteral("ϑ [°C]"),   QStringLiteral("Q [W]"),
                                  QStringLiteral("Boundary"), QStringLiteral("Lufttemperatur [°C]"),
                                  QStringLiteral("ϑ prev. [°C]")};

QString Fixed2(double V)
{
    return FloatToFixedOrEmpty(V, 2);
}

} // namespace

TResultCommands::TResultCommands(TFormLoad& Window, TRunControl& Run) : QObject(&Run), FWindow(Window), FRun(Run)
{
    MakeInspector();
    MakeDataFileList();
    MakeMenus();
    FWindow.PlanView()->SetHost(this);
    TMainActions& a = *FWindow.Actions();
    a.SetCommand(a.Zhler1, [this] { Zhler1Click(); });
    a.SetCommand(a.emperaturfelder1, [this] { emperaturfelder1Click(); });
    TSimulationCard& card = *FWindow.SimulationCard();
    connect(card.BtnDisplayDataDir, &QToolButton::clicked, this, Guarded([this] { BtnDisplayDataDirClick(); }));
    card.OnProjectChanging = [this] { ProjectClosing(); };
    connect(FWindow.CardPanelMain(), &QStackedWidget::currentChanged, this, Guarded([this](int Index) {
                if (Index == mcMap) RefreshDataFileList();
            }));
    if (TFormMonitoring* m = FRun.ResultWindows().FormMonitoring())
        m->RefreshMap = [this](TObject*) { FWindow.RefreshAndChanged(); };
}

TPlanHost& TResultCommands::Host() const
{
    return FWindow;
}

void TResultCommands::MakeInspector()
{
    InspectorBarProp = new QTreeWidget;
    InspectorBarProp->setObjectName(QStringLiteral("InspectorBarProp"));
    InspectorBarProp->setColumnCount(2);
    InspectorBarProp->setHeaderLabels({QStringLiteral("Eigenschaft"), QStringLiteral("Wert")});
    InspectorBarProp->setRootIsDecorated(true);
    InspectorBarProp->setMinimumHeight(200);
    auto panel = [this](const QString& Caption, const QStringList& Items, const QStringList& Hints) {
        auto* top = new QTreeWidgetItem(InspectorBarProp, {Caption});
        for (int i = 0; i < Items.size(); ++i) {
            auto* item = new QTreeWidgetItem(top, {Items[i]});
            if (i < Hints.size() && !Hints[i].isEmpty()) item->setToolTip(0, Hints[i]);
        }
        top->setExpanded(true);
    };
    panel(QStringLiteral("Element"), ElementCaptions, ElementHints);
    panel(QStringLiteral("Node"), NodeCaptions, {QString(), QString(), QString(), QString(), QString(), QString(),
                                                 QStringLiteral("Temperatur zu Beginn des Zeitschritts")});
    InspectorBarProp->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FWindow.ProbesCard()->AddSidePanel(QStringLiteral("Elemente/Nodes"), InspectorBarProp);
}

void TResultCommands::MakeDataFileList()
{
    LVDataFiles = new QTreeWidget;
    LVDataFiles->setObjectName(QStringLiteral("LVDataFiles"));
    LVDataFiles->setColumnCount(2);
    LVDataFiles->setHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Jahr")});
    LVDataFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVDataFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVDataFiles->setMinimumHeight(120);
    connect(LVDataFiles, &QTreeWidget::currentItemChanged, this,
            Guarded([this](QTreeWidgetItem* Item, QTreeWidgetItem*) { LVDataFilesSelectItem(Item); }));
    FWindow.ProbesCard()->AddSidePanel(QStringLiteral("Isothermen"), LVDataFiles, 1);
}

void TResultCommands::MakeMenus()
{
    auto make = [this](const QString& Name, const QString& Caption, int Image, auto Handler) {
        auto* a = new QAction(Caption, this);
        a->setObjectName(Name);
        if (Image >= 0) a->setIcon(KPIcon(TImageIndex(Image)));
        connect(a, &QAction::triggered, this, Guarded(Handler));
        return a;
    };
    MonitorAddNode = make(QStringLiteral("MonitorAddNode"), QStringLiteral("Node beobachten"), iiMonitoring,
                          [this] { MonitorAddNodeExecute(); });
    PopupMenuObserve = new QMenu(FWindow.PlanView()->PaintBox() ? static_cast<QWidget*>(FWindow.ProbesCard())
                                                                : &FWindow);
    PopupMenuObserve->setObjectName(QStringLiteral("PopupMenuMapView"));
    PopupMenuObserve->addAction(MonitorAddNode);
    tbMonitored = make(QStringLiteral("tbMonitored"), QStringLiteral("Aufzeichnen"), iiGraph,
                       [this] { BtnMonitoredClick(); });
    FWindow.ProbesCard()->ToolBarMap->addAction(tbMonitored);

    TSimulationCard& card = *FWindow.SimulationCard();
    PopupMenuCounterGrid = new QMenu(card.GridCounter);
    PopupMenuCounterGrid->setObjectName(QStringLiteral("PopupMenuCounterGrid"));
    Kopieren1 = make(QStringLiteral("Kopieren1"), QStringLiteral("Kopieren"), iiCopy, [this] { Kopieren1Click(); });
    Graphanzeigen1 = make(QStringLiteral("Graphanzeigen1"), QStringLiteral("Graph anzeigen"), iiGraph,
                          [this] { Graphanzeigen1Click(); });
    GrundwasserLogKopieren1 = make(QStringLiteral("GrundwasserLogKopieren1"),
                                   QStringLiteral("Grundwasser-Log kopieren"), -1,
                                   [this] { GrundwasserLogKopierenClick(); });
    PopupMenuCounterGrid->addActions({Kopieren1, Graphanzeigen1, GrundwasserLogKopieren1});
    connect(card.GridCounter, &QWidget::customContextMenuRequested, this,
            Guarded([this](const QPoint& Pos) { GridContextMenu(Pos); }));

    PopupMenuChart = new QMenu(card.ChartSurface);
    PopupMenuChart->setObjectName(QStringLiteral("PopupMenuChart"));
    Kopieren2 = make(QStringLiteral("Kopieren2"), QStringLiteral("Kopieren"), iiCopy, [this] { Kopieren2Click(); });
    Rescale1 = make(QStringLiteral("Rescale1"), QStringLiteral("Rescale"), iiZoomAll, [this] { Rescale1Click(); });
    PopupMenuChart->addActions({Kopieren2, Rescale1});
    connect(card.ChartSurface, &QWidget::customContextMenuRequested, this, [this](const QPoint& Pos) {
        PopupMenuChart->popup(FWindow.SimulationCard()->ChartSurface->mapToGlobal(Pos));
    });
}

void TResultCommands::UpdateActions()
{
    const bool model = FWindow.Control().Model() != nullptr;
    // Watching another node changes the model's list, not what the run uses.
    MonitorAddNode->setEnabled(model);
    tbMonitored->setEnabled(model);
}

// ---- inspector

QTreeWidgetItem* TResultCommands::InspectorItem(int Panel, int Index) const
{
    QTreeWidgetItem* top = InspectorBarProp->topLevelItem(Panel);
    return top && Index >= 0 && Index < top->childCount() ? top->child(Index) : nullptr;
}

void TResultCommands::ShowElementProperties(TElement* Element)
{
    if (!Element) return;
    InspectorBarProp->setUpdatesEnabled(false);
    auto set = [this](int I, const QString& T) {
        if (QTreeWidgetItem* it = InspectorItem(0, I)) it->setText(1, T);
    };
    int nr = -1;
    const auto& items = FWindow.PlanView()->D2ElementsList();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->Element() == Element) nr = int(i);
    set(0, IntToStr(nr));
    for (int k = 0; k < 3; ++k) {
        const TNode* n = Element->Nodes(k);
        set(1 + 2 * k, n ? Fixed2(n->X()) : QString());
        set(2 + 2 * k, n ? Fixed2(n->Y()) : QString());
    }
    if (const auto* t = dynamic_cast<const TTransientTriangle*>(Element)) {
        const double h = t->Thickness();
        const bool thick = std::isfinite(h) && h > 0;
        set(7, thick ? FloatToStr(t->T() / h) : QString());
        set(8, thick ? FloatToStr(t->Storage() / h / 1000000) : QString());
        set(9, thick ? FloatToStr(h) : QString());
        set(10, FloatToStr(t->Infiltration()));
        set(11, t->Leakage() >= 1e30 ? QStringLiteral("0") : FloatToStr(1 / t->Leakage()));
    }
    set(12, Fixed2(Element->Area()));
    InspectorBarProp->setUpdatesEnabled(true);
}

void TResultCommands::ShowNodeProperties(TNode* Node)
{
    if (!Node) return;
    InspectorBarProp->setUpdatesEnabled(false);
    auto set = [this](int I, const QString& T) {
        if (QTreeWidgetItem* it = InspectorItem(1, I)) it->setText(1, T);
    };
    set(0, Fixed2(Node->X()));
    set(1, Fixed2(Node->Y()));
    set(2, Fixed2(Node->F()));
    set(3, Fixed2(Node->Q()));
    static const QStringList kinds = {QStringLiteral("None"), QStringLiteral("Fixed temperature"),
                                      QStringLiteral("Fixed flow"), QStringLiteral("Semi")};
    const int bc = int(Node->BorderCondition());
    set(4, bc >= 0 && bc < kinds.size() ? kinds[bc] : QString());
    set(5, Fixed2(Node->FN()));
    set(6, Fixed2(Node->FA()));
    InspectorBarProp->setUpdatesEnabled(true);
}

// ---- monitoring

void TResultCommands::PopupObserveMenu(TNode* Node, QPoint GlobalPos)
{
    (void)Node;
    // Non-blocking: the plan has already noted the node under the mouse.
    PopupMenuObserve->popup(GlobalPos);
}

void TResultCommands::MonitorAddNodeExecute()
{
    TThermModel* m = FWindow.Control().Model();
    if (!m) return;
    TPlanView& plan = *FWindow.PlanView();
    TMonitoringList& list = *m->MonitoringList();
    if (TD2Node* n = plan.NodeMonitor()) list.AddObsPoint(n->Node());
    for (const TD2Node* n : plan.D2SelectedNodes()) list.AddObsPoint(n->Node());
    FWindow.RefreshAndChanged();
}

void TResultCommands::BtnMonitoredClick()
{
    if (TThermModel* m = FWindow.Control().Model()) m->MonitoringList()->ShowItemsDlg();
}

void TResultCommands::ProjectClosing()
{
    FRun.CounterGrid().SetTable(nullptr, 0);
    FRun.ResultWindows().ProjectClosed();
    if (TSurfaceView* s = FWindow.SimulationCard()->ChartSurface) s->Clear();
    LVDataFiles->clear();
    for (int p = 0; p < InspectorBarProp->topLevelItemCount(); ++p)
        for (int i = 0; i < InspectorBarProp->topLevelItem(p)->childCount(); ++i)
            InspectorBarProp->topLevelItem(p)->child(i)->setText(1, QString());
}

// ---- counter grid and surface menus

void TResultCommands::GridContextMenu(const QPoint& Pos)
{
    QTableView* v = FWindow.SimulationCard()->GridCounter;
    // The column under the mouse is the one "Graph anzeigen" plots.
    const QModelIndex i = v->indexAt(Pos);
    if (i.isValid()) v->setCurrentIndex(i);
    PopupMenuCounterGrid->popup(v->viewport()->mapToGlobal(Pos));
}

void TResultCommands::Kopieren1Click()
{
    QGuiApplication::clipboard()->setText(FRun.CounterGrid().AsText());
}

void TResultCommands::Graphanzeigen1Click()
{
    TFormGraph* g = FRun.ResultWindows().FormGraph();
    if (!g) return;
    g->show();
    g->raise();
    g->TimeChart->setTitle(QStringLiteral("Verlauf"));
    const int c = FWindow.SimulationCard()->GridCounter->currentIndex().column();
    const TCounterTable* t = FRun.CounterGrid().Table();
    if (c <= 1 || !t) return;
    std::vector<TFormGraph::TPoint> points;
    for (int r = 1; r < t->RowCount(); ++r) {
        const TDateTime d = t->RowDate(r);
        // Empty rows are no data, not zeros.
        if (std::isnan(d)) continue;
        const double v = t->CellValue(r, c);
        if (!std::isnan(v)) points.push_back({d, v});
    }
    g->AddSeries(t->CellText(0, c), points);
}

void TResultCommands::GrundwasserLogKopierenClick()
{
    // One log text for both places the command sits.
    FWindow.MeshCommands()->GrundwasserLogkopieren1Click();
}

void TResultCommands::Kopieren2Click()
{
    QGuiApplication::clipboard()->setImage(FWindow.SimulationCard()->ChartSurface->grab().toImage());
}

void TResultCommands::Rescale1Click()
{
    FWindow.SimulationCard()->ChartSurface->ResetView();
}

// ---- saved fields as isotherm source

void TResultCommands::RefreshDataFileList()
{
    LVDataFiles->clear();
    std::vector<QTreeWidgetItem*> groups;
    const QLocale loc;
    for (int m = 1; m <= 12; ++m) {
        auto* g = new QTreeWidgetItem(LVDataFiles, {loc.monthName(m)});
        g->setData(0, Qt::UserRole, m);
        g->setFlags(Qt::ItemIsEnabled);
        groups.push_back(g);
    }
    const TThermModel* model = FWindow.Control().Model();
    if (model && !model->DataFileDir().isEmpty()) {
        const QDir dir(model->DataFileDir());
        const QStringList names = dir.entryList({model->DataFilePrefix() + QStringLiteral("*.txt")}, QDir::Files,
                                                QDir::Name);
        for (const QString& name : names) {
            int y = 0, mo = 0, d = 0, h = 0, mi = 0;
            if (!ParseDataFileDate(name, y, mo, d, h, mi)) continue;
            new QTreeWidgetItem(groups[size_t(mo - 1)], {name, QString::number(y)});
        }
    }
    for (QTreeWidgetItem* g : groups) g->setExpanded(g->childCount() > 0);
}

bool TResultCommands::ReadIsothermSource(T2DTriangleModel& Model, const QString& Path, QString& Message)
{
    QStringList lines = Nodes::LoadLinesFromFile(Path);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    const int n = std::min<int>(int(lines.size()), Model.NodeCount());
    for (int k = 0; k < n; ++k) {
        if (!Model.GetNodes(k)->ReadFCustomFromTextLine(lines[k])) {
            Message = Format(QStringLiteral("Zeile %d der Datei %s ist fehlerhaft; die Werte davor werden gezeigt."),
                             {k + 1, QFileInfo(Path).fileName()});
            return false;
        }
    }
    if (lines.size() != Model.NodeCount()) {
        Message = Format(QStringLiteral("Die Datei %s hat %d Zeilen, das Modell %d Knoten."),
                         {QFileInfo(Path).fileName(), int(lines.size()), Model.NodeCount()});
        return false;
    }
    return true;
}

void TResultCommands::LVDataFilesSelectItem(QTreeWidgetItem* Item)
{
    TThermModel* m = FWindow.Control().Model();
    if (!Item || !Item->parent() || !m) return;
    const QString caption = Item->text(0);
    // The list and the reading use the same folder: the model's.
    const QString path = QDir(m->DataFileDir()).filePath(caption);
    if (!QFileInfo(path).isFile()) return;
    QString message;
    if (ReadIsothermSource(*m->FieldModel(), path, message)) {
        AddHint(Format(QStringLiteral("Reading contours from: %s"), {caption}));
    } else {
        AddHint(Format(QStringLiteral("Error reading file %s"), {caption}));
        AddHint(message);
    }
    m->RefreshContourMap();
    FWindow.PlanView()->Repaint();
}

void TResultCommands::ShowFinalIsotherms()
{
    TThermModel* m = FWindow.Control().Model();
    if (!m) return;
    T2DTriangleModel& fe = *m->FieldModel();
    for (int k = 0; k < fe.NodeCount(); ++k) fe.GetNodes(k)->SetFCustom(fe.GetNodes(k)->F());
    m->RefreshContourMap();
    FWindow.PlanView()->Repaint();
    RefreshDataFileList();
}

void TResultCommands::AddHint(const QString& Line)
{
    FWindow.ProbesCard()->MemoMsg->appendPlainText(Line);
}

// ---- result windows

void TResultCommands::Zhler1Click()
{
    if (TFormDashboard* d = FRun.ResultWindows().FormDashboard()) d->setVisible(!d->isVisible());
}

void TResultCommands::emperaturfelder1Click()
{
    TSurfaceForm* s = FRun.ResultWindows().SurfaceForm();
    if (!s) return;
    if (const TThermModel* m = FWindow.Control().Model()) s->PopulateFilelist(m->DataFileDir(), m->DataFilePrefix());
    s->show();
    s->raise();
}

void TResultCommands::BtnDisplayDataDirClick()
{
    TSurfaceForm* s = FRun.ResultWindows().SurfaceForm();
    if (!s) return;
    const TSimulationCard& card = *FWindow.SimulationCard();
    s->PopulateFilelist(card.EdtDataDir->text(), card.EdtDataFile->text());
    s->show();
    s->raise();
}

// ---- plan host: the rest is the window's

void TResultCommands::SetStatusText(const QString& Text) { Host().SetStatusText(Text); }
void TResultCommands::ProjectChanged() { Host().ProjectChanged(); }
void TResultCommands::MeshOutOfDate() { Host().MeshOutOfDate(); }
void TResultCommands::BHEAdded(TBHE* BHE) { Host().BHEAdded(BHE); }
void TResultCommands::BHEMoved(TBHE* BHE) { Host().BHEMoved(BHE); }
void TResultCommands::SetMessageLines(const QStringList& Lines) { Host().SetMessageLines(Lines); }
void TResultCommands::ShowError(const QString& Text) { Host().ShowError(Text); }
bool TResultCommands::AskYesNo(const QString& Question) { return Host().AskYesNo(Question); }
const TBHE* TResultCommands::BHETypeAt(int Index) { return Host().BHETypeAt(Index); }
