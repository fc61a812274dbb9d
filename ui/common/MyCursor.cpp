#include "ui/common/MyCursor.h"

#include <QCursor>
#include <QGuiApplication>

TMyCursor::TMyCursor(Qt::CursorShape Shape)
{
    QGuiApplication::setOverrideCursor(QCursor(Shape));
}

TMyCursor::~TMyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}
