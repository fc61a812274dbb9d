#include "ui/common/ButtonTexts.h"

#include <QAbstractButton>

QString GermanButtonText(QDialogButtonBox::StandardButton Button)
{
    switch (Button) {
    case QDialogButtonBox::Ok: return QStringLiteral("OK");
    case QDialogButtonBox::Cancel: return QStringLiteral("Abbrechen");
    case QDialogButtonBox::Yes: return QStringLiteral("&Ja");
    case QDialogButtonBox::No: return QStringLiteral("&Nein");
    case QDialogButtonBox::YesToAll: return QStringLiteral("Ja, &alle");
    case QDialogButtonBox::NoToAll: return QStringLiteral("N&ein, alle");
    case QDialogButtonBox::Abort: return QStringLiteral("&Abbrechen");
    case QDialogButtonBox::Retry: return QStringLiteral("&Wiederholen");
    case QDialogButtonBox::Ignore: return QStringLiteral("&Ignorieren");
    case QDialogButtonBox::Close: return QStringLiteral("&Schließen");
    case QDialogButtonBox::Help: return QStringLiteral("&Hilfe");
    case QDialogButtonBox::Apply: return QStringLiteral("&Übernehmen");
    case QDialogButtonBox::Save: return QStringLiteral("&Speichern");
    case QDialogButtonBox::Discard: return QStringLiteral("&Verwerfen");
    default: return QString();
    }
}

void SetGermanButtonTexts(QDialogButtonBox& Box)
{
    for (QAbstractButton* b : Box.buttons()) {
        const QString text = GermanButtonText(Box.standardButton(b));
        if (!text.isEmpty()) b->setText(text);
    }
}

void SetGermanButtonTexts(QMessageBox& Box)
{
    for (QAbstractButton* b : Box.buttons()) {
        const auto sb = static_cast<QDialogButtonBox::StandardButton>(Box.standardButton(b));
        const QString text = GermanButtonText(sb);
        if (!text.isEmpty()) b->setText(text);
    }
}
