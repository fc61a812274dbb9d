#pragma once

#include "model/base/ModelUI.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QFont;
class QWidget;

// Every modal interaction of the user interface goes through the prompter:
// messages, questions, task dialogs, input queries, file and folder dialogs,
// the font dialog and our own modal dialogs. The program installs the Qt
// implementation (TQtPrompter); tests install a scripted one with queued
// answers, so that no test ever blocks in a modal loop.
//
// This base class is the headless prompter: messages go nowhere, every
// question is cancelled, every dialog is rejected.
//
// Use: Prompter().ShowError(Text); Prompter().ExecDialog(Dlg) == QDialog::Accepted.

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A task dialog with buttons of its own: the answer is the index of the chosen
// entry of Buttons, or -1 when the user closed it (Esc, window close).
struct TTaskDialogSpec {
    QString Caption;
    QString Instruction;   // the large first line
    QString Text;
    TMsgDlgType Kind = TMsgDlgType::mtInformation;
    QStringList Buttons;
    int DefaultButton = 0;
    QString VerificationText;          // check box below the buttons, none when empty
    bool VerificationChecked = false;  // in: initial state; out: final state
};

class TPrompter {
public:
    virtual ~TPrompter() = default;

    // A message box with one OK button.
    virtual void ShowMessage(const QString& Text) { (void)Text; }
    virtual void ShowError(const QString& Text) { (void)Text; }
    // A message box of Kind with Buttons; the chosen button, or
    // QMessageBox::Cancel (headless, Esc without a cancel button: NoButton).
    virtual QMessageBox::StandardButton MessageDlg(const QString& Text, TMsgDlgType Kind,
                                                   QMessageBox::StandardButtons Buttons,
                                                   QMessageBox::StandardButton Default = QMessageBox::NoButton);
    virtual int TaskDialog(TTaskDialogSpec& Spec) { (void)Spec; return -1; }
    // True when the user confirmed; Value holds the entered text then.
    virtual bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value);

    // Filters in the program's form "Description|*.a;*.b|…" (see QtFileFilter).
    // Empty text when cancelled.
    virtual QString OpenFileName(const QString& Caption, const QString& FileName, const QString& Filter);
    virtual QString SaveFileName(const QString& Caption, const QString& FileName, const QString& Filter);
    // A folder that exists; empty text when cancelled.
    virtual QString ExistingDirectory(const QString& Caption, const QString& Folder);
    // True when the user chose a font; Font holds it then.
    virtual bool ChooseFont(QFont& Font) { (void)Font; return false; }

    // Runs one of our own dialogs modally: QDialog::Accepted or Rejected.
    virtual int ExecDialog(QDialog& Dialog);

    // The window that modal dialogs belong to (the active window, else none).
    static QWidget* DialogParent();
};

// The installed prompter, or the headless one.
TPrompter& Prompter();
// Not owned; nullptr returns to the headless prompter.
void InstallPrompter(TPrompter* Impl);

// "Description|*.a;*.B|…" as a Qt filter "Description (*.a *.A *.b *.B);;…":
// Linux file names are case-sensitive, so both letter cases are offered.
QString QtFileFilter(const QString& DelphiFilter);

// The model's messages and questions (TPrompts) answered through the prompter.
class TPromptsBridge : public TPrompts {
public:
    void ShowMessage(const QString& Text) override;
    void ShowError(const QString& Text) override;
    TPromptResult AskYesNo(const QString& Text) override;
    TPromptResult AskYesNoCancel(const QString& Text) override;
};
