#include "FakeViewHost.h"
#include "PlugInFixture.h"

#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/LanguageLibrary.h"
#include "platform/registry/Registry.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

namespace {

class PlugInTest : public PlugInFixture
{
protected:
    // Each test starts the plug-in as the host does: Initialize, SetHost,
    // CreateView, SetState(1), Activate.
    void SetUp() override
    {
        PlugInFixture::SetUp();
        if (!HasFatalFailure())
            StartPlugIn();
    }

    void StartPlugIn()
    {
        m_plugIn = CreatePlugIn();
        ASSERT_TRUE(m_plugIn);
        int32_t result = 0, flagA = 0, flagB = 0;
        ASSERT_EQ(m_plugIn->Initialize(&m_hostWindow, 0, &result, &flagA, &flagB), S_OK);
        EXPECT_EQ(result, ViewInitResult::Started);
        EXPECT_TRUE(flagA == 1 && flagB == 1);
        CComPtr<IViewHost> site;
        ASSERT_EQ(
            CreateComObject<CFakeViewHost>(nullptr, IID_IViewHost, site.ReceiveVoid(), &m_calls),
            S_OK);
        m_plugIn->SetHost(site.Detach());
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

    QWidget *View() const { return m_hostWindow.findChild<QWidget *>("id10136"); }
    QTreeView *Tree() const { return m_hostWindow.findChild<QTreeView *>("id10150"); }

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

TEST_F(PlugInTest, StartingBuildsTheToolbarAndTheViewWhichFollowsMovesUntilReleased)
{
    EXPECT_EQ(m_calls,
              (QStringList{"CreateToolbar", "SetToolbarBitmap 7 5 29090",
                           "AddToolbarButton 7 0 29050 4 0", "AddToolbarButton 7 1 29052 4 0",
                           "AddToolbarButton 7 2 29051 4 0", "AddToolbarButton 7 3 29053 4 0",
                           "AddToolbarButton 7 4 29054 4 0", "ShowToolbar 7",
                           "SetToolbarCaption 7 Provana"}));
    QPointer<QWidget> view = View();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isVisible());
    ASSERT_NE(Tree(), nullptr);
    EXPECT_GT(Tree()->model()->rowCount(), 0);

    // A second CreateView changes nothing.
    EXPECT_EQ(m_plugIn->CreateView(&m_hostWindow, 5, 5, 100, 100), S_OK);
    EXPECT_EQ(m_hostWindow.findChildren<QWidget *>(QStringLiteral("id10136")).size(), 1);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 640, 480));

