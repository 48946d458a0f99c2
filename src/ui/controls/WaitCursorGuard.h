#pragma once

#include <QApplication>

// The busy cursor while a long change runs.
class CWaitCursorGuard
{
public:
    CWaitCursorGuard() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursorGuard() { QApplication::restoreOverrideCursor(); }
    CWaitCursorGuard(const CWaitCursorGuard &) = delete;
    CWaitCursorGuard &operator=(const CWaitCursorGuard &) = delete;
};
