#include "ui/common/Prompter.h"

#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QWidget>

QMessageBox::StandardButton TPrompter::MessageDlg(const QString& Text, TMsgDlgType Kind,
                                                  QMessageBox::StandardButtons Buttons,
                                                  QMessageBox::StandardButton Default)
{
    (void)Text;
    (void)Kind;
    (void)Buttons;
    (void)Default;
    return QMessageBox::Cancel;
}

bool TPrompter::InputQuery(const QString& Caption, const QString& Prompt, QString& Value)
{
    (void)Caption;
    (void)Prompt;
    (void)Value;
    return false;
}

QString TPrompter::OpenFileName(const QString& Caption, const QString& FileName, const QString& Filter)
{
    (void)Caption;
    (void)FileName;
    (void)Filter;
    return QString();
}

QString TPrompter::SaveFileName(const QString& Caption, const QString& FileName, const QString& Filter)
{
    (void)Caption;
    (void)FileName;
    (void)Filter;
    return QString();
}

QString TPrompter::ExistingDirectory(const QString& Caption, const QString& Folder)
{
    (void)Caption;
    (void)Folder;
    return QString();
}

int TPrompter::ExecDialog(QDialog& Dialog)
{
    (void)Dialog;
    return QDialog::Rejected;
}

QWidget* TPrompter::DialogParent()
{
    return QApplication::activeWindow();
}

TPrompter& Prompter()
{
    return TModelHooks<TPrompter>::Get();
}

void InstallPrompter(TPrompter* Impl)
{
    TModelHooks<TPrompter>::Install(Impl);
}

QString QtFileFilter(const QString& DelphiFilter)
{
    const QStringList parts = DelphiFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        // Qt reads the patterns from the last parentheses: drop the ones of the description.
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
        QStringList patterns;
        for (const QString& p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString& v : {p.trimmed(), p.trimmed().toLower(), p.trimmed().toUpper()})
                if (!patterns.contains(v)) patterns << v;
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

void TPromptsBridge::ShowMessage(const QString& Text)
{
    Prompter().ShowMessage(Text);
}

void TPromptsBridge::ShowError(const QString& Text)
{
    Prompter().ShowError(Text);
}

TPromptResult TPromptsBridge::AskYesNo(const QString& Text)
{
    const auto b = Prompter().MessageDlg(Text, TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::Yes);
    return b == QMessageBox::Yes ? TPromptResult::Yes : b == QMessageBox::No ? TPromptResult::No
                                                                            : TPromptResult::Cancel;
}

TPromptResult TPromptsBridge::AskYesNoCancel(const QString& Text)
{
    const auto b = Prompter().MessageDlg(Text, TMsgDlgType::mtConfirmation,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    return b == QMessageBox::Yes ? TPromptResult::Yes : b == QMessageBox::No ? TPromptResult::No
                                                                            : TPromptResult::Cancel;
}
