#pragma once

#include "ui/common/Prompter.h"

// The prompter of the program: Qt's message boxes and file dialogs with German
// button texts, shown modally over the active window.
class TQtPrompter : public TPrompter {
public:
    void ShowMessage(const QString& Text) override;
    void ShowError(const QString& Text) override;
    QMessageBox::StandardButton MessageDlg(const QString& Text, TMsgDlgType Kind, QMessageBox::StandardButtons Buttons,
                                           QMessageBox::StandardButton Default) override;
    int TaskDialog(TTaskDialogSpec& Spec) override;
    bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value) override;
    QString OpenFileName(const QString& Caption, const QString& FileName, const QString& Filter) override;
    QString SaveFileName(const QString& Caption, const QString& FileName, const QString& Filter) override;
    QString ExistingDirectory(const QString& Caption, const QString& Folder) override;
    bool ChooseFont(QFont& Font) override;
    int ExecDialog(QDialog& Dialog) override;
};
