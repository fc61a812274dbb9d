#pragma once

#include "model/run/RunDisplay.h"

#include <QWidget>

#include <vector>

class QSplitter;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TSurfaceView;


// "Temperaturfeld": the saved temperature fields of a run, listed by month on
// the right, and the selected one as a surface. Fields are node dumps, one
// "x<TAB>y<TAB>T" line per node with "." as decimal separator.
class TSurfaceForm : public QWidget {
    Q_OBJECT

public:
    explicit TSurfaceForm(QWidget* Parent = nullptr);

    // Lists ADir's files ABase*.txt whose names end in a date, under twelve
    // month groups, sorted by name; other files are left out.
    void PopulateFilelist(const QString& ADir, const QString& ABase);
    // Shows BaseDirectory/AFilename; a missing file does nothing. A line that
    // does not hold three numbers stops reading (EConvertError naming the
    // line); the points before it are shown.
    void LoadFile(const QString& AFilename);
    // Reads a node dump; Points holds what was read up to an error.
    static void ReadFieldFile(const QString& APath, std::vector<TSurfacePoint>& Points);

    void BtnRefreshClick();
    void BtnCopyClick();

    QString BaseDirectory;
    QString BaseText;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* BtnRefresh = nullptr;
    QToolButton* BtnCopy = nullptr;
    QToolButton* BtnEditChart = nullptr;
    QSplitter* Splitter = nullptr;
    TSurfaceView* ChartSurface = nullptr;
    QTreeWidget* LVDataFiles = nullptr;

private:
    void LVDataFilesSelectItem(QTreeWidgetItem* Item);
};
