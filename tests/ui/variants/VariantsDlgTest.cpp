#include "ui/variants/VariantsDlg.h"
#include "config/PasswordScrambler.h"
#include "document/SettingsDocument.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "support/EnglishTexts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

const QByteArray kPhone = "IAPSettings/IAPConnection[Office]/PhoneNumber";

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A written configuration with its passwords unscrambled, as every write
// scrambles them with a fresh key.
QByteArray Unscrambled(const QString &path)
{
    QByteArray bytes = ReadAll(path);
    static const QRegularExpression password(QStringLiteral("<Password>([0-9a-f]+)</Password>"));
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    QByteArray plain = bytes.left(2);
    qsizetype at = 0;
    for (const QRegularExpressionMatch &match : password.globalMatch(text)) {
        plain += QStringView(text).mid(at, match.capturedStart(1) - at).toUtf8();
        plain += UnscramblePassword(match.captured(1)).toUtf8();
        at = match.capturedEnd(1);
    }
    return plain + QStringView(text).mid(at).toUtf8();
}

// The open configuration holds the access point "Office" (also saved as
// template.xml, for the command line); the dialog makes variants of it from
// tables in a folder of its own.
class VariantsDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_texts.Loaded());
        ASSERT_TRUE(m_folder.isValid());
        m_document.Reset();
        const CSettingNode *name =
            m_document.GetRoot()->FindDescendant({IAPSettings, IAPTemplate, IAPConnectionName});
        ASSERT_FALSE(m_document.EditValue(name, QStringLiteral("Office")).IsRefused());
        ASSERT_TRUE(m_document.Save(m_folder.filePath("template.xml")));
        m_dialog = std::make_unique<CVariantsDlg>(m_application, m_document);
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    QString WriteTable(const QByteArray &text)
    {
        const QString path = m_folder.filePath("people.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    template<class T = QWidget>
    T *Control(const char *name) const
    {
        return m_dialog->findChild<T *>(name);
    }
    QString Cell(int row, int column) const
    {
        const QTableWidgetItem *item = Control<QTableWidget>("id10314")->item(row, column);
        return item ? item->text() : QString();
    }
    QString Status(int row) const { return Cell(row, CVariantsDlg::StatusColumn); }
    QString Summary() const { return Control<QLabel>("id10317")->text(); }
    QString Focus() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // A mnemonic clicks its button once the button has shown itself pressed.
    void MakeByKey()
    {
        QSignalSpy clicked(Control<QPushButton>("id10316"), &QPushButton::clicked);
        Key(Qt::Key_M, Qt::AltModifier);
        EXPECT_TRUE(clicked.wait(2000));
    }

    CEnglishTexts m_texts;
    CApplication *m_application = const_cast<CApplication *>(m_texts.Application());
    CSettingsDocument m_document{m_application};
    QTemporaryDir m_folder;
    std::unique_ptr<CVariantsDlg> m_dialog;
};

TEST_F(VariantsDlgTest, TheRowsShowWhatBecomesOfThemAndMakeWritesWhatTheCommandLineWrites)
{
    // The port applies only once the proxy is used, as in the editor.
    const QString table = WriteTable("file;" + kPhone +
                                     ";IAPSettings/IAPConnection[Office]/Proxies/HTTPUseProxy"
                                     ";IAPSettings/IAPConnection[Office]/Proxies/HTTPPortNumber\n"
                                     "alice;0401;Yes;8080\n"
                                     "bob;0402;Maybe;80\n"
                                     ";0403;;\n");
    const QString out = m_folder.filePath("out");

    // Tab goes top to bottom; Enter in a field makes nothing.
    EXPECT_EQ(Focus(), "id10310");
    QTest::keyClicks(QApplication::focusWidget(), table);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), "id10311");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), "id10312");
    QTest::keyClicks(QApplication::focusWidget(), out);
    Key(Qt::Key_Return);
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_TRUE(m_dialog->isVisible());
    for (const char *next : {"id10313", "id10314", "id10316", "id2", "id264"}) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(Focus(), next);
    }

    ASSERT_EQ(Control<QTableWidget>("id10314")->rowCount(), 3);
    EXPECT_EQ(Status(0), "ok");
    EXPECT_EQ(Status(1), "IAPSettings/IAPConnection[Office]/Proxies/HTTPUseProxy: \"Maybe\" is "
                         "not one of the choices of Use HTTP proxy.");
    EXPECT_EQ(Status(2), "ok");
    EXPECT_EQ(Cell(0, CVariantsDlg::FileColumn), "alice.xml");
    EXPECT_EQ(Cell(2, CVariantsDlg::FileColumn), "3.xml");

    MakeByKey();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{"3.xml", "alice.xml"}));
    EXPECT_EQ(Summary(), "2 of 3 configurations made.");
    EXPECT_EQ(Control<QProgressBar>("id10315")->value(), 3);
    // The rows were made from copies: the open configuration is as it was.
    EXPECT_EQ(m_document.GetRoot()
                  ->FindDescendant({IAPSettings, IAPConnection, IAPPhoneNumber})
                  ->GetValue(),
              "");

    // The same rows as the command line makes them, byte for byte.
    QProcess provana;
    provana.start(QCoreApplication::applicationDirPath() + "/provana",
                  {"variants", m_folder.filePath("template.xml"), table, m_folder.filePath("cli")});
    ASSERT_TRUE(provana.waitForFinished(60000));
    EXPECT_EQ(provana.exitCode(), 1);
    for (const char *name : {"alice.xml", "3.xml"}) {
        const QByteArray made = Unscrambled(QDir(out).filePath(name));
        EXPECT_TRUE(made.contains(">040")) << name;
        EXPECT_EQ(made, Unscrambled(m_folder.filePath("cli/") + name)) << name;
    }

    // Files that are there already are kept unless the user says to replace
    // them; cancelling the question makes nothing.
    const QString alice = QDir(out).filePath("alice.xml");
    const QByteArray made = Unscrambled(alice);
    QFile::remove(alice);
    QFile(alice).open(QIODevice::WriteOnly);
    QList<int> asked;
    std::optional<bool> answer;
    m_dialog->SetReplaceQuestion([&](int existing) {
        asked << existing;
        return answer;
    });
    MakeByKey();
    EXPECT_EQ(Summary(), "2 of 3 configurations made.");
    answer = false;
    MakeByKey();
    EXPECT_EQ(Summary(), "0 of 3 configurations made.");
    EXPECT_EQ(Status(0), "The file exists and is kept.");
    EXPECT_TRUE(ReadAll(alice).isEmpty());
    answer = true;
    MakeByKey();
    EXPECT_EQ(Summary(), "2 of 3 configurations made.");
    EXPECT_EQ(Unscrambled(alice), made);
    EXPECT_EQ(asked, (QList<int>{2, 2, 2}));

    Key(Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(VariantsDlgTest, EscCancelsBetweenTwoRowsAndAHeaderNamingNoSettingMakesNothing)
{
    QSignalSpy help(m_dialog.get(), &CVariantsDlg::helpRequested);
    Key(Qt::Key_F1);
    EXPECT_EQ(help.size(), 1);
    EXPECT_EQ(help.value(0).value(0).toInt(), 41421);

    QByteArray text = kPhone + '\n';
    for (int row = 0; row < 20; ++row)
        text += "04" + QByteArray::number(row) + '\n';
    Control<QLineEdit>("id10310")->setText(WriteTable(text));
    m_dialog->LoadTable();
    Control<QLineEdit>("id10312")->setText(m_folder.path());
    QObject::connect(Control<QProgressBar>("id10315"), &QProgressBar::valueChanged, [&](int value) {
        if (value == 2)
            QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    });
    Control<QPushButton>("id10316")->click();
    EXPECT_EQ(QDir(m_folder.path()).entryList({"*.xml"}, QDir::Files),
              (QStringList{"01.xml", "02.xml", "template.xml"}));
    EXPECT_EQ(Summary(), "Cancelled: 2 of 20 configurations made.");
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(Control<QPushButton>("id2")->text(), "Close");

    Control<QLineEdit>("id10310")->setText(WriteTable(kPhone + ",Nowhere/Nothing\n0401,x\n"));
    m_dialog->LoadTable();
    EXPECT_EQ(Summary(), "These columns name no setting: Nowhere/Nothing");
    EXPECT_EQ(Control<QTableWidget>("id10314")->rowCount(), 0);
    EXPECT_FALSE(Control<QPushButton>("id10316")->isEnabled());
}

} // namespace
