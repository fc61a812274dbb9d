#pragma once

// The project commands of the main window: new, open, save, save as, close,
// the binding of a project to the window, and the question whether to save
// unsaved changes. The project itself is the controller's: it opens into a
// fresh project and swaps only on success, and it takes a new file name only
// after the file was written. These commands ask, show and refresh.

#include <QObject>
#include <QString>

class TFormLoad;

class TProjectCommands : public QObject
{
    Q_OBJECT
public:
    explicit TProjectCommands(TFormLoad& Window);

    // The dialog texts of the two file actions.
    static QString OpenFilter() { return QStringLiteral("Modellierung Sondenfeld|*.kpm"); }
    static QString SaveFilter() { return QStringLiteral("Modellierung Sondenfeld|*.kpm"); }

    void NewProject();
    // True when AFileName was loaded; a missing, foreign, damaged or newer
    // file leaves the current project, its file name and the caption as
    // they were.
    bool OpenProject(const QString& AFileName);
    void BindProjectToView();
    // Offers to save a changed project, then closes it. False when the user
    // cancelled or the save did not happen: then nothing was closed.
    bool QuerySaveChanges();
    // The save question alone: true when the changes were written, there are
    // none, or the user chose not to save them.
    bool OfferSave();

    // FileOpenModel: the open dialog, then OpenProject.
    void FileOpenModelExecute();
    void FileOpenModelAccept(const QString& AFileName);
    // True when the project was written.
    bool ActionFileSaveExecute();
    // FileSaveAsModel: the save dialog, then FileSaveAsModelAccept; false when
    // cancelled or failed.
    bool FileSaveAsModelExecute();
    bool FileSaveAsModelAccept(const QString& AFileName);
    void FileCloseExecute();
    void FileNewExecute() { NewProject(); }

private:
    // After a successful save: flag cleared, caption, recent list.
    void Saved();

    TFormLoad& FWindow;
};
