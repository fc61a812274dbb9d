#include "ui/mainwindow/MapCommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>
#include <QToolButton>

#include "model/control/ProjectControl.h"
#include "model/fe/NumModel.h"
#include "model/map/BackgroundObject.h"
#include "model/project/ProjectObj.h"
#include "model/run/MainLoopObj.h"
#include "model/settings/KPSettings.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/MyCursor.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/PlanExport.h"
#include "ui/mainwindow/PlanZoom.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/print/MapPrinter.h"
#include "ui/print/PageObj.h"
#include "ui/print/PrintInfo.h"

namespace {

// The pictures Qt reads here; the Windows metafiles are not among them.
QString MapPictureFilter()
{
    return QStringLiteral(
        "Alle (*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff;*.ico)|*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff;*.ico|"
        "GIF-Bild (*.gif)|*.gif|"
        "Portable Network Graphics (*.png)|*.png|"
        "JPEG-Bild (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
        "Bitmap (*.bmp)|*.bmp|"
        "TIFF-Bild (*.tif;*.tiff)|*.tif;*.tiff|"
        "Symbol (*.ico)|*.ico");
}

bool HasNodes(const TProject* P)
{
    return P && P->Model() && P->Model()->FieldModel() && P->Model()->FieldModel()->NodeCount() > 0;
}

} // namespace

TMapActionRules MapActionRules(const TMapActionInputs& In)
{
    TMapActionRules r;
    // A new map moves the world origin and rebuilds the plan and grid items
    // that a held run still refers to.
    r.Map = In.HasProject && !In.RunActive;
    r.Zoom = In.HasProject;
    r.ZoomModel = In.HasProject && In.HasMesh;
    r.Output = In.HasProject && In.HasMesh && !In.RunLoopActive;
    return r;
}

TMapCommands::TMapCommands(TFormLoad& Window)
    : QObject(&Window), FWindow(Window), FPrintInfo(new TPrintInfo(this)), FPageHeader(std::make_unique<TPageHeader>())
{
    MapOpenImage = Make(QStringLiteral("MapOpenImage"), QStringLiteral("Öffnen..."), QStringLiteral("Karte laden"),
                        iiOpen);
    MapGeoreference = Make(QStringLiteral("MapGeoreference"), QStringLiteral("Georeferenzieren..."),
                           QStringLiteral("Karte georeferenzieren"), iiEdit);
    MapDelete = Make(QStringLiteral("MapDelete"), QStringLiteral("Löschen"), QStringLiteral("Karte löschen"), iiDelete);
    ZoomModel = Make(QStringLiteral("ZoomModel"), QStringLiteral("auf Modellgröße"),
                     QStringLiteral("Ansicht auf FE-Modell"), iiMesh);
    ZoomMap = Make(QStringLiteral("ZoomMap"), QStringLiteral("auf Karte"),
                   QStringLiteral("Ansicht auf Kartengröße anpassen"), iiMap);
    ZoomOneToOne = Make(QStringLiteral("ZoomOneToOne"), QStringLiteral("1:1"), QString(), -1);
    ZoomIn = Make(QStringLiteral("ZoomIn"), QString(), QStringLiteral("Vergrößern"), iiZoomIn);
    ZoomOut = Make(QStringLiteral("ZoomOut"), QString(), QStringLiteral("Verkleinern"), iiZoomOut);
    MapSave = Make(QStringLiteral("MapSave"), QStringLiteral("Karte speichern..."), QString(), iiExport);
    MapPrint = Make(QStringLiteral("MapPrint"), QStringLiteral("Karte drucken"), QString(), iiPrint);
    FilePrintSetup1 = Make(QStringLiteral("FilePrintSetup1"), QStringLiteral("&Druckeinstellungen..."),
                           QStringLiteral("Druckeinstellungen"), -1);
    BuildToolBar();
    Wire();
}

TMapCommands::~TMapCommands() = default;

