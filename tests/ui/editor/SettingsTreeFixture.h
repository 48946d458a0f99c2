#pragma once

#include "document/SettingsDocument.h"
#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/editor/SettingsTreeModel.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace NodeType;

// A document with a fresh default configuration holding the access point
// "Office" and the mailbox "Work", labelled by the real English language
// library, which also supplies the icons of the tree control that shows and
// edits it in an active window.
class CSettingsTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto texts = CLanguageTexts::Open(ProgramFolder() + kLanguageLibraryName);
        ASSERT_NE(texts, nullptr);
        const CLanguageLibrary *images = &texts->Library();
        m_test.Application().SetLanguageLibrary(std::move(texts));
        m_document.Reset();
        m_office = AddAccessPoint(Root(), "Office");
        m_work = AddMailbox(Root(), "Work");
        m_ctrl = std::make_unique<CSettingsTreeCtrl>(
            [images](unsigned id) { return images->LoadImage(id); });
        m_ctrl->SetDocument(&m_document);
        m_ctrl->resize(600, 900);
        m_ctrl->Fill(Root());
        m_ctrl->show();
        QApplication::setActiveWindow(m_ctrl.get());
        m_ctrl->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_ctrl.get()));
    }

    CSettingNode *Root() const { return Writable(m_document.GetRoot()); }
    CSettingNode *Field(int type) const { return m_office->FindChild(type); }
    CSettingNode *Caret() const { return Writable(m_ctrl->NodeAt(m_ctrl->currentIndex())); }

    // The node's row, with every row above it expanded.
    QModelIndex Row(CSettingNode *node)
    {
        if (CSettingNode *parent = node->GetParent(); parent && parent != Root())
            m_ctrl->expand(Row(parent));
        const QModelIndex row = m_ctrl->IndexOf(node);
        m_ctrl->scrollTo(row);
        return row;
    }

    QPoint OnCheck(const QModelIndex &row) const { return m_ctrl->CheckIconRect(row).center(); }
    QPoint OnLabel(const QModelIndex &row) const
    {
        return {m_ctrl->ValueRect(row).left() - 8, m_ctrl->RowRect(row).center().y()};
    }
    void Click(const QModelIndex &row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_ctrl->viewport(), Qt::LeftButton, modifiers, OnLabel(row));
    }
    void DoubleClick(const QModelIndex &row)
    {
        QTest::mouseDClick(m_ctrl->viewport(), Qt::LeftButton, {}, OnLabel(row));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(m_ctrl.get(), Qt::Key(key), modifiers);
    }

    // The open in-place editor; null when none is shown.
    template<class T = QWidget>
    T *Editor() const
    {
        for (QWidget *editor :
             m_ctrl->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (editor->isVisible())
                return qobject_cast<T *>(editor);
        }
        return nullptr;
    }

    CTestTree m_test{false};
    CSettingsDocument m_document{&m_test.Application()};
    CSettingNode *m_office = nullptr;
    CSettingNode *m_work = nullptr;
    std::unique_ptr<CSettingsTreeCtrl> m_ctrl;
};
