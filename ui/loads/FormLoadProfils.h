#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;
struct TLoadProfilsEditData;

// The project's load profiles: add, delete and choose the current one. The
// window holds no profile itself: the project fills the list and binds the
// "Neu" and "Löschen" handlers each time it opens the window. It can only be
// left (by any way) with a profile chosen, so the project always gets one.
class TFormLoadProfils : public QDialog {
    Q_OBJECT

public:
    explicit TFormLoadProfils(QWidget* Parent = nullptr);

    void SetData(const TLoadProfilsEditData& Data);
    // Entries and the selected entry (-1 for none).
    void GetData(TLoadProfilsEditData& Data) const;

    // FormCloseQuery: false, with the message why, while the list is empty or
    // no entry is selected.
    bool CanClose();

    QListWidget* LBLoadProfils = nullptr;
    QPushButton* BtnNew = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnSelect = nullptr;

    std::function<void()> OnNewClick;
    std::function<void()> OnDeleteClick;

public slots:
    // Every way of closing (the select button, Esc, the close box) ends here.
    void done(int Result) override;
};
