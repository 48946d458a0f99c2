#include "FakeViewHost.h"
#include "PlugInFixture.h"

#include "orvenet/sdk/OrvenetGuids.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

namespace {

class PlugInTest : public PlugInFixture
{
protected:
    // Initialize, SetHost, CreateView, SetState(1), Activate: as the host
    // starts a plug-in.
    void Start()
    {
        m_plugIn = CreatePlugIn();
        ASSERT_TRUE(m_plugIn);
        int32_t result = 0, flagA = 0, flagB = 0;
        ASSERT_EQ(m_plugIn->Initialize(&m_hostWindow, 0, &result, &flagA, &flagB), S_OK);
        EXPECT_EQ(result, ViewInitResult::Started);
        EXPECT_EQ(flagA, 1);
        EXPECT_EQ(flagB, 1);
        IViewHost *site = nullptr;
        ASSERT_EQ(CreateComObject<CFakeViewHost>(nullptr, IID_IViewHost,
                                                 reinterpret_cast<void **>(&site), &m_calls),
                  S_OK);
        m_plugIn->SetHost(site);
        m_hostWindow.resize(640, 480);
        ASSERT_EQ(m_plugIn->CreateView(&m_hostWindow, 0, 0, 640, 480), S_OK);
        result = 0;
        m_plugIn->SetState(ViewState::Ready, &result);
        EXPECT_EQ(result, 1);
        m_hostWindow.show();
        ASSERT_EQ(m_plugIn->Activate(), S_OK);
    }

    void TearDown() override
    {
        if (m_plugIn) {
            m_plugIn->Close();
            m_plugIn.Reset();
        }
        PlugInFixture::TearDown();
    }

    QWidget *View() const { return m_hostWindow.findChild<QWidget *>(QStringLiteral("id10136")); }
    QTreeView *Tree() const
    {
        return m_hostWindow.findChild<QTreeView *>(QStringLiteral("id10150"));
    }

    int32_t State(uint32_t command)
    {
        int32_t state = 0;
        m_plugIn->GetCommandState(command, &state);
        return state;
    }

    QWidget m_hostWindow;
    QStringList m_calls;
    CComPtr<IViewPlugin> m_plugIn;
};

TEST_F(PlugInTest, StartingBuildsTheToolbarShowsTheViewAndFillsTheTree)
{
    Start();
    const QStringList expected = {
        "CreateToolbar",
        "SetToolbarBitmap 7 5 29090",
        "AddToolbarButton 7 0 29050 4 0",
        "AddToolbarButton 7 1 29052 4 0",
        "AddToolbarButton 7 2 29051 4 0",
        "AddToolbarButton 7 3 29053 4 0",
        "AddToolbarButton 7 4 29054 4 0",
        "ShowToolbar 7",
        "SetToolbarCaption 7 Provana",
    };
    EXPECT_EQ(m_calls, expected);
    QWidget *view = View();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    ASSERT_NE(Tree(), nullptr);
    EXPECT_GT(Tree()->model()->rowCount(), 0);

    // A second CreateView changes nothing; later activations do not reload.
    EXPECT_EQ(m_plugIn->CreateView(&m_hostWindow, 5, 5, 100, 100), S_OK);
    EXPECT_EQ(m_hostWindow.findChildren<QWidget *>(QStringLiteral("id10136")).size(), 1);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 640, 480));
}

TEST_F(PlugInTest, TheTreeFollowsTheViewBelowTheHeaderBandAndHiddenMovesLeaveItInPlace)
{
    Start();
    QWidget *view = View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Tree()->geometry(), QRect(0, 32, 640, 448));
    m_plugIn->MoveView(0, 10, 20, 300, 200);
    EXPECT_EQ(view->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(Tree()->geometry(), QRect(0, 32, 300, 168));
    m_plugIn->MoveView(1, 0, 0, 500, 400);
    EXPECT_EQ(view->geometry(), QRect(10, 20, 300, 200));
}

TEST_F(PlugInTest, CommandStatesAndTextsFollowTheCommandTable)
{
    Start();
    for (uint32_t command :
         {29050u, 10279u, 29051u, 31021u, 29052u, 31009u, 31022u, 10278u, 31020u})
        EXPECT_EQ(State(command), ViewCommandState::Enabled) << command;
    // Without an open editor, copy, paste and undo have nothing to work on;
    // sending and printing are not available in this version.
    for (uint32_t command :
         {31015u, 31016u, 31017u, 29053u, 10276u, 29054u, 31000u, 31001u, 31002u, 10281u, 12345u})
        EXPECT_EQ(State(command), ViewCommandState::Disabled) << command;

    auto text = [this](uint32_t command, int32_t kind) {
        uint32_t id = 99;
        m_plugIn->GetCommandString(command, kind, &id);
        return id;
    };
    EXPECT_EQ(text(29050, ViewCommandText::ShortText), 380u);
    EXPECT_EQ(text(29054, ViewCommandText::ShortText), 474u);
    EXPECT_EQ(text(10279, ViewCommandText::ShortText), 99u);
    EXPECT_EQ(text(10279, ViewCommandText::Description), 332u);
    EXPECT_EQ(text(29051, ViewCommandText::Description), 602u);
    EXPECT_EQ(text(31021, ViewCommandText::Description), 99u);
    EXPECT_EQ(text(10280, ViewCommandText::Description), 331u);
    EXPECT_EQ(text(31003, ViewCommandText::Description), 99u);
    EXPECT_EQ(text(10283, ViewCommandText::Description), 337u);
    EXPECT_EQ(text(29050, 7), 99u);

    uint32_t id = 0;
    m_plugIn->GetStringId(ViewStringKind::Title, &id);
    EXPECT_EQ(id, 429u);
    m_plugIn->GetStringId(5, &id);
    EXPECT_EQ(id, 0u);
    char16_t path[512];
    uint32_t length = 0;
    int32_t flagA = 0, flagB = 0;
    ASSERT_EQ(m_plugIn->GetResourceModule(0, &flagA, &flagB, path, 512, &length), S_OK);
    EXPECT_TRUE(QString::fromUtf16(path, length).endsWith(QStringLiteral("/ProvixLang.so")));
}

