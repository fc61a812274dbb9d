#include "ui/common/QtPrompter.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPushButton>

#include "ui/common/ButtonTexts.h"

#include <vector>

namespace {

QString KindCaption(TMsgDlgType Kind)
{
    switch (Kind) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warnung");
    case TMsgDlgType::mtError: return QStringLiteral("Fehler");
    case TMsgDlgType::mtInformation: return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("Bestätigen");
    case TMsgDlgType::mtCustom: break;
    }
    return QStringLiteral("Mirvatek KP");
}

QMessageBox::Icon KindIcon(TMsgDlgType Kind)
{
    switch (Kind) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    case TMsgDlgType::mtCustom: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void TQtPrompter::ShowMessage(const QString& Text)
{
    MessageDlg(Text, TMsgDlgType::mtCustom, QMessageBox::Ok, QMessageBox::Ok);
}

void TQtPrompter::ShowError(const QString& Text)
{
    MessageDlg(Text, TMsgDlgType::mtError, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton TQtPrompter::MessageDlg(const QString& Text, TMsgDlgType Kind,
                                                    QMessageBox::StandardButtons Buttons,
                                                    QMessageBox::StandardButton Default)
{
    QMessageBox box(KindIcon(Kind), KindCaption(Kind), Text, Buttons, DialogParent());
    if (Default != QMessageBox::NoButton) box.setDefaultButton(Default);
    SetGermanButtonTexts(box);
    box.exec();
    return box.standardButton(box.clickedButton());
}

int TQtPrompter::TaskDialog(TTaskDialogSpec& Spec)
{
    QMessageBox box(KindIcon(Spec.Kind), Spec.Caption, Spec.Instruction, QMessageBox::NoButton, DialogParent());
    box.setInformativeText(Spec.Text);
    std::vector<QPushButton*> buttons;
    for (const QString& caption : Spec.Buttons) buttons.push_back(box.addButton(caption, QMessageBox::AcceptRole));
    if (Spec.DefaultButton >= 0 && Spec.DefaultButton < int(buttons.size()))
        box.setDefaultButton(buttons[size_t(Spec.DefaultButton)]);
    QCheckBox* check = nullptr;
    if (!Spec.VerificationText.isEmpty()) {
        check = new QCheckBox(Spec.VerificationText, &box);
        check->setChecked(Spec.VerificationChecked);
        box.setCheckBox(check);
    }
    box.exec();
    if (check) Spec.VerificationChecked = check->isChecked();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return int(i);
    return -1;
}

bool TQtPrompter::InputQuery(const QString& Caption, const QString& Prompt, QString& Value)
{
    QInputDialog dlg(DialogParent());
    dlg.setWindowTitle(Caption);
    dlg.setLabelText(Prompt);
    dlg.setTextValue(Value);
    dlg.setOkButtonText(GermanButtonText(QDialogButtonBox::Ok));
    dlg.setCancelButtonText(GermanButtonText(QDialogButtonBox::Cancel));
    if (dlg.exec() != QDialog::Accepted) return false;
    Value = dlg.textValue();
    return true;
}

QString TQtPrompter::OpenFileName(const QString& Caption, const QString& FileName, const QString& Filter)
{
    return QFileDialog::getOpenFileName(DialogParent(), Caption, FileName, QtFileFilter(Filter));
}

QString TQtPrompter::SaveFileName(const QString& Caption, const QString& FileName, const QString& Filter)
{
    return QFileDialog::getSaveFileName(DialogParent(), Caption, FileName, QtFileFilter(Filter));
}

QString TQtPrompter::ExistingDirectory(const QString& Caption, const QString& Folder)
{
    return QFileDialog::getExistingDirectory(DialogParent(), Caption, Folder);
}

bool TQtPrompter::ChooseFont(QFont& Font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, Font, DialogParent(), QStringLiteral("Schriftart"));
    if (ok) Font = chosen;
    return ok;
}

int TQtPrompter::ExecDialog(QDialog& Dialog)
{
    return Dialog.exec();
}
