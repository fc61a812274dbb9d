#pragma once

#include "gfx/Colors.h"

#include <QComboBox>

// A drop-down list of named colours, each with its swatch: the standard
// colours, the extended colours and the web colours. A colour that is none
// of these is offered as an entry of its own ("#RRGGBB"), so that choosing
// nothing else keeps it.
class TColorBox : public QComboBox {
    Q_OBJECT

public:
    explicit TColorBox(QWidget* Parent = nullptr);

    // The chosen colour as $BBGGRR.
    TColor Selected() const;
    void SetSelected(TColor Value);

private:
    void AddColor(const QString& Name, TColor Value);
};
