#include "host/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

void CWaitCursorPort::BeginWaitCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CWaitCursorPort::EndWaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}
