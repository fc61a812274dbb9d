#pragma once

#include <Qt>

// A temporary mouse cursor that restores the previous one by itself, also
// when the work in between throws:
//   { TMyCursor wait(Qt::WaitCursor); Print(); }
// Guards nest; each puts back exactly what was current when it was made.
class TMyCursor {
public:
    explicit TMyCursor(Qt::CursorShape Shape = Qt::WaitCursor);
    ~TMyCursor();
    TMyCursor(const TMyCursor&) = delete;
    TMyCursor& operator=(const TMyCursor&) = delete;
};
