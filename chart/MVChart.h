#pragma once

#include "chart/MVAxis.h"
#include "gfx/Colors.h"
#include "gfx/ControlEvents.h"
#include "gfx/Graphics.h"
#include "gfx/WinTypes.h"

#include <QScrollArea>
#include <Eigen/Core>
#include <memory>
#include <span>
#include <vector>

class TCanvas;
class TStream;
class TMVLine;
class TVerticalLine;
class TMVPaintBox;
class TChartScreenMapping;
class QPrinter;
namespace Streamft {
class TStreamFont;
}

enum TMarkerShape : uint8_t { msCircle, msRectangle, msTriangle, msInvertTriangle, msCross, msDiagCross, msStar,
                              msLineOnly };
enum TDataLineStyle : uint8_t { dlNone, dlLine, dlSpline, dlHistogram };
enum TChartState : uint8_t { csStandard, csZooming, csPanning };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };

struct TTimeRange {
    double Starttime = 0;
    double Endtime = 0;
};

// The marker of a legend entry.
class TPointerStyle {
public:
    TPointerStyle(TColor AColor, int ASize, TMarkerShape AStyle) : FSize(ASize), FColor(AColor), FStyle(AStyle) {}
    virtual ~TPointerStyle() = default;
    TMarkerShape Style() const { return FStyle; }
    void SetStyle(TMarkerShape Value) { FStyle = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    int Size() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }
    virtual void Assign(const TPointerStyle* Source);

private:
    int FSize;
    TColor FColor;
    TMarkerShape FStyle;
};

// One legend entry: its text and marker (no marker: text only).
struct TLegendItem {
    QString Text;
    const TPointerStyle* Style = nullptr;
};

// A data matrix, rows by columns.
using TMtx = Eigen::MatrixXd;

// The program's own chart: a white diagram inside four margins, laid out in chart units
// of 0.1 mm (x to the right, y downward) on a GDI-style canvas, with a top, a left and a
// bottom axis, an optional lower "Q" diagram with its own axis, a fit line, a vertical
// line and a legend. After every paint AfterDrawChart lets the owner plot its data with
// the drawing operations. Painting happens only in the surface's paint event: lines
// being dragged and the zoom rectangle are state that the paint draws.
class TMVChart : public QScrollArea {
    Q_OBJECT
public:
    explicit TMVChart(QWidget* Parent = nullptr);
    ~TMVChart() override;

