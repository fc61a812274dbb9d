#include "ui/print/MapPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include "gfx/Canvas.h"
#include "model/base/KPError.h"
#include "ui/print/MapPage.h"
#include "ui/print/PageObj.h"
#include "ui/print/PrintInfo.h"

namespace {

// Ends the painter however the drawing ends; a print job or a PDF file that
// was begun must not stay open.
class TPainterEnd {
public:
    explicit TPainterEnd(QPainter& Painter) : FPainter(Painter) {}
    ~TPainterEnd()
    {
        if (FPainter.isActive()) FPainter.end();
    }
    bool End() { return FPainter.end(); }
    TPainterEnd(const TPainterEnd&) = delete;
    TPainterEnd& operator=(const TPainterEnd&) = delete;

private:
    QPainter& FPainter;
};

QString JobName()
{
    QString title = QGuiApplication::applicationDisplayName();
    if (title.isEmpty()) title = QStringLiteral("Mirvatek KP");
    return title + QStringLiteral(" Model");
}

// True when the job was ended cleanly.
bool RunJob(QPrinter& Printer, TPageHeader& Header, const QImage& Picture, const TMapPageText& Text)
{
    TPrintInfo info;
    info.GetInfo(Printer);
    const TMapPageLayout page = MapPageLayout(info);
    SetupMapPageHeader(Header, Text.Project, Text.Client, Text.SimulatedSeconds, page);
    Printer.setDocName(JobName());
    QPainter painter;
    if (!painter.begin(&Printer))
        throw EKPError(QStringLiteral("Der Druckauftrag konnte nicht gestartet werden."));
    TPainterEnd end(painter);
    {
        TCanvas canvas(painter);
        SetPageMapping(canvas, info);
        DrawMapPage(canvas, Header, Picture, page);
    }
    return end.End();
}

// Temp takes the place of Target; a previous Target survives a failure.
bool ReplaceFile(const QString& Temp, const QString& Target)
{
    const QString backup = Target + QStringLiteral(".bak~");
    const bool hadTarget = QFile::exists(Target);
    if (hadTarget) {
        QFile::remove(backup);
        if (!QFile::rename(Target, backup)) return false;
    }
    if (QFile::rename(Temp, Target)) {
        if (hadTarget) QFile::remove(backup);
        return true;
    }
    if (hadTarget) QFile::rename(backup, Target);
    return false;
}

} // namespace

void PrintMapPage(QPrinter& Printer, TPageHeader& Header, const QImage& Picture, const TMapPageText& Text)
{
    if (!RunJob(Printer, Header, Picture, Text))
        throw EKPError(QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden."));
}

QString WithPDFExtension(const QString& FileName)
{
    if (FileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return FileName;
    return FileName + QStringLiteral(".pdf");
}

void WriteMapPDF(const QString& FileName, const QPageLayout& Layout, TPageHeader& Header, const QImage& Picture,
                 const TMapPageText& Text)
{
    const QFileInfo target(FileName);
    const QString temp = target.dir().filePath(QStringLiteral(".~") + target.fileName());
    const QString failed = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(FileName);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(Layout);
    printer.setOutputFileName(temp);
    bool ok = false;
    try {
        ok = RunJob(printer, Header, Picture, Text);
    } catch (const EKPError&) {
        QFile::remove(temp);
        throw EKPError(failed);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    if (ok && QFileInfo(temp).size() > 0 && ReplaceFile(temp, FileName)) return;
    QFile::remove(temp);
    throw EKPError(failed);
}
