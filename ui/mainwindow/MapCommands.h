#pragma once

// The background map, zoom, picture export and printing commands of the
// probes page. The group owns the printer set-up (kept between printouts),
// the printer information and the page header of the printed map.

#include <QObject>

#include <memory>

class QAction;
class QImage;
class QMenu;
class QPrinter;
class QToolButton;
class TFormLoad;
class TPageHeader;
class TPrintInfo;
struct TMapPageText;

// What the group's actions depend on.
struct TMapActionInputs {
    bool HasProject = false;
    bool HasMesh = false;        // the current model has nodes
    bool RunLoopActive = false;
    bool RunActive = false;      // running or paused: the run holds the plan's origin
};

struct TMapActionRules {
    bool Map = false;         // open, georeference, delete
    bool Zoom = false;        // in, out, 1:1, to the map
    bool ZoomModel = false;
    bool Output = false;      // PNG, print, PDF
};

// The picture export draws the mesh's extent and recomputes the isotherms,
// whose node values a running loop owns.
TMapActionRules MapActionRules(const TMapActionInputs& In);

class TMapCommands : public QObject
{
    Q_OBJECT
public:
    explicit TMapCommands(TFormLoad& Window);
    ~TMapCommands() override;

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

    // ---- map
    void MapOpenImageExecute();
    void MapGeoreferenceExecute();
    void MapDeleteExecute();

    // ---- zoom
    void tbZoomInClick(bool ZoomOut);
    void ZoomOneToOneExecute();
    void ZoomModelExecute();
    void ZoomMapExecute();
    // Fits the world extent (m) into the plan control, centred, and adds the
    // zoom to the hint memo.
    void ZoomToExtent(double X1, double X2, double Y1, double Y2);

    // ---- picture and printing
    bool RenderPlanToBitmap(QImage& ABitmap);
    void MapSaveExecute();
    // On the printer of the set-up; with no printer installed the page is
    // written as a PDF file the user chooses.
    void MapPrintExecute();
    // On the printer the PDF setting names when it is installed, otherwise
    // through Qt's own PDF output into a file the user chooses.
    void MapCreatePDFExecute();
    // The page set-up dialog; on OK the printer information is read again.
    void FilePrintSetup1Execute();
    void FilePrintSetup1Accept();

    // The printer of the set-up, made on first use.
    QPrinter& Printer();
    TPrintInfo& PrintInfo1() const { return *FPrintInfo; }
    TPageHeader& PageHeader() const { return *FPageHeader; }

    QAction* MapOpenImage = nullptr;
    QAction* MapGeoreference = nullptr;
    QAction* MapDelete = nullptr;
    QAction* ZoomModel = nullptr;
    QAction* ZoomMap = nullptr;
    QAction* ZoomOneToOne = nullptr;
    QAction* ZoomIn = nullptr;
    QAction* ZoomOut = nullptr;
    QAction* MapSave = nullptr;
    QAction* MapPrint = nullptr;
    QAction* FilePrintSetup1 = nullptr;
    QMenu* PopupMenuMap = nullptr;
    QMenu* PopupMenuZoom = nullptr;
    QMenu* PopupMenuMapPrint = nullptr;
    QToolButton* tbMap = nullptr;
    QToolButton* tbZoom = nullptr;
    QToolButton* tbZoomIn = nullptr;
    QToolButton* tbZoomOut = nullptr;
    QToolButton* tbSaveMap = nullptr;
    QToolButton* tbPrintMap = nullptr;
    QToolButton* tbCreatePDF = nullptr;

private:
    QAction* Make(const QString& Name, const QString& Caption, const QString& Hint, int Image);
    void BuildToolBar();
    void Wire();
    TMapActionInputs CurrentInputs() const;
    // The plan's items follow a new world origin.
    void PlanOriginChanged();
    // Asks for a ".pdf" file and writes the map page into it.
    void SaveMapPDF();
    void PrintOn(QPrinter& Printer);
    TMapPageText PageText() const;
    // The project's file with another extension, as the file dialogs' proposal.
    QString ProposedName(const QString& Extension) const;

    TFormLoad& FWindow;
    std::unique_ptr<QPrinter> FPrinter;
    TPrintInfo* FPrintInfo = nullptr;
    std::unique_ptr<TPageHeader> FPageHeader;
};
