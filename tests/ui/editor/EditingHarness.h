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

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace NodeType;

// What the tree control does around the editing: it owns the editors' parent
// widget in an active window, commits when the focus comes back, and records
// what the editing tells it. The tree holds the access point "Office" (with
// the switches set that its dependent fields need), the mailbox "Work" and
// the SMS centre "Operator".
struct CEditingHarness
{
    CEditingHarness()
        : texts(true)
        , root(texts.Root())
        , office(AddAccessPoint(root, QStringLiteral("Office")))
        , work(AddMailbox(root, QStringLiteral("Work")))
        , centre(NameNewItem(root, SMSSettings, SMSTemplate, CentreName, "Operator"))
    {
        office->FindChild(PromptPassword)->SetValue(QStringLiteral("No"));
        Path(office, {Proxies, HTTPUseProxy})->SetValue(QStringLiteral("Yes"));
        Path(office, {AddressOptions, RetrieveIP})->SetValue(QStringLiteral("No"));
        Path(office, {ScriptOptions, UseLoginScript})->SetValue(QStringLiteral("Yes"));

        window.resize(640, 240);
        owner = new QWidget(&window);
        owner->setGeometry(0, 0, 640, 240);
        owner->setFocusPolicy(Qt::StrongFocus);
        editing = new CInPlaceEditing(owner);
        QObject::connect(editing, &CInPlaceEditing::focusReturned, editing,
                         &CInPlaceEditing::CommitEdit);
        QObject::connect(editing, &CInPlaceEditing::valueCommitted, editing,
                         [this](CSettingNode *node) { committed.push_back(node); });
        QObject::connect(editing, &CInPlaceEditing::statusMessage, editing,
                         [this](const QString &text) { statusTexts.append(text); });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        owner->setFocus();
    }

    bool Begin(CSettingNode *node, const QString &typed = {}, QRect rect = {400, 10, 180, 22})
    {
        // As the user does by clicking the tree after another window had the focus.
        if (!window.isActiveWindow()) {
            QApplication::setActiveWindow(&window);
            owner->setFocus();
        }
        return editing->BeginEdit(node, rect, typed);
    }

    // The open editor; null when none is shown.
    template<class T = QWidget>
    T *Editor() const
    {
        for (QWidget *editor : owner->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (editor->isVisible())
                return qobject_cast<T *>(editor);
        }
        return nullptr;
    }
    QLineEdit *LineEditor() const { return Editor<QLineEdit>(); }

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
        other.show();
        QApplication::setActiveWindow(&other);
        other.setFocus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CEnglishTexts texts;
    QWidget window;
    QLineEdit other;
    QWidget *owner = nullptr;
    CInPlaceEditing *editing = nullptr;
    CSettingNode *root;
    CSettingNode *office;
    CSettingNode *work;
    CSettingNode *centre;
    std::vector<CSettingNode *> committed;
    QStringList statusTexts;
};

// Hands every modal dialog that opens while it lives to a handler, from
// inside the dialog's own event loop. A dialog the handler leaves open is
// rejected, so that a test never hangs.
class CModalAnswer
{
public:
    explicit CModalAnswer(std::function<void(QDialog *)> handler)
        : m_handler(std::move(handler))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            ++answered;
            m_handler(dialog);
            if (dialog && dialog->isVisible())
                dialog->reject();
        });
        m_timer.start(5);
    }

    // Closes message boxes with OK and keeps the last one's text; rejects
    // any other dialog.
    static std::function<void(QDialog *)> AcceptMessages(QString &text)
    {
        return [&text](QDialog *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                text = box->text();
                box->accept();
            }
        };
    }

    int answered = 0;

private:
    std::function<void(QDialog *)> m_handler;
    QTimer m_timer;
};
