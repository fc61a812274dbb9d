#pragma once

// The start page: welcome picture and version, three large buttons (new
// project, open another project, the product's web site), the recently used
// project files and the example projects, and the link that shows or hides
// the examples. The lists are the window's; the page shows them.

#include <QWidget>

#include <functional>

class QCommandLinkButton;
class QLabel;
class TExampleFilelist;
class TFileInfolist;
class TFileItemList;

class TStartPage : public QWidget
{
    Q_OBJECT
public:
    TStartPage(TFileInfolist& Recent, TExampleFilelist& Examples, QWidget* Parent = nullptr);

    // Re-reads the recent list from the settings (files that no longer exist
    // are dropped) and rebuilds FilesPolyList, newest first.
    void RefreshRecentFilesList();
    // Re-reads the example list and rebuilds ExamplesPolyList, in list order.
    void FillExamplesList();
    // Places and sizes the two lists and the link label.
    void LayoutWelcomePanel();
    // Shows or hides the example list; the choice lasts until the program ends.
    void LblExampleslistClick();
    void SetVersionText(const QString& Text);

    // The buttons and a double click on a file item.
    std::function<void()> OnNewProject;
    std::function<void()> OnOpenOtherProject;
    std::function<void()> OnVisitWebsite;
    std::function<void(const QString& FileName)> OnFileItemDblClick;

    QLabel* AdvReflectionImage1 = nullptr;
    QLabel* LblWelcome = nullptr;
    QLabel* LblVersion = nullptr;
    QCommandLinkButton* BtnCreateNewProject = nullptr;
    QCommandLinkButton* BtnOpenOtherProject = nullptr;
    QCommandLinkButton* BtnVisitWebsite = nullptr;
    TFileItemList* FilesPolyList = nullptr;
    TFileItemList* ExamplesPolyList = nullptr;
    QLabel* LblExampleslist = nullptr;

    // Heights of the file items: the recent list's, the example list's.
    static constexpr int RecentItemHeight = 45;
    static constexpr int ExampleItemHeight = 44;
    // Left edge of the two lists.
    static constexpr int ListsLeft = 400;
    static constexpr int ListsTop = 24;
    static constexpr int ExamplesHeight = 230;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    void CreateLeftColumn();

    TFileInfolist& FRecent;
    TExampleFilelist& FExamples;
};
