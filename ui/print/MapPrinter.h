#pragma once

// The print job of the map page: the rendered plan on one page with the page
// header and frame, on a printer or into a PDF file through Qt's own PDF
// output (which needs no printer installed).

#include <QImage>
#include <QString>

class QPageLayout;
class QPrinter;
class TPageHeader;

// What the header shows of the project.
struct TMapPageText {
    QString Project;
    QString Client;
    double SimulatedSeconds = 0;
};

// Prints Picture as the map page. The page geometry is read from Printer
// itself (A4 at 300 dpi when it gives none). The painter is ended on every
// path, also when drawing throws, so the job never stays open. Raises
// EKPError when the job cannot begin.
void PrintMapPage(QPrinter& Printer, TPageHeader& Header, const QImage& Picture, const TMapPageText& Text);

// The map page as a PDF file with the paper and orientation of Layout. The
// file is written beside FileName and renamed over it only when complete, so
// a failure keeps a previous file. Raises EKPError with the file's name.
void WriteMapPDF(const QString& FileName, const QPageLayout& Layout, TPageHeader& Header, const QImage& Picture,
                 const TMapPageText& Text);

// FileName with ".pdf" appended unless it already ends so (any letter case).
QString WithPDFExtension(const QString& FileName);