TEST_F(PlugInTest, PreparingTheMenuAddsTheAcceleratorTextOnceAndGraysSending)
{
    Start();
    QMenu menu;
    QMenu *sub = menu.addMenu(QStringLiteral("Tools"));
    QAction *send = sub->addAction(QStringLiteral("Send"));
    send->setData(10276u);
    for (int i = 0; i < 3; ++i)
        m_plugIn->PrepareMenu(&menu);
    EXPECT_EQ(send->text(), QStringLiteral("Send\tF5"));
    EXPECT_FALSE(send->isEnabled());
}

TEST_F(PlugInTest, DeactivatingDuringADialogHidesTheViewAndAsksToComeBack)
{
    Start();
    m_calls.clear();
    bool dialogOpen = false;
    bool viewShown = true;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        dialogOpen = dialog != nullptr;
        m_plugIn->Deactivate();
        viewShown = View()->isVisible();
        if (dialog)
            dialog->reject();
    });
    m_plugIn->About();
    ASSERT_TRUE(dialogOpen);
    EXPECT_FALSE(viewShown);
    EXPECT_EQ(m_calls,
              (QStringList{"RemoveToolbar 7 Provana", "ActivatePlugIn Talvik.ProvixView.1"}));

    // Without a dialog, deactivating only hides and removes the toolbar.
    m_plugIn->Activate();
    m_calls.clear();
    m_plugIn->Deactivate();
    EXPECT_EQ(m_calls, (QStringList{"RemoveToolbar 7 Provana"}));
}

TEST_F(PlugInTest, HelpOpensTheCategoryTopicOrTheContents)
{
    Start();
    auto helpContext = [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("provixHelp") && window->isVisible())
                return window->property("helpContext").toInt();
        }
        return -1;
    };
    QTreeView *tree = Tree();
    const QAbstractItemModel *model = tree->model();
    // The first category and, below it, one of its rows.
    tree->setCurrentIndex(model->index(0, 0));
    m_plugIn->Help();
    const int categoryContext = helpContext();
    EXPECT_NE(categoryContext, 0);
    EXPECT_NE(categoryContext, -1);
    EXPECT_EQ(m_calls.last(), QStringLiteral("SetToolbarCaption 7 Provana"));

    tree->setCurrentIndex(QModelIndex());
    m_plugIn->Help();
    EXPECT_EQ(helpContext(), 0);
}

TEST_F(PlugInTest, HelpForTheEmailCategoryShowsItsShippedTopic)
{
    Start();
    QTreeView *tree = Tree();
    const QAbstractItemModel *model = tree->model();
    QTextBrowser *help = nullptr;
    for (int row = 0; row < model->rowCount() && !help; ++row) {
        tree->setCurrentIndex(model->index(row, 0));
        m_plugIn->Help();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("provixHelp") && window->isVisible() &&
                window->property("helpContext").toInt() == 140)
                help = qobject_cast<QTextBrowser *>(window);
        }
    }
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->source().toLocalFile().endsWith(QStringLiteral("/help/140.html")));
    // Only the topic, not the window's own fallback, explains the servers.
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Outgoing mail server")));
}

TEST_F(PlugInTest, FocusEventsAndStatesAnswerAsTheHostExpects)
{
    Start();
    int32_t notHandled = -1;
    for (int32_t kind : {2, 3, 4, 5}) {
        m_plugIn->FocusEvent(kind, &notHandled);
        EXPECT_EQ(notHandled, 0) << kind;
    }
    m_plugIn->FocusEvent(9, &notHandled);
    EXPECT_EQ(notHandled, 1);
    uint32_t id = 0;
    m_plugIn->GetNameId(&id);
    EXPECT_EQ(id, 112u);
    m_plugIn->GetImageId(&id);
    EXPECT_EQ(id, 10125u);
}

TEST_F(PlugInTest, ReleasingThePlugInDestroysItsView)
{
    Start();
    QPointer<QWidget> view = View();
    ASSERT_TRUE(view);
    m_plugIn->Close();
    m_plugIn.Reset();
    EXPECT_FALSE(view);
}

} // namespace
