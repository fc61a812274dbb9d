#pragma once

// The project page: the project's name, client and user. Showing the page
// never marks the project changed: the texts are written under a signal
// blocker, and only the user's own edits (textEdited) write the project back.

#include <QWidget>

#include <functional>

class QLineEdit;
class TProject;

class TProjectCard : public QWidget
{
    Q_OBJECT
public:
    explicit TProjectCard(QWidget* Parent = nullptr);

    // The project the edits write into (null: the edits do nothing).
    void SetProject(TProject* Project) { FProject = Project; }
    // Copies name, client and user into the edits; nothing without a project.
    void RefreshProjectPage();

    // The user changed the project (the window marks it changed).
    std::function<void()> OnChanged;

    QLineEdit* EdtProjectname = nullptr;
    QLineEdit* EdtClient = nullptr;
    QLineEdit* EdtUser = nullptr;

private:
    void EdtProjectnameChange(const QString& Text);
    void EdtClientChange(const QString& Text);
    void EdtUserChange(const QString& Text);
    void Changed();

    TProject* FProject = nullptr;
};
