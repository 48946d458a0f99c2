#include "ui/controls/IPAddressEdit.h"
#include "ui/editor/ChoiceListEdit.h"
#include "ui/editor/InPlaceLineEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// One kind of in-place editor: how to make it, what to type into it and what
// it then holds.
struct EditorKind
{
    const char *name;
    std::function<QWidget *(QWidget *parent)> create;
    const char *keys;
    std::function<QString(QWidget *)> value;
    QString typed;
};

const EditorKind kKinds[] = {
    {"Line", [](QWidget *parent) { return new CInPlaceLineEdit(parent); }, "abc",
     [](QWidget *w) { return static_cast<CInPlaceLineEdit *>(w)->text(); }, "abc"},
    {"Choice",
     [](QWidget *parent) {
         auto *list = new CChoiceListEdit(parent);
         list->SetChoices({"Alpha", "Beta", "Gamma"});
         return list;
     },
     "g", [](QWidget *w) { return static_cast<CChoiceListEdit *>(w)->currentText(); }, "Gamma"},
    {"IPAddress", [](QWidget *parent) { return new CIPAddressEdit(parent); }, "10.1.2.3",
     [](QWidget *w) { return static_cast<CIPAddressEdit *>(w)->GetAddress(); }, "10.1.2.3"},
};

void PrintTo(const EditorKind &kind, std::ostream *os)
{
    *os << kind.name;
}

// A host window with a menu bar around a companion (the tree's stand-in)
// that holds an open, active editor with the keyboard focus.
class InPlaceEditors : public ::testing::TestWithParam<EditorKind>
{
protected:
    void SetUp() override
    {
        m_file = m_window.menuBar()->addMenu("&File");
        m_file->addAction("&New");
        m_companion = new QWidget;
        m_companion->setFocusPolicy(Qt::StrongFocus);
        m_window.setCentralWidget(m_companion);
        m_window.resize(400, 300);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));

        m_editor = GetParam().create(m_companion);
        m_editor->setGeometry(10, 10, 200, 24);
        m_editor->show();
        m_editor->setFocus(Qt::OtherFocusReason);
        Editor()->SetCompanion(m_companion);
        Editor()->SetActive(true);
        m_commits = std::make_unique<QSignalSpy>(m_editor, SIGNAL(commitRequested()));
        m_drops = std::make_unique<QSignalSpy>(m_editor, SIGNAL(editDropped()));
        for (const char *c = GetParam().keys; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    }

    CInPlaceEditor *Editor() const { return CInPlaceEditor::Of(m_editor); }
    bool HasFocus() const
    {
        const QWidget *focus = QApplication::focusWidget();
        return m_editor && (focus == m_editor || m_editor->isAncestorOf(focus));
    }
    // A key goes to the open menu if there is one, else to the focus.
    static void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    void ClickMenuTitle()
    {
        QMenuBar *bar = m_window.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(m_file->menuAction()).center());
    }
    // The user clicks into another application's window.
    void ActivateOtherWindow()
    {
        m_other.show();
        QApplication::setActiveWindow(&m_other);
        m_other.setFocus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QMainWindow m_window;
    QMenu *m_file = nullptr;
    QWidget *m_companion = nullptr;
    QPointer<QWidget> m_editor;
    QWidget m_other;
    std::unique_ptr<QSignalSpy> m_commits, m_drops;
};

} // namespace

TEST_P(InPlaceEditors, EndWithEnterEscapeOrTheFocusLeaving)
{
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Widget(), m_editor);
    QLineEdit plain;
    EXPECT_EQ(CInPlaceEditor::Of(&plain), nullptr);
    EXPECT_EQ(CInPlaceEditor::Of(nullptr), nullptr);
    EXPECT_EQ(GetParam().value(m_editor), GetParam().typed);

    Key(Qt::Key_Return);
    EXPECT_EQ(m_commits->size(), 1);
    EXPECT_FALSE(Editor()->IsCancelled());
    Key(Qt::Key_Escape);
    EXPECT_EQ(m_commits->size(), 2);
    EXPECT_TRUE(Editor()->IsCancelled());
    Editor()->SetCancelled(false);

    m_companion->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(m_commits->size(), 3);
    // Only an active editor reacts to the focus leaving.
    m_editor->setFocus();
    Editor()->SetActive(false);
    ActivateOtherWindow();
    EXPECT_TRUE(m_editor);
    EXPECT_EQ(m_drops->size(), 0);

    QApplication::setActiveWindow(&m_window);
    m_editor->setFocus();
    Editor()->SetActive(true);
    ActivateOtherWindow();
    EXPECT_EQ(m_drops->size(), 1);
    EXPECT_EQ(m_commits->size(), 3);
    EXPECT_FALSE(m_editor) << "an editor the focus left for another window deletes itself";
}

