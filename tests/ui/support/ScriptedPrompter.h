#pragma once

#include <gtest/gtest.h>

#include "ui/common/Prompter.h"

#include <QFont>

#include <deque>
#include <functional>
#include <vector>

// The prompter of the widget tests: every request is recorded, and answered
// from a queue of answers the test put there first. With the queue empty it
// answers as the headless prompter does (cancelled, rejected, empty) and
// counts the request as unanswered, so a test can tell an unexpected question.
//
//   TScriptedPrompter& p = ScriptedPrompter();   // installed by the test main
//   p.Reset();
//   p.QueueDialog([](QDialog& d) { ...fill controls...; return QDialog::Accepted; });
//   Settings.Edit();
//   EXPECT_EQ(p.Asked().size(), 1u);
class TScriptedPrompter : public TPrompter {
public:
    enum class TKind { Message, Error, MessageDlg, TaskDialog, InputQuery, OpenFile, SaveFile, Directory, Font, Dialog };

    struct TRequest {
        TKind Kind;
        QString Caption;
        QString Text;
        QMessageBox::StandardButtons Buttons;
        QStringList TaskButtons;
        QString DialogName;   // objectName of the dialog or the filter of a file dialog
        bool Answered = false;
    };

    // One queued answer; the field that fits the request is used.
    struct TAnswer {
        QMessageBox::StandardButton Button = QMessageBox::Cancel;
        int TaskButton = -1;
        bool Ok = false;             // input query, font
        QString Text;                // input text, file or folder name
        QFont Font;
        std::function<int(QDialog&)> Dialog;  // ExecDialog: works the dialog, gives its result
    };

    void Reset();
    void Queue(const TAnswer& A) { FAnswers.push_back(A); }
    void QueueButton(QMessageBox::StandardButton B);
    void QueueTaskButton(int Index);
    void QueueText(const QString& Text);  // input query (Ok) or file/folder name
    void QueueDialog(std::function<int(QDialog&)> Work);
    // The next dialog, expected to be a D, shown and worked as a user would:
    // its result is the one its buttons gave, Rejected while it is still open.
    template <class D>
    void QueueShownDialog(std::function<void(D&)> Work)
    {
        QueueDialog([Work = std::move(Work)](QDialog& Dialog) {
            auto* dlg = dynamic_cast<D*>(&Dialog);
            EXPECT_NE(dlg, nullptr);
            if (!dlg) return int(QDialog::Rejected);
            dlg->show();
            Work(*dlg);
            const int r = dlg->isVisible() ? int(QDialog::Rejected) : dlg->result();
            dlg->hide();
            return r;
        });
    }

    const std::vector<TRequest>& Asked() const { return FAsked; }
    // Texts of the messages and errors shown, in order.
    QStringList Messages() const;
    int Unanswered() const;
    bool QueueEmpty() const { return FAnswers.empty(); }

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

private:
    // Records the request; the next answer when there is one.
    const TAnswer* Next(TRequest R);

    std::vector<TRequest> FAsked;
    std::deque<TAnswer> FAnswers;
    TAnswer FCurrent;
};

// The one scripted prompter, installed by the widget test main.
TScriptedPrompter& ScriptedPrompter();