    TMVLine* FitLine() const { return FFitLine.get(); }
    TVerticalLine* VertLine() const { return FVertLine.get(); }
    TMVPaintBox* PaintBox() const { return FPaintBox; }
    int ChartWidth() const { return FChartWidth; }
    void SetChartWidth(int Value);
    bool ChartWidthAuto() const { return FChartWidthAuto; }
    void SetChartWidthAuto(bool Value) { FChartWidthAuto = Value; }
    int ChartHeight() const { return FChartHeight; }
    void SetChartHeight(int Value);
    bool ChartHeightAuto() const { return FChartHeightAuto; }
    void SetChartHeightAuto(bool Value) { FChartHeightAuto = Value; }
    int Zoom() const { return FZoom; }
    void SetZoom(int Value);
    int MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(int Value) { FMarginLeft = Value; }
    int MarginTop() const { return FMarginTop; }
    void SetMarginTop(int Value) { FMarginTop = Value; }
    int MarginRight() const { return FMarginRight; }
    void SetMarginRight(int Value) { FMarginRight = Value; }
    int MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(int Value) { FMarginBottom = Value; }
    TColor ChartColor() const { return FChartColor; }
    void SetChartColor(TColor Value) { FChartColor = Value; }
    TColor MarkingColor() const { return FMarkingColor; }
    void SetMarkingColor(TColor Value) { FMarkingColor = Value; }
    bool DrawTimeMarkings() const { return FDrawTimeMarkings; }
    void SetDrawTimeMarkings(bool Value) { FDrawTimeMarkings = Value; }
    bool LegendVisible() const { return FLegendVisible; }
    void SetLegendVisible(bool Value) { FLegendVisible = Value; }
    Streamft::TStreamFont* LegendFont() const { return FLegendFont.get(); }
    void SetLegendFont(Streamft::TStreamFont* Value);
    int LegendCols() const { return FLegendCols; }
    void SetLegendCols(int Value);
    int LegendRows() const { return FLegendRows; }
    void SetLegendRows(int Value);
    TAnchorKind LegendPosition() const { return FLegendPosition; }
    void SetLegendPosition(TAnchorKind Value) { FLegendPosition = Value; }
    bool QDiagram() const { return FQDiagram; }
    void SetQDiagram(bool Value);
    double SplitRatio() const { return GetSplitRatio(); }
    void SetSplitRatio(double X);
    TMouseButton DragButton() const { return FDragButton; }
    void SetDragButton(TMouseButton Value) { FDragButton = Value; }
    TMouseButton RotateButton() const { return FRotateButton; }
    void SetRotateButton(TMouseButton Value) { FRotateButton = Value; }
    TMouseButton ZoomButton() const { return FZoomButton; }
    void SetZoomButton(TMouseButton Value) { FZoomButton = Value; }
    TMouseButton PanButton() const { return FPanButton; }
    void SetPanButton(TMouseButton Value) { FPanButton = Value; }
    int MouseThreshold() const { return FMouseThreshold; }
    void SetMouseThreshold(int Value);
    const TControlNotifyEvent& AfterDrawChart() const { return FAfterDrawChart; }
    void SetAfterDrawChart(TControlNotifyEvent Value) { FAfterDrawChart = std::move(Value); }
    TMVHorzAxis* TopAxis() const { return FTopAxis.get(); }
    TMVVertAxis* LeftAxis() const { return FLeftAxis.get(); }
    TMVHorzAxis* BottomAxis() const { return FBottomAxis.get(); }
    TMVVertAxis* QAxis() const { return FQAxis.get(); }
    TChartState State() const { return FState; }
    // Switching to csZooming (again) saves the current ranges for a later restore.
    void SetState(TChartState Value);
    std::vector<TTimeRange>& TimeRanges() { return FTimeRanges; }

    // Painting and mouse, reached through the surface; X and Y are surface pixels.
    virtual void PaintBoxPaint(QObject* Sender, TCanvas& ACanvas);
    virtual void PaintBoxMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    virtual void PaintBoxMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void PaintBoxMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Mappings of a canvas: the screen (zoomed), true size on a printer, or the whole
    // device in tenths of a millimetre.
    TChartScreenMapping ScreenMapping() const;
    virtual void SetupScreenMapping(TCanvas& ACanvas);
    virtual void SetupPrintMapping(TCanvas& ACanvas);
    static void MapModeMM10(TCanvas& ACanvas);

    virtual bool LineHitTest(int X, int Y, const TMVLine* ALine);
    // The diagram part that belongs to Axis (the Q axis has the lower part).
    virtual void GetDiagramRect(const TMVAxis* Axis, TPoint& TopLeft, TPoint& BottomRight) const;
    virtual double GetSplitRatio() const;
    virtual void SetAxesRange(std::span<const ChartTypes::TDblPoint> Points, std::span<TMVAxis* const> Axes);

    static void DrawMarker(TCanvas& ACanvas, int x, int y, int MarkerSize, TColor MarkerColor,
                           TMarkerShape MarkerShape);

    virtual TPoint MapMousePos(int x, int y);
    virtual bool MapMousePosReal(int x, int y, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                                 ChartTypes::TDblPoint& RealPos);
    virtual bool MapChartToReal(int x, int y, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                                ChartTypes::TDblPoint& RealPos) const;
    // Real point to chart units. A point that cannot be mapped (not finite, an empty
    // range) comes back clamped; the second form says so through Valid.
    virtual TPoint GetScreenPoint(double ax, double ay, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis) const;
    virtual TPoint GetScreenPoint(double ax, double ay, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                                  bool& Valid) const;