QAction* TMapCommands::Make(const QString& Name, const QString& Caption, const QString& Hint, int Image)
{
    auto* a = new QAction(Caption, this);
    a->setObjectName(Name);
    if (!Hint.isEmpty()) {
        a->setToolTip(Hint);
        a->setStatusTip(Hint);
    }
    if (Image >= 0) a->setIcon(KPIcon(TImageIndex(Image)));
    a->setEnabled(false);
    return a;
}

void TMapCommands::BuildToolBar()
{
    QToolBar* bar = FWindow.ProbesCard()->ToolBarMap;
    auto button = [bar](const QString& Name, QAction* Action, Qt::ToolButtonStyle Style) {
        auto* b = new QToolButton(bar);
        b->setObjectName(Name);
        if (Action) b->setDefaultAction(Action);
        b->setToolButtonStyle(Style);
        bar->addWidget(b);
        return b;
    };
    auto dropDown = [&](const QString& Name, const QString& Caption, int Image, QMenu* Menu) {
        QToolButton* b = button(Name, nullptr, Qt::ToolButtonTextBesideIcon);
        b->setText(Caption);
        b->setIcon(KPIcon(TImageIndex(Image)));
        b->setMenu(Menu);
        // A plain click opens the menu.
        b->setPopupMode(QToolButton::InstantPopup);
        return b;
    };
    PopupMenuMap = new QMenu(bar);
    PopupMenuMap->setObjectName(QStringLiteral("PopupMenuMap"));
    PopupMenuMap->addActions({MapOpenImage, MapGeoreference, MapDelete});
    PopupMenuZoom = new QMenu(bar);
    PopupMenuZoom->setObjectName(QStringLiteral("PopupMenuZoom"));
    PopupMenuZoom->addActions({ZoomModel, ZoomMap, ZoomOneToOne});
    PopupMenuMapPrint = new QMenu(bar);
    PopupMenuMapPrint->setObjectName(QStringLiteral("PopupMenuMapPrint"));
    PopupMenuMapPrint->addAction(FilePrintSetup1);

    if (!bar->actions().isEmpty()) bar->addSeparator();
    tbMap = dropDown(QStringLiteral("tbMap"), QStringLiteral("Karte"), iiMap, PopupMenuMap);
    tbZoom = dropDown(QStringLiteral("tbZoom"), QStringLiteral("Zoom"), iiZoomAll, PopupMenuZoom);
    tbZoomIn = button(QStringLiteral("tbZoomIn"), ZoomIn, Qt::ToolButtonIconOnly);
    tbZoomOut = button(QStringLiteral("tbZoomOut"), ZoomOut, Qt::ToolButtonIconOnly);
    bar->addSeparator();
    tbSaveMap = button(QStringLiteral("tbSaveMap"), MapSave, Qt::ToolButtonIconOnly);
    tbPrintMap = button(QStringLiteral("tbPrintMap"), MapPrint, Qt::ToolButtonIconOnly);
    tbPrintMap->setMenu(PopupMenuMapPrint);
    tbPrintMap->setPopupMode(QToolButton::MenuButtonPopup);
    tbCreatePDF = button(QStringLiteral("tbCreatePDF"), FWindow.Actions()->MapCreatePDF, Qt::ToolButtonIconOnly);
}

void TMapCommands::Wire()
{
    auto on = [this](QAction* A, void (TMapCommands::*Command)()) {
        connect(A, &QAction::triggered, this, Guarded([this, Command] { (this->*Command)(); }));
    };
    on(MapOpenImage, &TMapCommands::MapOpenImageExecute);
    on(MapGeoreference, &TMapCommands::MapGeoreferenceExecute);
    on(MapDelete, &TMapCommands::MapDeleteExecute);
    on(ZoomModel, &TMapCommands::ZoomModelExecute);
    on(ZoomMap, &TMapCommands::ZoomMapExecute);
    on(ZoomOneToOne, &TMapCommands::ZoomOneToOneExecute);
    connect(ZoomIn, &QAction::triggered, this, Guarded([this] { tbZoomInClick(false); }));
    connect(ZoomOut, &QAction::triggered, this, Guarded([this] { tbZoomInClick(true); }));
    on(MapSave, &TMapCommands::MapSaveExecute);
    on(MapPrint, &TMapCommands::MapPrintExecute);
    on(FilePrintSetup1, &TMapCommands::FilePrintSetup1Execute);
    FWindow.Actions()->SetCommand(FWindow.Actions()->MapCreatePDF, [this] { MapCreatePDFExecute(); });
}

