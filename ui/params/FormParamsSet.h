#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TParameterSet;

// The parameter sets of the current model, one row each with its colour
// swatch, beside the main window (not modal). The rows refer to the model's
// sets without owning them: the main window fills the window again (or
// empties it) whenever the model's sets are replaced, and binds the three
// commands of the tool bar.
class TFormParamsSet : public QWidget {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TFormParamsSet(QWidget* Parent = nullptr);

    // One row per set, in order; the former rows go.
    void Fill(const std::vector<TParameterSet*>& Sets);
    // Appends a row for ASet and returns it.
    QTreeWidgetItem* AddParamSet(TParameterSet* ASet);
    // The set of the selected row, null without one.
    TParameterSet* SelectedSet() const;
    static TParameterSet* ParamSetOf(const QTreeWidgetItem* AItem);
    // Fills AItem's columns and swatch from its set; nothing for null.
    void ParamSetToList(QTreeWidgetItem* AItem);

    QToolBar* ToolBar1 = nullptr;
    QToolButton* BtnInsertRecord = nullptr;
    QToolButton* BtnDelete = nullptr;
    QToolButton* BtnApply = nullptr;
    QTreeWidget* ListViewItems = nullptr;

    // The tool bar's commands, bound by the main window.
    TNotifyEvent OnInsertRecordClick;
    TNotifyEvent OnDeleteClick;
    TNotifyEvent OnApplyClick;
    // Called after a set was edited in the window.
    TNotifyEvent ItemChanged;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QToolButton* AddButton(const QString& Caption, const QString& Hint, int Image, const TNotifyEvent* Handler);
    void ListViewItemsDblClick();
};