    // Data series; the first form draws on the surface and works only while it paints
    // (in AfterDrawChart), as Qt paints nowhere else.
    virtual void DrawData(std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                          bool DrawPoints, TDataLineStyle LineStyle, int LineWidth, TMarkerShape Shape,
                          int MarkerSize, TColor MarkerColor, TColor LineColor);
    virtual void DrawData(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                          const TMVVertAxis* YAxis, bool DrawPoints, TDataLineStyle LineStyle, int LineWidth,
                          TMarkerShape Shape, int MarkerSize, TColor MarkerColor, TColor LineColor,
                          bool DrawArrow, int ArrowSize);
    virtual void DrawData(TCanvas& ACanvas, const TMtx* Mtx, int XCol, int YCol, int StartRow, int EndRow,
                          const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool DrawPoints,
                          TDataLineStyle LineStyle, int LineWidth, TMarkerShape Shape, int MarkerSize,
                          TColor MarkerColor, TColor LineColor, bool FillHistogramm, TColor FillColor,
                          bool LineOrigin);
    virtual void DrawDataVert(TCanvas& ACanvas, const TMtx* MTX, int XCol, int YCol, int StartRow, int EndRow,
                              const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool DrawPoints,
                              TDataLineStyle LineStyle, int LineWidth, TMarkerShape Shape, int MarkerSize,
                              TColor MarkerColor, TColor LineColor, bool Fill, TColor FillColor);
    virtual void DrawBarData(TCanvas& ACanvas, std::span<const double> Points, const TMVHorzAxis* XAxis,
                             int LineWidth, TColor BarColor);
    virtual void DrawLegend(TCanvas& ACanvas, std::span<const TLegendItem> Items, bool WithLines, int ALinewidth);
    virtual void DrawLine(TCanvas& ACanvas, const TMVLine* ALine);
    virtual void DrawLine(TCanvas& ACanvas, double x1, double y1, double x2, double y2, const TMVHorzAxis* XAxis,
                          const TMVVertAxis* YAxis, TPenStyle LineStyle, int LineWidth, TColor LineColor);
    virtual void DrawStraightLine(TCanvas& ACanvas, double a, double b, const TMVHorzAxis* XAxis,
                                  const TMVVertAxis* YAxis, TColor LineColor, int LineWidth);
    virtual void DrawVerticalLine(TCanvas& ACanvas, double xvalue, const TMVHorzAxis* XAxis,
                                  const TMVVertAxis* YAxis, TColor LineColor, int LineWidth, TPenStyle LineStyle);
    virtual void DrawGrid(TCanvas& ACanvas, double Angle, int Distance, TColor GridColor, int GridWidth);
    virtual void DrawPOI(TCanvas& ACanvas, double AX, double AY);
    virtual void Draw(TCanvas& ACanvas);
    // Draw on a canvas the caller has mapped (SetupPrintMapping or MapModeMM10).
    virtual void Print(TCanvas& ACanvas);
    // The chart at its true size on a printer (or a PDF printer), from the page's corner.
    void PrintOn(QPrinter& Printer);
    virtual bool AutoSize();
    virtual void MakeIsometric(const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis);

    virtual void WriteToStream(TStream& S) const;
    // Both loads read the whole record first and change the chart only on success.
    virtual void LoadFromStream(TStream& S);
    virtual void LoadLegacy(TStream& S);

