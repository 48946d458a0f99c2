#pragma once

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TreeHelpers.h"
#include "support/EnglishTexts.h"
#include "ui/editor/InPlaceEditing.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

// What the tree control does around the editing: it owns the editors' parent
// widget in an active window, commits when the focus comes back, and
// records what the editing tells it.
class CEditingHarness
{
public:
    static inline const QRect kValueRect{400, 10, 180, 22};

    CEditingHarness()
        : m_texts(true)
    {
        m_window.resize(640, 240);
        m_owner = new QWidget(&m_window);
        m_owner->setGeometry(0, 0, 640, 240);
        m_owner->setFocusPolicy(Qt::StrongFocus);
        m_editing = new CInPlaceEditing(m_owner);
        QObject::connect(m_editing, &CInPlaceEditing::focusReturned, m_editing,
                         &CInPlaceEditing::CommitEdit);
        QObject::connect(m_editing, &CInPlaceEditing::valueCommitted, m_editing,
                         [this](CSettingNode *node) { committed.push_back(node); });
        QObject::connect(m_editing, &CInPlaceEditing::statusMessage, m_editing,
                         [this](const QString &text) { statusTexts.append(text); });
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        (void)QTest::qWaitForWindowActive(&m_window);
        m_owner->setFocus();
    }

    CSettingNode *Root() const { return m_texts.Root(); }
    CInPlaceEditing &Editing() { return *m_editing; }
    QWidget *Owner() const { return m_owner; }
    const QStringList &MissingTexts() { return m_texts.MissingTexts(); }

    bool Begin(CSettingNode *node, const QString &typed = QString(), const QRect &rect = kValueRect)
    {
        // As the user does by clicking the tree after a message box closed.
        if (!m_window.isActiveWindow()) {
            QApplication::setActiveWindow(&m_window);
            m_owner->setFocus();
        }
        return m_editing->BeginEdit(node, rect, typed);
    }

    // The open editor with this control identifier; null when none is shown.
    template<class T = QWidget>
    T *Editor(int id) const
    {
        const auto found =
            m_owner->findChildren<T *>(QStringLiteral("id%1").arg(id), Qt::FindDirectChildrenOnly);
        for (T *editor : found) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    QLineEdit *LineEditor() const { return Editor<QLineEdit>(10004); }

    // The keyboard goes to whichever widget has the focus.
    static void Type(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    // The user clicks into another application's window.
    void ActivateOtherWindow()
    {
        m_other.show();
        QApplication::setActiveWindow(&m_other);
        m_other.setFocus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::vector<CSettingNode *> committed;
    QStringList statusTexts;

private:
    CEnglishTexts m_texts;
    QWidget m_window;
    QLineEdit m_other;
    QWidget *m_owner = nullptr;
    CInPlaceEditing *m_editing = nullptr;
};

// Answers the next modal dialog the action deals with, from inside the
// dialog's own event loop. A dialog the action leaves open is rejected, so
// that a test never hangs.
class CModalAnswer
{
public:
    using Action = std::function<bool(QDialog *)>;

    explicit CModalAnswer(Action action)
        : m_action(std::move(action))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
        m_timer.start();
    }

    // Closes the next message box with OK and keeps its text.
    static Action AcceptMessage(QString &text)
    {
        return [&text](QDialog *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            if (!box)
                return false;
            text = box->text();
            box->accept();
            return true;
        };
    }

    bool Answered() const { return m_answered; }

private:
    void Answer()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog == m_seen)
            return;
        QPointer<QDialog> open(dialog);
        if (!m_action(dialog)) {
            m_seen = dialog;
            return;
        }
        m_timer.stop();
        m_answered = true;
        if (open && open->isVisible())
            open->reject();
    }

    Action m_action;
    QTimer m_timer;
    QPointer<QDialog> m_seen;
    bool m_answered = false;
};

// The first access point, mailbox and SMS centre, with the switches set so
// that their dependent fields can be edited.
inline CSettingNode *OfficeAccessPoint(CSettingNode *root)
{
    CSettingNode *item = AddAccessPoint(root, QStringLiteral("Office"));
    item->FindChild(NodeType::PromptPassword)->SetValue(QStringLiteral("No"));
    Path(item, {NodeType::Proxies, NodeType::HTTPUseProxy})->SetValue(QStringLiteral("Yes"));
    Path(item, {NodeType::AddressOptions, NodeType::RetrieveIP})->SetValue(QStringLiteral("No"));
    Path(item, {NodeType::ScriptOptions, NodeType::UseLoginScript})
        ->SetValue(QStringLiteral("Yes"));
    return item;
}

inline CSettingNode *WorkMailbox(CSettingNode *root)
{
    return AddMailbox(root, QStringLiteral("Work"));
}