TMapActionInputs TMapCommands::CurrentInputs() const
{
    TMapActionInputs in;
    const TProject* p = FWindow.Project();
    in.HasProject = p != nullptr;
    in.HasMesh = HasNodes(p);
    in.RunLoopActive = FWindow.Control().IsRunLoopActive();
    in.RunActive = FWindow.Control().IsRunActive();
    return in;
}

void TMapCommands::UpdateActions()
{
    const TMapActionRules r = MapActionRules(CurrentInputs());
    for (QAction* a : {MapOpenImage, MapGeoreference, MapDelete}) a->setEnabled(r.Map);
    for (QAction* a : {ZoomMap, ZoomOneToOne, ZoomIn, ZoomOut}) a->setEnabled(r.Zoom);
    ZoomModel->setEnabled(r.ZoomModel);
    MapSave->setEnabled(r.Output);
    MapPrint->setEnabled(r.Output);
    FilePrintSetup1->setEnabled(true);
    tbMap->setEnabled(r.Map);
    tbZoom->setEnabled(r.Zoom);
    // Visible per the window's rule (PDFEnable); usable only with something to print.
    QAction* pdf = FWindow.Actions()->MapCreatePDF;
    if (!r.Output) pdf->setEnabled(false);
}

// ---- map

void TMapCommands::MapOpenImageExecute()
{
    TProject* project = FWindow.Project();
    if (!project) return;
    const QString file = Prompter().OpenFileName(QStringLiteral("Karte laden"), QString(), MapPictureFilter());
    if (file.isEmpty()) return;
    TBackgroundPict& map = *project->MapImage;
    map.LoadGraphic(file, true);
    map.SetFilename(file);
    TPlanMapping& mapping = FWindow.PlanView()->Mapping();
    mapping.SetWorldOrg(QPointF(map.X1(), map.Y1()));
    // The map's top edge comes to the top of the view.
    const QTransform& t = mapping.Transform();
    mapping.SetTransform(QTransform(t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.dx(),
                                    mapping.WorldLengthToPlan(map.WorldHeight()) * t.m22(), t.m33()));
    PlanOriginChanged();
    FWindow.RefreshAndChanged();
}

void TMapCommands::PlanOriginChanged()
{
    TPlanView& view = *FWindow.PlanView();
    view.RebuildPlanItems();
    if (view.GW()) view.BuildGWGridItems();
    if (view.Layer(plContours)) view.ListViewMapItemChecked(plContours, true);
}

void TMapCommands::MapGeoreferenceExecute()
{
    TProject* project = FWindow.Project();
    if (project && project->GeoreferenceMap()) FWindow.RefreshAndChanged();
}

void TMapCommands::MapDeleteExecute()
{
    TProject* project = FWindow.Project();
    if (!project) return;
    project->MapImage->Delete();
    FWindow.RefreshAndChanged();
}

// ---- zoom

void TMapCommands::tbZoomInClick(bool ZoomOut)
{
    const double f = ZoomOut ? 1 / ZoomStep : ZoomStep;
    ZoomAboutCentre(FWindow.PlanView()->Mapping(), f, FWindow.ProbesCard()->MVPaintBoxD2->size());
    FWindow.PlanView()->Repaint();
}

void TMapCommands::ZoomOneToOneExecute()
{
    FWindow.PlanView()->Mapping().SetTransform(QTransform());
    FWindow.PlanView()->Repaint();
}

void TMapCommands::ZoomModelExecute()
{
    const TProject* project = FWindow.Project();
    double x1, x2, y1, y2;
    if (!HasNodes(project) || !project->Model()->FieldModel()->GetModelExtend(x1, x2, y1, y2)) return;
    ZoomToExtent(x1, x2, y1, y2);
}

