#include "ui/mesh/TriangleDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/mesh/TriangleComp.h"
#include "model/settings/KPSettings.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Dpi.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

int TriangleDlgImageSize(int Dpi)
{
    const int s = ScaleByDpi(16, Dpi);
    if (s <= 23) return 16;
    if (s >= 48) return 48;
    if (s < 32) return 24;
    return 32;
}

TDlgTriangleSettings::TDlgTriangleSettings(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("DlgTriangleSettings"));
    setWindowTitle(QStringLiteral("Triangle - Einstellungen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* body = new QWidget(this);
    auto* b = new QVBoxLayout(body);
    b->setContentsMargins(12, 12, 12, 0);
    Label1 = new QLabel(QStringLiteral("Pfad- und Dateiname \"Triangle\""), body);
    b->addWidget(Label1);
    EditExeName = new QLineEdit(body);
    EditExeName->setObjectName(QStringLiteral("EditExeName"));
    EditExeName->setMinimumWidth(380);
    Label1->setBuddy(EditExeName);
    const QIcon folder(QStringLiteral(":/icons/folder_%1.png").arg(TriangleDlgImageSize(ScreenDpi())));
    EditExeNameButton = EditExeName->addAction(folder, QLineEdit::TrailingPosition);
    EditExeNameButton->setObjectName(QStringLiteral("EditExeNameButton"));
    connect(EditExeNameButton, &QAction::triggered, this, Guarded([this] { EditExeNameRightButtonClick(); }));
    b->addWidget(EditExeName);
    b->addSpacing(8);
    auto* paramsLabel = new QLabel(QStringLiteral("Kommandozeilen-Parameter"), body);
    b->addWidget(paramsLabel);
    EditParams = new QLineEdit(body);
    EditParams->setObjectName(QStringLiteral("EditParams"));
    paramsLabel->setBuddy(EditParams);
    b->addWidget(EditParams);
    layout->addWidget(body);
    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgTriangleSettings::SetData(const TTriangleSettingsData& D)
{
    EditExeName->setText(D.PathToExe);
    EditParams->setText(D.CommandLineParams);
}

TTriangleSettingsData TDlgTriangleSettings::Data() const
{
    return TTriangleSettingsData{EditExeName->text(), EditParams->text()};
}

void TDlgTriangleSettings::EditExeNameRightButtonClick()
{
    // With nothing entered yet the picker opens where our generator lives.
    const QString start =
        EditExeName->text().trimmed().isEmpty() ? DefaultTriangleLocation() : EditExeName->text();
    const QString name = Prompter().OpenFileName(QStringLiteral("Triangle auswählen"), start,
                                                 QStringLiteral("Ausführbare Dateien|*"));
    if (name.isEmpty()) return;
    const QFileInfo info(name);
    if (!info.isFile() || !info.isExecutable()) {
        Prompter().ShowError(QStringLiteral("Die Datei \"%1\" ist kein ausführbares Programm.").arg(name));
        return;
    }
    EditExeName->setText(info.absoluteFilePath());
}
