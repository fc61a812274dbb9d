#include "ui/results/SurfaceForm.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/run/RunDisplay.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/UIUtilities.h"
#include "ui/results/SurfaceView.h"

namespace {

// x, y and T of one dump line; false unless it holds three numbers.
bool ParseLine(QStringView Line, TSurfacePoint& P)
{
    const QList<QStringView> fields = Line.split(u'\t');
    double x = 0, y = 0, t = 0;
    if (fields.size() < 3 || !TryStrToFloatC(fields[0], x) || !TryStrToFloatC(fields[1], y) ||
        !TryStrToFloatC(fields[2], t))
        return false;
    P = {x, t, y};
    return true;
}

} // namespace

TSurfaceForm::TSurfaceForm(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("SurfaceForm"));
    setWindowTitle(QStringLiteral("Temperaturfeld"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setIconSize(QSize(24, 24));
    BtnRefresh = AddCaptionedToolButton(ToolBar1, QStringLiteral("Aktualisieren"), iiOpen);
    BtnCopy = AddCaptionedToolButton(ToolBar1, QStringLiteral("Bild kopieren"), iiCopy);
    BtnEditChart = AddCaptionedToolButton(ToolBar1, QStringLiteral("Graph bearbeiten"), iiEdit);
    layout->addWidget(ToolBar1);

    Splitter = new QSplitter(Qt::Horizontal, this);
    ChartSurface = new TSurfaceView(Splitter);
    LVDataFiles = new QTreeWidget(Splitter);
    LVDataFiles->setObjectName(QStringLiteral("LVDataFiles"));
    LVDataFiles->setHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Jahr")});
    LVDataFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVDataFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVDataFiles->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    LVDataFiles->header()->setStretchLastSection(false);
    Splitter->addWidget(ChartSurface);
    Splitter->addWidget(LVDataFiles);
    Splitter->setStretchFactor(0, 1);
    Splitter->setSizes({620, 260});
    layout->addWidget(Splitter, 1);

    auto* menu = new QMenu(BtnEditChart);
    connect(menu->addAction(QStringLiteral("Ansicht zurücksetzen")), &QAction::triggered, this,
            [this] { ChartSurface->ResetView(); });
    QAction* edges = menu->addAction(QStringLiteral("Dreieckskanten anzeigen"));
    edges->setCheckable(true);
    connect(edges, &QAction::toggled, this, [this](bool On) { ChartSurface->SetShowEdges(On); });
    BtnEditChart->setMenu(menu);
    BtnEditChart->setPopupMode(QToolButton::InstantPopup);

    connect(BtnRefresh, &QToolButton::clicked, this, Guarded([this] { BtnRefreshClick(); }));
    connect(BtnCopy, &QToolButton::clicked, this, Guarded([this] { BtnCopyClick(); }));
    connect(LVDataFiles, &QTreeWidget::currentItemChanged, this,
            Guarded([this](QTreeWidgetItem* Item, QTreeWidgetItem*) { LVDataFilesSelectItem(Item); }));
    PopulateFilelist(QString(), QString());
    resize(900, 520);
}

void TSurfaceForm::PopulateFilelist(const QString& ADir, const QString& ABase)
{
    BaseDirectory = ADir;
    BaseText = ABase;
    const QSignalBlocker block(LVDataFiles);
    LVDataFiles->clear();
    std::vector<QTreeWidgetItem*> groups;
    for (int m = 1; m <= 12; ++m) {
        auto* g = new QTreeWidgetItem(LVDataFiles, {UserLocale().standaloneMonthName(m, QLocale::LongFormat)});
        g->setData(0, Qt::UserRole, m);
        g->setFlags(Qt::ItemIsEnabled);
        QFont f = g->font(0);
        f.setBold(true);
        g->setFont(0, f);
        groups.push_back(g);
    }
    if (!ADir.isEmpty()) {
        QDir dir(ADir);
        const QStringList names =
            dir.entryList({ABase + QStringLiteral("*.txt")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& name : names) {
            int year = 0, month = 0, day = 0, hour = 0, minute = 0;
            if (!ParseDataFileDate(name, year, month, day, hour, minute)) continue;
            new QTreeWidgetItem(groups[month - 1], {name, IntToStr(year)});
        }
    }
    LVDataFiles->expandAll();
}

void TSurfaceForm::ReadFieldFile(const QString& APath, std::vector<TSurfacePoint>& Points)
{
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2")
                             .arg(QDir::toNativeSeparators(APath), file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        TSurfacePoint p;
        if (!ParseLine(line, p))
            throw EConvertError(QStringLiteral("Zeile %1 der Datei \"%2\" enthält keine drei Zahlen: \"%3\"")
                                    .arg(i + 1)
                                    .arg(QDir::toNativeSeparators(APath), line.left(80).toString()));
        Points.push_back(p);
    }
}

void TSurfaceForm::LoadFile(const QString& AFilename)
{
    const QString path = QDir(BaseDirectory).filePath(AFilename);
    if (AFilename.isEmpty() || !QFileInfo::exists(path)) return;
    std::vector<TSurfacePoint> points;
    try {
        ReadFieldFile(path, points);
    } catch (...) {
        ChartSurface->SetPoints(points);
        throw;
    }
    ChartSurface->SetPoints(points);
}

void TSurfaceForm::LVDataFilesSelectItem(QTreeWidgetItem* Item)
{
    if (!Item || !Item->parent()) return;
    LoadFile(Item->text(0));
}

void TSurfaceForm::BtnRefreshClick()
{
    PopulateFilelist(BaseDirectory, BaseText);
}

void TSurfaceForm::BtnCopyClick()
{
    QApplication::clipboard()->setImage(ChartSurface->grab().toImage());
}