    // The tree fills the view below the header band; hidden moves leave it in place.
    EXPECT_EQ(Tree()->geometry(), QRect(0, 32, 640, 448));
    m_plugIn->MoveView(0, 10, 20, 300, 200);
    EXPECT_EQ(view->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(Tree()->geometry(), QRect(0, 32, 300, 168));
    m_plugIn->MoveView(1, 0, 0, 500, 400);
    EXPECT_EQ(view->geometry(), QRect(10, 20, 300, 200));

    m_plugIn->Close();
    m_plugIn.Reset();
    EXPECT_FALSE(view);
}

TEST_F(PlugInTest, CommandStatesTextsMenusAndFocusEventsAnswerAsTheHostExpects)
{
    for (uint32_t command : {29050u, 10279u, 29051u, 31021u, 29052u, 31009u, 31022u, 10278u, 31020u,
                             29054u, 31000u, 31001u, 31002u, 10281u, 10282u, 10283u, 31016u})
        EXPECT_EQ(State(command), ViewCommandState::Enabled) << command;
    // Without a selected item or an open editor there is nothing to copy,
    // nothing to undo or redo in a new document, and with nothing included
    // nothing to send.
    for (uint32_t command : {31015u, 31017u, 31018u, 29053u, 10276u, 12345u})
        EXPECT_EQ(State(command), ViewCommandState::Disabled) << command;

    // A command without a text of the asked kind leaves the identifier alone.
    auto text = [this](uint32_t command, int32_t kind) {
        uint32_t id = 99;
        m_plugIn->GetCommandString(command, kind, &id);
        return id;
    };
    EXPECT_EQ(text(29050, ViewCommandText::ShortText), 380u);
    EXPECT_EQ(text(10279, ViewCommandText::ShortText), 99u);
    EXPECT_EQ(text(10279, ViewCommandText::Description), 332u);
    EXPECT_EQ(text(29050, 7), 99u);

    // The host titles the plug-in's entry with its name.
    uint32_t title = 0, name = 0, description = 0;
    m_plugIn->GetStringId(ViewStringKind::Title, &title);
    m_plugIn->GetNameId(&name);
    m_plugIn->GetStringId(ViewStringKind::Description, &description);
    EXPECT_EQ(title, name);
    EXPECT_EQ(description, 431u);

    char16_t path[512];
    uint32_t length = 0;
    int32_t flagA = 0, flagB = 0;
    ASSERT_EQ(m_plugIn->GetResourceModule(0, &flagA, &flagB, path, 512, &length), S_OK);
    EXPECT_TRUE(QString::fromUtf16(path, length).endsWith(QStringLiteral("/ProvixLang.so")));

    int32_t notHandled = -1;
    for (int32_t kind : {2, 3, 4, 5}) {
        m_plugIn->FocusEvent(kind, &notHandled);
        EXPECT_EQ(notHandled, 0) << kind;
    }
    m_plugIn->FocusEvent(9, &notHandled);
    EXPECT_EQ(notHandled, 1);

    // Preparing the menu adds the accelerator text once and grays sending.
    QMenu menu;
    QMenu *sub = menu.addMenu(QStringLiteral("Tools"));
    QAction *send = sub->addAction(QStringLiteral("Send"));
    send->setData(10276u);
    QMenu *via = sub->addMenu(QStringLiteral("Send Via"));
    QAction *ways[3];
    for (int i = 0; i < 3; ++i) {
        ways[i] = via->addAction(QStringLiteral("Way %1").arg(i + 1));
        ways[i]->setData(10281u + i);
    }
    for (int i = 0; i < 3; ++i)
        m_plugIn->PrepareMenu(&menu);
    EXPECT_EQ(send->text(), QStringLiteral("Send\tF5"));
    EXPECT_FALSE(send->isEnabled());
    // The way of sending in use is marked, the first at the start.
    const auto marked = [&] {
        m_plugIn->PrepareMenu(via);
        QString checked;
        for (QAction *way : ways)
            checked += way->isChecked() ? u'x' : u'-';
        return checked;
    };
    EXPECT_EQ(marked(), "x--");
    m_plugIn->Execute(10282);
    EXPECT_EQ(marked(), "-x-");
    m_plugIn->Execute(10283);
    EXPECT_EQ(marked(), "--x");
    m_plugIn->Execute(10281);
}

TEST_F(PlugInTest, DeactivatingDuringADialogHidesTheViewAndAsksToComeBack)
{
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

TEST_F(PlugInTest, AWaitingRequestFileBringsThePlugInForwardOnce)
{
    // Without a request the start-up check asks the host nothing.
    m_calls = {"inactive"};
    int32_t result = 0, flagA = 0, flagB = 0;
    m_plugIn->Initialize(&m_hostWindow, 0, &result, &flagA, &flagB);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_calls, QStringList{"inactive"});

    CRegistry().SetValue("HKEY_CURRENT_USER\\Software\\Talvik\\Provana", "RequestFile",
                         "/home/ann/request.xml");
    m_plugIn->Initialize(&m_hostWindow, 0, &result, &flagA, &flagB);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_calls, (QStringList{"inactive", "IsPlugInActive Talvik.ProvixView.1",
                                    "ActivatePlugIn Talvik.ProvixView.1"}));
}

TEST_F(PlugInTest, HelpOpensTheCategorysShippedTopicOrTheContents)
{
    auto shownHelp = [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("provixHelp") && window->isVisible())
                return qobject_cast<QTextBrowser *>(window);
        }
        return static_cast<QTextBrowser *>(nullptr);
    };
    QTreeView *tree = Tree();
    const QAbstractItemModel *model = tree->model();
    // Every category has a topic. Only the e-mail category's shipped topic, not
    // the window's own fallback, explains the servers.
    bool mailTopicShown = false;
    for (int row = 0; row < model->rowCount(); ++row) {
        tree->setCurrentIndex(model->index(row, 0));
        m_plugIn->Help();
        QTextBrowser *help = shownHelp();
        ASSERT_TRUE(help);
        const int context = help->property("helpContext").toInt();
        EXPECT_GT(context, 0) << row;
        if (context == 140) {
            mailTopicShown = true;
            EXPECT_TRUE(help->source().toLocalFile().endsWith(QStringLiteral("/help/140.html")));
            EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Outgoing mail server")));
        }
    }
    EXPECT_TRUE(mailTopicShown);

    tree->setCurrentIndex(QModelIndex());
    m_plugIn->Help();
    EXPECT_EQ(shownHelp()->property("helpContext").toInt(), 0);
}