void TMapCommands::ZoomMapExecute()
{
    const TProject* project = FWindow.Project();
    if (!project) return;
    const TBackgroundPict& map = *project->MapImage;
    ZoomToExtent(map.X1(), map.X2(), map.Y1(), map.Y2());
}

void TMapCommands::ZoomToExtent(double X1, double X2, double Y1, double Y2)
{
    TProbesCard& card = *FWindow.ProbesCard();
    const double zoom = ::ZoomToExtent(FWindow.PlanView()->Mapping(), card.MVPaintBoxD2->size(), X1, X2, Y1, Y2);
    if (zoom <= 0) return;
    card.MemoMsg->appendPlainText(ZoomScaleLine(zoom));
    FWindow.PlanView()->Repaint();
}

// ---- picture and printing

bool TMapCommands::RenderPlanToBitmap(QImage& ABitmap)
{
    return ::RenderPlanToBitmap(*FWindow.PlanView(), ABitmap);
}

QString TMapCommands::ProposedName(const QString& Extension) const
{
    const QString file = FWindow.Control().FileName();
    if (file.isEmpty()) return QString();
    const QFileInfo info(file);
    return info.dir().filePath(info.completeBaseName() + Extension);
}

void TMapCommands::MapSaveExecute()
{
    QString file = Prompter().SaveFileName(QStringLiteral("Karte speichern"), ProposedName(QStringLiteral(".png")),
                                           QStringLiteral("Portable Network Graphics (*.png)|*.png"));
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".png");
    const TMyCursor wait;
    QImage bitmap;
    if (!RenderPlanToBitmap(bitmap)) return;
    SavePlanPNG(bitmap, file);
}

TMapPageText TMapCommands::PageText() const
{
    TMapPageText t;
    const TProject* project = FWindow.Project();
    if (!project) return t;
    t.Project = project->Name();
    t.Client = project->Client();
    if (project->Model() && project->Model()->MainLoop())
        t.SimulatedSeconds = project->Model()->MainLoop()->TimeEngine().CurrentTime();
    return t;
}

QPrinter& TMapCommands::Printer()
{
    if (!FPrinter) FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *FPrinter;
}

void TMapCommands::PrintOn(QPrinter& Target)
{
    const TMyCursor wait;
    QImage bitmap;
    if (!RenderPlanToBitmap(bitmap)) return;
    PrintMapPage(Target, *FPageHeader, bitmap, PageText());
}

void TMapCommands::MapPrintExecute()
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        SaveMapPDF();
        return;
    }
    PrintOn(Printer());
}

void TMapCommands::MapCreatePDFExecute()
{
    const QPrinterInfo named = PDFDriver.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(PDFDriver);
    if (named.isNull()) {
        SaveMapPDF();
        return;
    }
    QPrinter printer(named, QPrinter::HighResolution);
    PrintOn(printer);
}

void TMapCommands::SaveMapPDF()
{
    QString file = Prompter().SaveFileName(QStringLiteral("Karte als PDF speichern"),
                                           ProposedName(QStringLiteral(".pdf")),
                                           QStringLiteral("PDF-Dokument (*.pdf)|*.pdf"));
    if (file.isEmpty()) return;
    file = WithPDFExtension(file);
    const TMyCursor wait;
    QImage bitmap;
    if (!RenderPlanToBitmap(bitmap)) return;
    WriteMapPDF(file, Printer().pageLayout(), *FPageHeader, bitmap, PageText());
}

void TMapCommands::FilePrintSetup1Execute()
{
    QPageSetupDialog dialog(&Printer(), TPrompter::DialogParent());
    dialog.setObjectName(QStringLiteral("FilePrintSetup1"));
    if (Prompter().ExecDialog(dialog) == QDialog::Accepted) FilePrintSetup1Accept();
}

void TMapCommands::FilePrintSetup1Accept()
{
    FPrintInfo->GetInfo(Printer());
}
