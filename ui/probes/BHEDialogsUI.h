#pragma once

#include <QIcon>
#include <QList>

#include "model/probes/BHEDialogs.h"

// The probe's two dialogs shown through the prompter: a fresh dialog per
// call, filled, shown modally and read back on OK. Installed at start-up.
class TBHEDialogsUI : public TBHEDialogs
{
public:
    TBHEDialogsUI();

    bool EditBHE(TBHEEditData& Data) override;
    bool EditBHEType(TBHETypeEditData& Data) override;

    // The probe symbols the type dialog offers (the window's symbol list);
    // our own bullets until the window gives its list.
    void SetSymbols(const QList<QIcon>& Symbols) { FSymbols = Symbols; }
    const QList<QIcon>& Symbols() const { return FSymbols; }

private:
    QList<QIcon> FSymbols;
};
