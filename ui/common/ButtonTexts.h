#pragma once

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QString>

// The German texts of the standard buttons. Qt's own translation
// (qtbase_de.qm) is loaded when present, but it may be missing; dialogs set
// these texts explicitly so that a button never reads "Cancel".
QString GermanButtonText(QDialogButtonBox::StandardButton Button);
void SetGermanButtonTexts(QDialogButtonBox& Box);
void SetGermanButtonTexts(QMessageBox& Box);
