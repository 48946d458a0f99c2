#include "ui/bookmarks/BookmarkEditDlg.h"
#include "ui/bookmarks/BookmarkListDlg.h"
#include "ui/bookmarks/BookmarkSourceDlg.h"

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TreeHelpers.h"
#include "support/EnglishTexts.h"
#include "support/FocusChain.h"
#include "support/ModalAnswers.h"
#include "support/QtPrinters.h"
#include "ui/controls/ListCtrlEx.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

QPushButton *Button(QWidget *dialog, int id)
{
    return dialog->findChild<QPushButton *>(QStringLiteral("id%1").arg(id));
}

template<class T = QLineEdit>
T *Field(QWidget *dialog, int id)
{
    return dialog->findChild<T *>(QStringLiteral("id%1").arg(id));
}

// A bookmark list of the default content, labelled in English, in its dialog.
// Records are edited by m_edits in place of the dialog of one bookmark.
class BookmarkListDlgTest : public ::testing::Test
{
protected:
    CSettingNode *List(int type) const
    {
        return m_texts.Root()->FindDescendant({PersonalData, type});
    }
    void AddBookmark(const QString &name, const QString &url)
    {
        CSettingNode *entry =
            List(WWWBookmarks)->AddChild(QString(), EditorKind::None, WWWBookmark);
        entry->CreateDefaultContent();
        entry->FindChild(WWWBookmarkName)->SetValue(name);
        entry->FindChild(WWWBookmarkURL)->SetValue(url);
    }
    void Open(int type)
    {
        m_dialog = std::make_unique<CBookmarkListDlg>(m_texts.Application(), *List(type));
        m_dialog->SetRecordEditor([this](CBookmark &record, int ownIndex) {
            m_ownIndexes << ownIndex;
            if (m_edits.isEmpty())
                return false;
            const auto [name, url] = m_edits.takeFirst();
            record.name = name;
            record.url = url;
            return true;
        });
        m_dialog->show();
        ListCtrl()->setFocus();
    }
    CListCtrlEx *ListCtrl() const { return m_dialog->findChild<CListCtrlEx *>("id10161"); }
    void Click(int id) { QTest::mouseClick(Button(m_dialog.get(), id), Qt::LeftButton); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = ListCtrl()->visualRect(ListCtrl()->model()->index(row, 0));
        QTest::mouseClick(ListCtrl()->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    // The rows as shown: name, URL and the record each stands for.
    QStringList Shown() const
    {
        QStringList rows;
        for (int row = 0; row < ListCtrl()->GetItemCount(); ++row)
            rows << ListCtrl()->GetItemText(row, 0) + '|' + ListCtrl()->GetItemText(row, 1) + '|' +
                        ListCtrl()->GetItemData(row).toString();
        return rows;
    }
    QStringList Records() const
    {
        QStringList names;
        for (const CBookmark &record : m_dialog->Bookmarks().Records())
            names << record.name;
        return names;
    }

    CEnglishTexts m_texts{true};
    std::unique_ptr<CBookmarkListDlg> m_dialog;
    QList<std::pair<QString, QString>> m_edits;
    QList<int> m_ownIndexes;
};

} // namespace

TEST_F(BookmarkListDlgTest, OpensSortedByNameWithTheRecordsInTheirOrder)
{
    AddBookmark("news", "http://news.example/");
    AddBookmark("Alpha", "http://alpha.example/");
    AddBookmark("beta", "http://beta.example/");
    Open(WWWBookmarks);
    EXPECT_EQ(m_dialog->windowTitle(), "WWW bookmarks");
    EXPECT_EQ(ListCtrl()->model()->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(ListCtrl()->model()->headerData(1, Qt::Horizontal).toString(), "URL");
    // Sorted without regard to case; each row keeps its record's index.
    EXPECT_EQ(Shown(), (QStringList{"Alpha|http://alpha.example/|1", "beta|http://beta.example/|2",
                                    "news|http://news.example/|0"}));
    EXPECT_EQ(Records(), (QStringList{"news", "Alpha", "beta"}));
    EXPECT_FALSE(Button(m_dialog.get(), 10004)->isEnabled());
    EXPECT_FALSE(Button(m_dialog.get(), 10143)->isEnabled());
    EXPECT_NE(Button(m_dialog.get(), 259), nullptr);
    QSignalSpy help(m_dialog.get(), &CBookmarkListDlg::helpRequested);
    Click(264);
    EXPECT_EQ(help, (QList<QVariantList>{{460}}));

    // WAP bookmarks are not imported.
    Open(WAPBookmarks);
    EXPECT_EQ(m_dialog->windowTitle(), "WAP bookmarks");
    EXPECT_EQ(Button(m_dialog.get(), 259), nullptr);
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(BookmarkListDlgTest, AddAndEditSelectTheirRowAndKeepTheSort)
{
    AddBookmark("Mid", "http://mid.example/");
    Open(WWWBookmarks);
    m_edits = {{"Zed", "http://zed.example/"}, {"Aaa", "http://aaa.example/"}};
    Click(10139);
    Click(10139);
    EXPECT_EQ(Shown(), (QStringList{"Aaa|http://aaa.example/|2", "Mid|http://mid.example/|0",
                                    "Zed|http://zed.example/|1"}));
    EXPECT_EQ(ListCtrl()->GetSelectedRows(), QList<int>{0});
    EXPECT_EQ(m_ownIndexes, (QList<int>{-1, -1}));
    // Cancelled: nothing added.
    Click(10139);
    EXPECT_EQ(Records().size(), 3);

    // Editing the selected row edits its record; the row moves with the sort.
    m_edits = {{"Mmm", "http://m.example/"}};
    Click(10004);
    EXPECT_EQ(m_ownIndexes.last(), 2);
    EXPECT_EQ(Records(), (QStringList{"Mid", "Zed", "Mmm"}));
    EXPECT_EQ(Shown(), (QStringList{"Mid|http://mid.example/|0", "Mmm|http://m.example/|2",
                                    "Zed|http://zed.example/|1"}));
    EXPECT_EQ(ListCtrl()->GetSelectedRows(), QList<int>{1});
    EXPECT_EQ(List(WWWBookmarks)->ChildCount(), 1);
}

TEST_F(BookmarkListDlgTest, RemovingNonAdjacentRowsLeavesTheRightRecordsBehindTheRows)
{
    for (const char *name : {"e", "d", "c", "b", "a"})
        AddBookmark(name, QStringLiteral("http://%1.example/").arg(name));
    Open(WWWBookmarks);
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    ClickRow(4, Qt::ControlModifier);
    QTest::keyClick(ListCtrl(), Qt::Key_Delete);
    EXPECT_EQ(Records(), (QStringList{"d", "b"}));
    EXPECT_EQ(Shown(), (QStringList{"b|http://b.example/|1", "d|http://d.example/|0"}));
    // The row in the first removed row's place is selected.
    EXPECT_EQ(ListCtrl()->GetSelectedRows(), QList<int>{0});
    // The rows still open their own records; Enter edits the selected one
    // rather than close the dialog.
    ClickRow(1);
    m_edits = {{"d2", "http://d2.example/"}};
    QTest::keyClick(ListCtrl(), Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isHidden());
    EXPECT_EQ(m_ownIndexes.last(), 0);
    EXPECT_EQ(Records(), (QStringList{"d2", "b"}));
    EXPECT_EQ(ListCtrl()->GetSelectedRows(), QList<int>{1});
    // A double click edits too.
    m_edits = {{"b2", "http://b2.example/"}};
    const QPoint first = ListCtrl()->visualRect(ListCtrl()->model()->index(0, 0)).center();
    QTest::mouseClick(ListCtrl()->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(ListCtrl()->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(Records(), (QStringList{"d2", "b2"}));
}

TEST_F(BookmarkListDlgTest, ImportMergesTheFileAndReportsAFileThatCannotBeOpened)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("bookmarks.html");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<DT><A HREF=\"http://b.example/\">B</A>\n<DT><A HREF=\"http://dup/\">Mine</A>\n"
               "<DT><A HREF=\"no host/\">Bad</A>\n<DT><A HREF=\"http://a.example/\">A</A>\n");
    file.close();
    AddBookmark("Mine", "http://mine.example/");
    Open(WWWBookmarks);
    CBookmarkListDlg::ImportChoice choice{BookmarkSource::File, path};
    m_dialog->SetSourceChooser([&](QWidget *) { return choice; });
    Click(259);
    EXPECT_EQ(Records(), (QStringList{"Mine", "B", "A"}));
    EXPECT_EQ(Shown(), (QStringList{"A|http://a.example/|2", "B|http://b.example/|1",
                                    "Mine|http://mine.example/|0"}));
    // The name already listed and the URL that is not valid are skipped; the
    // new rows are selected.
    const auto report = [this] {
        return m_dialog->findChild<QLabel *>("id10248")->text();
    };
    EXPECT_EQ(report(), "2 added, 2 skipped");
    EXPECT_EQ(ListCtrl()->GetSelectedRows(), (QList<int>{0, 1}));
    Click(259);
    EXPECT_EQ(Records().size(), 3);
    EXPECT_EQ(report(), "0 added, 4 skipped");

    CRecordingMessages &messages = m_texts.Messages();
    choice.path = folder.filePath("missing.html");
    Click(259);
    EXPECT_EQ(messages.shown, QStringList{"The bookmark file could not be opened."});
    EXPECT_EQ(Records().size(), 3);
}

TEST_F(BookmarkListDlgTest, EntriesFollowTheRecordsAndCancelTouchesNothing)
{
    AddBookmark("b", "http://b.example/");
    List(WWWBookmarks)->SetIncludeFlag(1);
    Open(WWWBookmarks);
    m_edits = {{"a", "http://a.example/"}};
    Click(10139);
    const auto entries = m_dialog->TakeEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->FindChild(WWWBookmarkName)->GetValue(), "b");
    EXPECT_EQ(entries[1]->FindChild(WWWBookmarkName)->GetValue(), "a");
    EXPECT_EQ(entries[1]->IsIncluded(), 1);
    Click(2);
    EXPECT_EQ(List(WWWBookmarks)->ChildCount(), 1);
}

namespace {

class BookmarkEditDlgTest : public ::testing::Test
{
protected:
    CSettingNode *List(int type) const
    {
        return m_texts.Root()->FindDescendant({PersonalData, type});
    }

    CEnglishTexts m_texts{true};
};

} // namespace

TEST_F(BookmarkEditDlgTest, WwwOkFollowsTheChecksAndKeepsTheOwnName)
{
    CBookmarkList list(*List(WWWBookmarks));
    CBookmark taken;
    taken.name = "Taken";
    taken.url = "http://taken.example/";
    list.Append(taken);
    CWwwBookmarkDlg dialog(m_texts.Application(), list, -1);
    EXPECT_EQ(dialog.windowTitle(), "WWW bookmark");
    QPushButton *ok = Button(&dialog, 1);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(Field(&dialog, 10192)->maxLength(), 256);
    EXPECT_EQ(Field(&dialog, 10195)->maxLength(), 264);
    // Below the fields stands why OK is disabled, as the checks find it.
    const auto reason = [&dialog] {
        return dialog.findChild<QLabel *>("id10249")->text();
    };
    EXPECT_TRUE(reason().startsWith("Enter a name for the bookmark")) << reason().toStdString();
    Field(&dialog, 10192)->setText("Taken");
    EXPECT_TRUE(reason().startsWith("The list already has a bookmark with this name"));
    Field(&dialog, 10192)->setText("Free");
    Field(&dialog, 10195)->setText("no host/");
    EXPECT_TRUE(reason().startsWith("Enter a valid URL")) << reason().toStdString();
    Field(&dialog, 10192)->setText("Taken");
    Field(&dialog, 10195)->setText("http://x.example/");
    EXPECT_FALSE(ok->isEnabled());
    // Enter with a failing field says why and stays.
    CRecordingMessages &messages = m_texts.Messages();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.shown, QStringList{reason()});
    Field(&dialog, 10192)->setText("Free");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(reason(), "");

    // The record edited keeps its own name.
    CWwwBookmarkDlg own(m_texts.Application(), list, 0);
    own.SetRecord(taken);
    EXPECT_TRUE(Button(&own, 1)->isEnabled());
    own.accept();
    EXPECT_EQ(own.result(), QDialog::Accepted);
}

TEST_F(BookmarkEditDlgTest, WapConnectionsComeFromTheTreeAndThePlaceholderIsRefused)
{
    CBookmarkList empty(*List(WAPBookmarks));
    CBookmark record;
    record.name = "Mobile";
    record.url = "http://wap.example/";
    {
        CWapBookmarkDlg dialog(m_texts.Application(), *List(WAPBookmarks), empty, -1);
        dialog.SetRecord(record);
        // No WAP connection yet: nothing to choose, so OK stays off.
        EXPECT_FALSE(Button(&dialog, 1)->isEnabled());
        EXPECT_EQ(empty.Check(dialog.GetRecord(), -1), 589u);
    }
    AddWapConnection(m_texts.Root(), "Gateway A");
    AddWapConnection(m_texts.Root(), "Gateway B");
    CWapBookmarkDlg dialog(m_texts.Application(), *List(WAPBookmarks), empty, -1);
    EXPECT_EQ(dialog.windowTitle(), "WAP bookmark");
    auto *connection = Field<QComboBox>(&dialog, 10189);
    ASSERT_EQ(connection->count(), 2);
    record.connection = "Gateway B";
    record.userName = "ann";
    record.password = "pw";
    dialog.SetRecord(record);
    EXPECT_EQ(connection->currentText(), "Gateway B");
    EXPECT_TRUE(Button(&dialog, 1)->isEnabled());
    EXPECT_EQ(Field(&dialog, 10192)->maxLength(), 50);
    EXPECT_EQ(Field(&dialog, 10195)->maxLength(), 255);
    EXPECT_EQ(Field(&dialog, 10193)->maxLength(), 50);
    EXPECT_EQ(Field(&dialog, 10194)->maxLength(), 20);
    EXPECT_EQ(Field(&dialog, 10194)->echoMode(), QLineEdit::Password);
    const CBookmark read = dialog.GetRecord();
    EXPECT_EQ(read.connection, "Gateway B");
    EXPECT_EQ(read.userName, "ann");
    EXPECT_EQ(read.password, "pw");

    connection->addItem("No WAP connections defined");
    connection->setCurrentIndex(2);
    EXPECT_FALSE(Button(&dialog, 1)->isEnabled());
}

TEST_F(BookmarkEditDlgTest, ABookmarkWhoseConnectionIsGoneWaitsForTheUsersChoice)
{
    AddWapConnection(m_texts.Root(), "Gateway A");
    AddWapConnection(m_texts.Root(), "Gateway B");
    CBookmarkList list(*List(WAPBookmarks));
    CBookmark record;
    record.name = "Mobile";
    record.url = "http://wap.example/";
    record.connection = "Old gateway";
    list.Append(record);
    CWapBookmarkDlg dialog(m_texts.Application(), *List(WAPBookmarks), list, 0);
    // A file may also name no connection at all: that one waits too.
    CBookmark unnamed = record;
    unnamed.connection.clear();
    dialog.SetRecord(unnamed);
    auto *connection = Field<QComboBox>(&dialog, 10189);
    EXPECT_EQ(connection->currentIndex(), -1);
    dialog.SetRecord(record);
    EXPECT_EQ(connection->currentIndex(), -1);
    EXPECT_FALSE(Button(&dialog, 1)->isEnabled());

    CRecordingMessages &messages = m_texts.Messages();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.shown, QStringList{"Select the WAP connection that the bookmark uses."});
    connection->setCurrentIndex(1);
    EXPECT_TRUE(Button(&dialog, 1)->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetRecord().connection, "Gateway B");
}

