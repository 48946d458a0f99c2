#include "ui/controls/InPlaceEditor.h"

#include <QApplication>
#include <QKeyEvent>

CInPlaceEditor::CInPlaceEditor(QWidget *widget)
    : m_widget(widget)
{}

CInPlaceEditor::~CInPlaceEditor()
{
    // The widget's own destructor still moves the focus away.
    StopWatchingMenuFocus();
}

CInPlaceEditor *CInPlaceEditor::Of(QWidget *widget)
{
    return dynamic_cast<CInPlaceEditor *>(widget);
}

void CInPlaceEditor::SetActive(bool active)
{
    m_active = active;
    if (!active)
        StopWatchingMenuFocus();
}

bool CInPlaceEditor::HandleEndKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EmitCommitRequested();
        return true;
    case Qt::Key_Escape:
        m_cancelled = true;
        EmitCommitRequested();
        return true;
    default:
        return false;
    }
}

void CInPlaceEditor::HandleFocusLoss(Qt::FocusReason reason)
{
    if (m_active)
        Follow(ClassifyFocusLoss(m_widget, m_companion, reason));
}

void CInPlaceEditor::Follow(FocusLoss loss)
{
    switch (loss) {
    case FocusLoss::None:
        break;
    case FocusLoss::ToMenu:
        WatchMenuFocus();
        break;
    case FocusLoss::ToCompanion:
        EmitCommitRequested();
        break;
    case FocusLoss::Elsewhere:
        m_active = false;
        EmitEditDropped();
        m_widget->hide();
        m_widget->deleteLater();
        break;
    }
}

void CInPlaceEditor::WatchMenuFocus()
{
    if (m_menuWatch)
        return;
    m_menuWatch = QObject::connect(
        qApp, &QApplication::focusChanged, m_widget, [this](QWidget *, QWidget *now) {
            const FocusLoss loss = ClassifyFocusMove(m_widget, m_companion, now);
            if (loss == FocusLoss::ToMenu)
                return;
            StopWatchingMenuFocus();
            if (m_active)
                Follow(loss);
        });
}

void CInPlaceEditor::StopWatchingMenuFocus()
{
    QObject::disconnect(m_menuWatch);
    m_menuWatch = {};
}
