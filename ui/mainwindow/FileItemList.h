#pragma once

// One list of the start page: a header item, then one item per project file
// with a caption (the project name) and a description (the shortened file
// name). Each file item holds its file's full name, not a pointer into the
// list it was built from, so a double click stays valid while the lists are
// rebuilt.

#include <QListWidget>

#include <functional>

class TFileInfolist;

class TFileItemList : public QListWidget
{
    Q_OBJECT
public:
    static constexpr int FileNameRole = Qt::UserRole;
    static constexpr int DescriptionRole = Qt::UserRole + 1;
    static constexpr int HeaderRole = Qt::UserRole + 2;

    TFileItemList(const QString& Header, QWidget* Parent = nullptr);

    // Every item but the header goes; then one item per entry of List, the
    // last entry first when NewestFirst (the recent list), with Height pixels
    // and, when WithDate, " (bearbeitet <date>)" after the caption.
    void Fill(const TFileInfolist& List, bool NewestFirst, bool WithDate, int Height);
    // The file items' count (the header not counted).
    int FileCount() const { return count() - 1; }
    QListWidgetItem* FileItem(int Index) const { return item(Index + 1); }

    // A file item was double-clicked: its file name.
    std::function<void(const QString& FileName)> OnFileDblClick;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void ElideDescriptions();
};

// The caption of a list entry: the project name or "Kein Projektname
// angegeben", with " (bearbeitet <date>)" when WithDate (date with a
// four-digit year in the user's locale).
QString FileItemCaption(const QString& ProjectName, double DateModified, bool WithDate);