// Run once per language (see CMakeLists.txt): the plug-in names the library
// the desktop's language chose to the host, its tree speaks it, and its help
// opens the topics beside that library.
TEST_F(PlugInTest, TheViewAndItsHelpSpeakTheChosenLanguage)
{
    const LanguageChoice choice = ChooseLanguageLibrary();
    char16_t path[512];
    uint32_t length = 0;
    int32_t flagA = 0, flagB = 0;
    ASSERT_EQ(m_plugIn->GetResourceModule(0, &flagA, &flagB, path, 512, &length), S_OK);
    EXPECT_EQ(QString::fromUtf16(path, length), choice.path);

    const auto library = CLanguageLibrary::Open(choice.path);
    ASSERT_NE(library, nullptr);
    char16_t label[256];
    const int labelLength = library->LoadString(279, label, 256);
    QTreeView *tree = Tree();
    const QModelIndex accessPoints = tree->model()->index(0, 0);
    EXPECT_EQ(accessPoints.data().toString(), QString::fromUtf16(label, labelLength));

    tree->setCurrentIndex(accessPoints);
    m_plugIn->Help();
    QTextBrowser *help = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("provixHelp") && window->isVisible())
            help = qobject_cast<QTextBrowser *>(window);
    }
    ASSERT_TRUE(help);
    EXPECT_EQ(help->source().toLocalFile(), HelpFolderOf(choice.path) + "279.html");
    EXPECT_TRUE(help->toPlainText().contains(QString::fromUtf16(label, labelLength)));
    const QRect screen = help->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(help->frameGeometry())) << "the help window opens fully on screen";
}

// The first row below parent whose label is text.
QModelIndex ChildRow(const QAbstractItemModel *model, const QModelIndex &parent,
                     const QString &text)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString() == text)
            return index;
    }
    return {};
}

// Names the new access point by typing in its name row, as a user does.
// Returns the row of its category, or an invalid one when that failed.
QModelIndex TypeAccessPointName(QTreeView *tree, QWidget *window, const QString &name)
{
    const QAbstractItemModel *model = tree->model();
    const QModelIndex category = ChildRow(model, {}, QStringLiteral("Internet access points"));
    const QModelIndex row =
        ChildRow(model, ChildRow(model, category, QStringLiteral("New access point")),
                 QStringLiteral("Connection name"));
    QApplication::setActiveWindow(window);
    if (!row.isValid() || !QTest::qWaitForWindowActive(window))
        return {};
    tree->setCurrentIndex(row);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Return);
    QWidget *editor = QApplication::focusWidget();
    if (!editor)
        return {};
    QTest::keyClicks(editor, name);
    QTest::keyClick(editor, Qt::Key_Return);
    return category;
}