    // Drag state the paint shows: the zoom rectangle in surface pixels, if any.
    bool Zooming() const { return FZooming; }
    bool Panning() const { return FPanning; }
    QRect ZoomRectangle() const;

private:
    friend class TChartRecord;
    void ResizePaintBox();
    TRect ChartArea() const;
    TRect TargetRect(const TMVVertAxis* YAxis) const;
    bool ScreenPointF(double ax, double ay, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, double& X,
                      double& Y) const;
    void ClipToDiagram(TCanvas& ACanvas, const TRect& Diagram) const;
    TRect DiagramRect() const;
    bool Segment(TCanvas& ACanvas, ChartTypes::TDblPoint A, ChartTypes::TDblPoint B, const TMVHorzAxis* XAxis,
                 const TMVVertAxis* YAxis);
    void LineEnds(const TMVLine& ALine, ChartTypes::TDblPoint& P1, ChartTypes::TDblPoint& P2) const;
    void DrawSeriesLine(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                        const TMVVertAxis* YAxis, bool FromOrigin);
    void DrawPointSteps(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                        const TMVVertAxis* YAxis);
    void DrawMatrixSteps(TCanvas& ACanvas, const TMtx& Mtx, int XCol, int YCol, int StartRow, int EndRow,
                         const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool Fill, TColor FillColor);
    void DrawProfileSteps(TCanvas& ACanvas, const TMtx& MTX, int XCol, int YCol, int StartRow, int EndRow,
                          const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool Fill);
    void DrawProfileFill(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                         const TMVVertAxis* YAxis);
    void DrawLegendRows(TCanvas& ACanvas, std::span<const TLegendItem> Items, bool WithLines, int ALinewidth,
                        int t);
    void DrawLegendColumns(TCanvas& ACanvas, std::span<const TLegendItem> Items, bool WithLines, int ALinewidth,
                           int t);
    void DrawZoomRectangle(TCanvas& ACanvas) const;
    void MoveDraggedLine(int X, int Y);
    void PanTo(int X, int Y);
    void UpdateHoverCursor(int X, int Y);

    TMVPaintBox* FPaintBox;
    int FChartWidth = 1000;
    int FChartHeight = 1000;
    int FZoom = 100;
    std::unique_ptr<TMVHorzAxis> FTopAxis;
    int FMarginTop = 100;
    int FMarginLeft = 100;
    int FMarginRight = 100;
    int FMarginBottom = 100;
    std::unique_ptr<TMVVertAxis> FLeftAxis;
    TControlNotifyEvent FAfterDrawChart;
    TColor FChartColor = 0xFFFFFF;
    std::unique_ptr<TMVHorzAxis> FBottomAxis;
    bool FChartWidthAuto = false;
    bool FChartHeightAuto = false;
    bool FLegendVisible = false;
    int FLegendRows = 10;
    int FLegendCols = 4;
    std::unique_ptr<Streamft::TStreamFont> FLegendFont;
    TAnchorKind FLegendPosition = akBottom;
    bool FQDiagram = false;
    std::unique_ptr<TMVVertAxis> FQAxis;
    double FSplitRatio = 0.7;
    std::unique_ptr<TMVLine> FFitLine;
    TMouseButton FDragButton = mbLeft;
    TMouseButton FRotateButton = mbMiddle;
    int FMouseThreshold = 10;
    TColor FMarkingColor = 12639424;  // $C0DCC0
    bool FDrawTimeMarkings = false;
    std::unique_ptr<TVerticalLine> FVertLine;
    TChartState FState = csStandard;
    TMouseButton FZoomButton = mbLeft;
    TMouseButton FPanButton = mbLeft;
    bool FPanning = false;
    bool FZooming = false;
    ChartTypes::TDblPoint FOriginal[4];
    ChartTypes::TDblPoint FPanOrigin, FZoomOrigin, FZoomDest, FPanOriginBottom, FZoomOriginBottom, FZoomDestBottom;
    TPoint FPtZoomOrigin, FPtZoomDest, FStartPoint;
    std::vector<TTimeRange> FTimeRanges;
    TCanvas* FPaintCanvas = nullptr;  // the surface's canvas while it paints
};