namespace {

// A registry and a Favorites folder of the test's own.
class BookmarkSourceDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_saved = {qgetenv("TALVIK_REGISTRY"), qgetenv("PROVANA_FAVORITES")};
        qputenv("TALVIK_REGISTRY", QFile::encodeName(m_folder.filePath("registry")));
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("Favorites"));
        SetFavorites("Favorites");
    }
    void TearDown() override
    {
        qputenv("TALVIK_REGISTRY", m_saved.first);
        qputenv("PROVANA_FAVORITES", m_saved.second);
    }
    void SetFavorites(const char *name)
    {
        qputenv("PROVANA_FAVORITES", QFile::encodeName(m_folder.filePath(name)));
    }

    QTemporaryDir m_folder;
    std::pair<QByteArray, QByteArray> m_saved;
};

} // namespace

TEST_F(BookmarkSourceDlgTest, FavoritesOnlyWhenTheFolderExistsAndTheLastChoiceIsKept)
{
    CEnglishTexts texts;
    SetFavorites("missing");
    {
        CBookmarkSourceDlg dialog(texts.Application());
        EXPECT_EQ(Field<QRadioButton>(&dialog, 260), nullptr);
        EXPECT_EQ(dialog.Source(), BookmarkSource::Netscape);
        dialog.SetSource(BookmarkSource::Favorites);
        EXPECT_EQ(dialog.Source(), BookmarkSource::Netscape);
        QTest::mouseClick(Field<QRadioButton>(&dialog, 261), Qt::LeftButton);
        Field(&dialog, 10153)->setText("/home/ann/last.html");
        dialog.reject();
    }
    {
        // Cancel keeps nothing.
        CBookmarkSourceDlg dialog(texts.Application());
        EXPECT_EQ(dialog.Source(), BookmarkSource::Netscape);
        QTest::mouseClick(Field<QRadioButton>(&dialog, 261), Qt::LeftButton);
        Field(&dialog, 10153)->setText("/home/ann/last.html");
        QTest::mouseClick(Button(&dialog, 1), Qt::LeftButton);
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }
    CBookmarkSourceDlg again(texts.Application());
    EXPECT_EQ(again.Source(), BookmarkSource::File);
    EXPECT_TRUE(Field<QRadioButton>(&again, 261)->isChecked());
    EXPECT_EQ(Field(&again, 10153)->text(), "/home/ann/last.html");
    QTest::mouseClick(Field<QRadioButton>(&again, 10246), Qt::LeftButton);
    QTest::mouseClick(Button(&again, 1), Qt::LeftButton);
    // The file stays remembered for when a file is the source again.
    CBookmarkSourceDlg third(texts.Application());
    EXPECT_EQ(third.Source(), BookmarkSource::Firefox);
    EXPECT_EQ(Field(&third, 10153)->text(), "/home/ann/last.html");
}