TEST_F(PlugInTest, TheViewsOwnMenuItemsAndTheProblemsPanelBesideTheTree)
{
    // Make Variants joins the File menu once, after Save As.
    QMenu file;
    file.addAction(QStringLiteral("Save As"))->setData(31022u);
    file.addSeparator();
    m_plugIn->PrepareMenu(&file);
    m_plugIn->PrepareMenu(&file);
    ASSERT_EQ(file.actions().size(), 3);
    EXPECT_EQ(file.actions()[1]->text(), QStringLiteral("&Make Variants..."));

    QMenu edit;
    edit.addAction(QStringLiteral("Select All"))->setData(31020u);
    m_plugIn->PrepareMenu(&edit);
    m_plugIn->PrepareMenu(&edit);
    QList<QAction *> items;
    for (QAction *action : edit.actions()) {
        if (action->text() == QStringLiteral("Pro&blems"))
            items.append(action);
    }
    ASSERT_EQ(items.size(), 1);
    QAction *toggle = items.front();
    EXPECT_TRUE(toggle->isCheckable());

    // A named access point has no phone number yet, which sending refuses.
    QTreeView *tree = Tree();
    const QModelIndex category = TypeAccessPointName(tree, &m_hostWindow, QStringLiteral("Office"));
    ASSERT_TRUE(category.isValid());

    auto *panel = m_hostWindow.findChild<QWidget *>(QStringLiteral("id10300"));
    auto *list = m_hostWindow.findChild<QTreeView *>(QStringLiteral("id10301"));
    ASSERT_TRUE(panel && list);
    EXPECT_FALSE(panel->isVisible());
    toggle->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(tree->geometry().width() + panel->width(), 640);
    QCoreApplication::processEvents();
    ASSERT_GE(list->model()->rowCount(), 1);

    // Enter on a row edits its setting in the tree.
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(tree->currentIndex().data().toString(), QStringLiteral("Phone number"));
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_TRUE(tree->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    toggle->trigger();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(tree->geometry(), QRect(0, 32, 640, 448));

    // A refused send opens the panel on the setting it names.
    QString message;
    QTimer::singleShot(0, [&message] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                message = box->text();
            modal->close();
        }
    });
    m_plugIn->Execute(10276u);
    EXPECT_TRUE(message.contains(QStringLiteral("Phone number"))) << message.toStdString();
    EXPECT_EQ(tree->currentIndex().data().toString(), QStringLiteral("Phone number"));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(list->currentIndex().row(), 0);

    // Closing asks to save the named access point: discard.
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Discard)->click();
    });
    m_plugIn->Close();
    m_plugIn.Reset();
}

TEST_F(PlugInTest, ThePrintPreviewKeepsTheViewBusyUntilItCloses)
{
    auto previews = [] {
        QList<QWidget *> found;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("provixPrintPreview") && window->isVisible())
                found.append(window);
        }
        return found;
    };
    m_plugIn->Execute(31001);
    ASSERT_EQ(previews().size(), 1);
    QPointer<QWidget> preview = previews().first();
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print preview"));
    EXPECT_FALSE(View()->isEnabled());

    // Busy: only the preview command answers, and only raises the preview.
    EXPECT_EQ(State(31001), ViewCommandState::Enabled);
    for (uint32_t command : {29050u, 29051u, 29054u, 31000u, 31002u, 31020u, 10278u})
        EXPECT_EQ(State(command), ViewCommandState::Disabled) << command;
    bool dialogOpened = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialogOpened = true;
            dialog->reject();
        }
    });
    m_plugIn->Execute(29054);
    m_plugIn->Execute(31002);
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialogOpened);
    m_plugIn->Execute(31001);
    EXPECT_EQ(previews().size(), 1);

    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(preview);
    EXPECT_TRUE(View()->isEnabled());
    EXPECT_EQ(State(29054), ViewCommandState::Enabled);
}

} // namespace

TEST_F(PlugInTest, UndoAndRedoAreNamedInTheMenuAndAnUnchangedViewMayClose)
{
    QMenu menu;
    QMenu *edit = menu.addMenu(QStringLiteral("Edit"));
    QAction *undo = edit->addAction(QStringLiteral("Undo"));
    undo->setData(31017u);
    QAction *redo = edit->addAction(QStringLiteral("Redo"));
    redo->setData(31018u);
    m_plugIn->PrepareMenu(&menu);
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo"));
    EXPECT_EQ(redo->text(), QStringLiteral("&Redo"));

    // Including "Personal data" through the tree is a step to take back.
    QModelIndex category;
    for (int row = 0; row < Tree()->model()->rowCount(); ++row) {
        if (Tree()->model()->index(row, 0).data().toString() == QStringLiteral("Personal data"))
            category = Tree()->model()->index(row, 0);
    }
    ASSERT_TRUE(category.isValid());
    Tree()->setCurrentIndex(category);
    Tree()->setFocus();
    QTest::keyClick(Tree(), Qt::Key_Space);
    ASSERT_EQ(State(31017), ViewCommandState::Enabled);
    m_plugIn->PrepareMenu(&menu);
    EXPECT_TRUE(undo->text().startsWith(QStringLiteral("&Undo "))) << undo->text().toStdString();
    m_plugIn->Execute(31017);
    EXPECT_EQ(State(31017), ViewCommandState::Disabled);
    EXPECT_EQ(State(31018), ViewCommandState::Enabled);
    m_plugIn->PrepareMenu(&menu);
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo"));
    EXPECT_TRUE(redo->text().startsWith(QStringLiteral("&Redo ")));

    CComPtr<IViewPluginClose> closing;
    ASSERT_EQ(m_plugIn->QueryInterface(IID_IViewPluginClose, closing.ReceiveVoid()), S_OK);
    int32_t mayClose = 0;
    ASSERT_EQ(closing->QueryClose(&mayClose), S_OK);
    EXPECT_EQ(mayClose, 1);
}