// Working the host's menus is not leaving the edit, whether a menu opens by
// Alt and its letter or by a click; afterwards where the focus goes from the
// menu bar decides.
TEST_P(InPlaceEditors, KeepTheEditWhileAMenuHasTheFocus)
{
    for (const bool byClick : {false, true}) {
        if (byClick)
            ClickMenuTitle();
        else
            Key(Qt::Key_F, Qt::AltModifier);
        ASSERT_TRUE(m_file->isVisible());
        // Escape closes the menu and leaves the menu bar with the keyboard;
        // a second one gives the keyboard back.
        Key(Qt::Key_Escape);
        EXPECT_FALSE(m_file->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), m_window.menuBar());
        Key(Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(m_editor);
        EXPECT_TRUE(HasFocus());
        EXPECT_TRUE(Editor()->IsActive());
        EXPECT_FALSE(Editor()->IsCancelled());
        EXPECT_EQ(GetParam().value(m_editor), GetParam().typed);
        EXPECT_EQ(m_commits->size(), 0);
        EXPECT_EQ(m_drops->size(), 0);
    }
    Key(Qt::Key_Return);
    EXPECT_EQ(m_commits->size(), 1);

    // From the menu bar to the companion commits; to another window drops.
    Key(Qt::Key_F, Qt::AltModifier);
    Key(Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), m_window.menuBar());
    m_companion->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(m_commits->size(), 2);
    EXPECT_EQ(m_drops->size(), 0);
    m_editor->setFocus();
    Key(Qt::Key_F, Qt::AltModifier);
    Key(Qt::Key_Escape);
    ActivateOtherWindow();
    EXPECT_EQ(m_drops->size(), 1);
    EXPECT_FALSE(m_editor);
}

INSTANTIATE_TEST_SUITE_P(Kinds, InPlaceEditors, ::testing::ValuesIn(kKinds),
                         [](const auto &param) { return std::string(param.param.name); });

// The style that lays out a non-editable list as a menu ignores the number of
// visible rows; the open list keeps to its height all the same, fills it, and
// hangs from the editor.
TEST(ChoiceListEdit, OpenListOfManyNamesIsAsHighAsTheDropDown)
{
    QStyle *fusion = QStyleFactory::create("Fusion");
    ASSERT_TRUE(fusion);
    QApplication::setStyle(fusion);
    QStringList names;
    for (int i = 0; i < 2000; ++i)
        names.append(QStringLiteral("Name %1").arg(i));
    QWidget window;
    window.resize(300, 100);
    window.move(0, 0);
    for (const bool editable : {false, true}) {
        auto *list = new CChoiceListEdit(&window);
        list->setGeometry(10, 10, 200, 24);
        list->setEditable(editable);
        list->SetChoices(names);
        list->setCurrentIndex(1000);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        list->showPopup();
        const QWidget *popup = list->view()->window();
        ASSERT_TRUE(popup->isVisible());
        const int row = list->view()->sizeHintForRow(0);
        EXPECT_LE(popup->height(), CChoiceListEdit::kDropDownHeight) << editable;
        EXPECT_GT(popup->height(), CChoiceListEdit::kDropDownHeight - 2 * row) << editable;
        EXPECT_LE(
            std::abs(popup->geometry().top() - list->mapToGlobal(QPoint(0, list->height())).y()), 1)
            << editable;
        EXPECT_TRUE(list->view()
                        ->visualRect(list->view()->currentIndex())
                        .intersects(list->view()->viewport()->rect()))
            << "the current entry is in sight";
        list->hidePopup();
        delete list;
    }
}