TEST_F(BookmarkSourceDlgTest, ThePathIsAskedForABookmarkFileOnly)
{
    CEnglishTexts texts;
    CBookmarkSourceDlg dialog(texts.Application());
    QString filter;
    dialog.SetFileChooser([&](QWidget *, const QString &shown) {
        filter = shown;
        return QStringLiteral("/home/ann/bookmarks.html");
    });
    auto *path = Field(&dialog, 10153);
    QPushButton *ok = Button(&dialog, 1);
    EXPECT_TRUE(Field<QRadioButton>(&dialog, 260)->isChecked());
    EXPECT_EQ(dialog.Source(), BookmarkSource::Favorites);
    EXPECT_FALSE(path->isEnabled());
    EXPECT_FALSE(Button(&dialog, 3)->isEnabled());
    EXPECT_TRUE(ok->isEnabled());

    QTest::mouseClick(Field<QRadioButton>(&dialog, 261), Qt::LeftButton);
    EXPECT_EQ(dialog.Source(), BookmarkSource::File);
    EXPECT_TRUE(path->isEnabled());
    EXPECT_FALSE(ok->isEnabled());
    QTest::mouseClick(Button(&dialog, 3), Qt::LeftButton);
    EXPECT_EQ(filter, "Bookmark files (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*||");
    EXPECT_EQ(path->text(), "/home/ann/bookmarks.html");
    EXPECT_TRUE(ok->isEnabled());

    for (int id : {262, 10246, 10247}) {
        QTest::mouseClick(Field<QRadioButton>(&dialog, id), Qt::LeftButton);
        EXPECT_FALSE(path->isEnabled()) << id;
        EXPECT_TRUE(ok->isEnabled()) << id;
    }
    EXPECT_EQ(dialog.Source(), BookmarkSource::Chromium);
    QTest::mouseClick(Field<QRadioButton>(&dialog, 261), Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.FilePath(), "/home/ann/bookmarks.html");
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}