TEST_F(PlugInTest, ClosingTheViewTakesItsItemsOutOfTheHostsMenus)
{
    QMenu file;
    file.addAction(QStringLiteral("Save As"))->setData(31022u);
    QMenu edit;
    edit.addAction(QStringLiteral("Select All"))->setData(31020u);
    m_plugIn->PrepareMenu(&file);
    m_plugIn->PrepareMenu(&edit);
    ASSERT_GT(file.actions().size(), 1);
    ASSERT_GT(edit.actions().size(), 1);
    m_plugIn->Close();
    m_plugIn.Reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(file.actions().size(), 1);
    ASSERT_EQ(edit.actions().size(), 1) << "nor a separator of its own";
    EXPECT_EQ(edit.actions().front()->text(), QStringLiteral("Select All"));
}

TEST_F(PlugInTest, AskBeforeDeletingInTheEditMenuTurnsTheConfirmationBackOn)
{
    QMenu edit;
    edit.addAction(QStringLiteral("Select All"))->setData(31020u);
    m_plugIn->PrepareMenu(&edit);
    QAction *ask = nullptr;
    for (QAction *action : edit.actions()) {
        if (action->text() == QStringLiteral("As&k Before Deleting"))
            ask = action;
    }
    ASSERT_TRUE(ask);
    EXPECT_TRUE(ask->isCheckable() && ask->isChecked());

    QTreeView *tree = Tree();
    const QAbstractItemModel *model = tree->model();
    const QModelIndex category = TypeAccessPointName(tree, &m_hostWindow, QStringLiteral("Office"));
    ASSERT_TRUE(category.isValid());

    // Deletes Office, answering the question if one comes; says whether it came.
    const auto deleteOffice = [&](QMessageBox::StandardButton answer, bool tick) {
        const QModelIndex office = ChildRow(model, category, QStringLiteral("Office"));
        EXPECT_TRUE(office.isValid());
        tree->setCurrentIndex(office);
        tree->selectionModel()->select(office, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        bool asked = false;
        QTimer::singleShot(0, [&asked, answer, tick] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                asked = true;
                box->checkBox()->setChecked(tick);
                box->button(answer)->click();
            }
        });
        m_plugIn->Execute(31003u);
        return asked;
    };
    const auto hasOffice = [&] {
        return ChildRow(model, category, QStringLiteral("Office")).isValid();
    };

    EXPECT_TRUE(deleteOffice(QMessageBox::Yes, true));
    EXPECT_FALSE(hasOffice());
    EXPECT_FALSE(ask->isChecked());
    m_plugIn->Execute(31017u);
    ASSERT_TRUE(hasOffice());
    EXPECT_FALSE(deleteOffice(QMessageBox::No, false));
    EXPECT_FALSE(hasOffice());
    m_plugIn->Execute(31017u);

    ask->trigger();
    EXPECT_TRUE(ask->isChecked());
    EXPECT_TRUE(deleteOffice(QMessageBox::No, false));
    EXPECT_TRUE(hasOffice());

    // The choice outlives the view: the next one starts without asking.
    ask->trigger();
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Discard)->click();
    });
    m_plugIn->Close();
    m_plugIn.Reset();
    StartPlugIn();
    QMenu again;
    again.addAction(QStringLiteral("Select All"))->setData(31020u);
    m_plugIn->PrepareMenu(&again);
    bool found = false;
    for (QAction *action : again.actions()) {
        if (action->text() == QStringLiteral("As&k Before Deleting"))
            found = !action->isChecked();
    }
    EXPECT_TRUE(found);
}