TEST(BookmarkFileChoiceDlg, OkNeedsARowAndADoubleClickChooses)
{
    CEnglishTexts texts;
    CBookmarkFileChoiceDlg dialog(texts.Application(), "/a/bookmark.htm;/b/bookmark.htm;");
    dialog.show();
    auto *list = dialog.findChild<CListCtrlEx *>("id261");
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), "Bookmark file");
    EXPECT_FALSE(Button(&dialog, 1)->isEnabled());
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(Button(&dialog, 1)->isEnabled());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenPath(), "/b/bookmark.htm");
}

TEST_F(BookmarkSourceDlgTest, EveryBookmarkDialogTabsFromTopToBottom)
{
    CEnglishTexts texts(true);
    CSettingNode *www = texts.Root()->FindDescendant({PersonalData, WWWBookmarks});
    CSettingNode *wap = texts.Root()->FindDescendant({PersonalData, WAPBookmarks});
    AddWapConnection(texts.Root(), "Gateway");
    for (CSettingNode *list : {www, wap}) {
        CBookmarkListDlg dialog(texts.Application(), *list);
        ExpectTabOrderTopToBottom(&dialog, "list");
    }
    CBookmarkList wwwList(*www), wapList(*wap);
    CWwwBookmarkDlg wwwDialog(texts.Application(), wwwList, -1);
    CBookmark record;
    record.name = "Mobile";
    record.url = "http://wap.example/";
    wwwDialog.SetRecord(record);
    ExpectTabOrderTopToBottom(&wwwDialog, "WWW bookmark");
    CWapBookmarkDlg wapDialog(texts.Application(), *wap, wapList, -1);
    wapDialog.SetRecord(record);
    ASSERT_TRUE(Button(&wapDialog, 1)->isEnabled());
    ExpectTabOrderTopToBottom(&wapDialog, "WAP bookmark");
    // Typed ahead from the top, Enter after the last field is OK.
    const QList<QWidget *> chain = TabChain(&wapDialog);
    ASSERT_GE(chain.size(), 6);
    EXPECT_EQ(chain[4]->objectName(), "id10194");
    EXPECT_EQ(chain[5], Button(&wapDialog, 1));

    CBookmarkSourceDlg source(texts.Application());
    source.SetSource(BookmarkSource::File);
    ExpectTabOrderTopToBottom(&source, "source");
    CBookmarkFileChoiceDlg choice(texts.Application(), "/a/bookmark.htm;");
    ExpectTabOrderTopToBottom(&choice, "file choice");
}
