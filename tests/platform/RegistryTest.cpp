#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <sys/wait.h>
#include <unistd.h>

// Readable failures.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString kUser = QStringLiteral("HKEY_CURRENT_USER\\Software\\Talvik\\Provana");

class RegistryTest : public ::testing::Test
{
protected:
    QTemporaryDir m_folder;
    CRegistry m_registry{m_folder.path() + QStringLiteral("/registry")};

    QString FileText(const QString &hive) const
    {
        QFile file(m_registry.RootFolder() + u'/' + hive + QStringLiteral(".ini"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(RegistryTest, NamesAndValuesRoundTripExactly)
{
    // Names that QSettings would take for separators, escapes or its own
    // entries, and the two entries the layout reserves.
    const QString key = QStringLiteral("HKCU\\Odd/Key %41 .x\\.hidden\\General\\{F01F30D8-A6A7}");
    const QStringList names = {
        QStringLiteral("a\\b"),
        QStringLiteral("c/d"),
        QStringLiteral("%2F"),
        QStringLiteral("."),
        QStringLiteral(".default"),
        QStringLiteral("@Variant"),
        QStringLiteral("x=y;z"),
        QStringLiteral(" spaced "),
        QString::fromUtf8("Stra\xc3\x9f"
                          "e \xe2\x82\xac"),
    };
    const QStringList values = {
        QString(),
        QStringLiteral("C:\\Documents\\"),
        QStringLiteral("line\nbreak\r\n\ttab"),
        QStringLiteral("@Variant(\\0\\0)"),
        QStringLiteral("a, b, c"),
        QStringLiteral("  \"quoted\" ; not a comment  "),
        QStringLiteral("%41%"),
        QStringLiteral("/opt/provana/Provix.so"),
        QString::fromUtf8("\xf0\x9f\x98\x80"),
    };
    for (qsizetype i = 0; i < names.size(); ++i)
        ASSERT_TRUE(m_registry.SetValue(key, names[i], values[i])) << names[i].toStdString();
    ASSERT_TRUE(m_registry.SetValue(key, QString(), QStringLiteral("the default")));

    const CRegistry reader(m_registry.RootFolder());
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(reader.GetValue(key, names[i]), values[i]) << names[i].toStdString();
    EXPECT_EQ(reader.GetValue(key), QStringLiteral("the default"));

    QStringList expectedNames = names;
    expectedNames.sort(Qt::CaseInsensitive);
    expectedNames.prepend(QString());
    QStringList actualNames = reader.ValueNames(key);
    EXPECT_EQ(actualNames.takeFirst(), QString());
    actualNames.sort(Qt::CaseInsensitive);
    expectedNames.removeFirst();
    EXPECT_EQ(actualNames, expectedNames);

    EXPECT_EQ(reader.SubKeys(QStringLiteral("HKCU\\Odd/Key %41 .x")),
              QStringList{QStringLiteral(".hidden")});
    EXPECT_EQ(reader.SubKeys(QStringLiteral("HKCU\\Odd/Key %41 .x\\.hidden")),
              QStringList{QStringLiteral("General")});
    EXPECT_TRUE(reader.KeyExists(key));
    EXPECT_FALSE(reader.KeyExists(QStringLiteral("HKCU\\Odd")));
}

TEST_F(RegistryTest, DefaultValuesAndEmptyKeysAreKeptApart)
{
    const QString key = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Talvik\\Orvenet6\\Framework\\"
                                       "PlugIns\\Talvik.ProvixView");
    EXPECT_FALSE(m_registry.KeyExists(key));
    ASSERT_TRUE(m_registry.CreateKey(key));
    // The key lives on without any value, and so does each parent.
    const CRegistry reader(m_registry.RootFolder());
    EXPECT_TRUE(reader.KeyExists(key));
    EXPECT_TRUE(reader.KeyExists(QStringLiteral("HKLM\\Software\\Talvik\\Orvenet6")));
    EXPECT_TRUE(reader.ValueNames(key).isEmpty());
    EXPECT_EQ(reader.GetValue(key), std::nullopt);

    ASSERT_TRUE(m_registry.SetValue(key, QString(), QString()));
    EXPECT_EQ(reader.GetValue(key), QString());
    EXPECT_EQ(reader.ValueNames(key), QStringList{QString()});
    ASSERT_TRUE(m_registry.CreateKey(key));
    EXPECT_EQ(reader.GetValue(key), QString()) << "creating an existing key keeps its values";
    ASSERT_TRUE(m_registry.DeleteValue(key, QString()));
    EXPECT_EQ(reader.GetValue(key), std::nullopt);
    EXPECT_TRUE(reader.KeyExists(key));
    EXPECT_FALSE(m_registry.DeleteValue(key, QString()));
    EXPECT_FALSE(m_registry.DeleteValue(key, QStringLiteral("none")));
}

TEST_F(RegistryTest, PathsFollowWindowsSpelling)
{
    // Trailing and doubled backslashes, hive abbreviations and any letter case
    // reach the same key, which keeps its first spelling.
    ASSERT_TRUE(m_registry.SetValue(kUser + u'\\', QStringLiteral("LastFile"),
                                    QStringLiteral("/home/a/x.cfg")));
    EXPECT_EQ(m_registry.GetValue(QStringLiteral("HKCU\\software\\TALVIK\\\\provana"),
                                  QStringLiteral("lastfile")),
              QStringLiteral("/home/a/x.cfg"));
    ASSERT_TRUE(m_registry.SetValue(QStringLiteral("hkcu\\SOFTWARE\\Talvik\\Provana"),
                                    QStringLiteral("LASTFILE"), QStringLiteral("/home/a/y.cfg")));
    EXPECT_EQ(m_registry.SubKeys(QStringLiteral("HKEY_CURRENT_USER")),
              QStringList{QStringLiteral("Software")});
    EXPECT_EQ(m_registry.ValueNames(kUser), QStringList{QStringLiteral("LastFile")});
    EXPECT_EQ(m_registry.GetValue(kUser, QStringLiteral("LastFile")),
              QStringLiteral("/home/a/y.cfg"));

    // Hives are separate files.
    EXPECT_EQ(m_registry.GetValue(QStringLiteral("HKLM\\Software\\Talvik\\Provana"),
                                  QStringLiteral("LastFile")),
              std::nullopt);
    EXPECT_TRUE(FileText(QStringLiteral("HKEY_CURRENT_USER")).contains(u"y.cfg"));
    EXPECT_EQ(m_registry.HiveFile(QStringLiteral("HKCR\\CLSID")),
              m_registry.RootFolder() + QStringLiteral("/HKEY_CLASSES_ROOT.ini"));

    // Unknown hives and empty paths are refused.
    for (const QString &bad : {QString(), QStringLiteral("\\"), QStringLiteral("HKEY_USERS\\x"),
                               QStringLiteral("Software\\Talvik")}) {
        EXPECT_FALSE(m_registry.SetValue(bad, QStringLiteral("v"), QStringLiteral("1")));
        EXPECT_FALSE(m_registry.CreateKey(bad));
        EXPECT_FALSE(m_registry.KeyExists(bad));
        EXPECT_EQ(m_registry.GetValue(bad, QStringLiteral("v")), std::nullopt);
        EXPECT_TRUE(m_registry.HiveFile(bad).isEmpty());
    }
    EXPECT_TRUE(m_registry.KeyExists(QStringLiteral("HKLM")));
}

TEST_F(RegistryTest, SubkeysAreListedAndDeletedWithEverythingBelow)
{
    const QString classes = QStringLiteral("HKEY_CLASSES_ROOT\\CLSID");
    for (const char *name : {"{B}", "{a}", "{C}", "{A2}"})
        ASSERT_TRUE(m_registry.CreateKey(classes + u'\\' + QLatin1String(name)));
    ASSERT_TRUE(m_registry.SetValue(classes + QStringLiteral("\\{B}\\InprocServer32"), QString(),
                                    QStringLiteral("/x/Provix.so")));
    ASSERT_TRUE(m_registry.SetValue(classes + QStringLiteral("\\{B}\\InprocServer32"),
                                    QStringLiteral("ThreadingModel"), QStringLiteral("Apartment")));
    ASSERT_TRUE(m_registry.CreateKey(classes + QStringLiteral("\\{B}\\Programmable")));
    ASSERT_TRUE(m_registry.CreateKey(classes + QStringLiteral("\\{B}2")));
    EXPECT_EQ(m_registry.SubKeys(classes), (QStringList{"{A2}", "{a}", "{B}", "{B}2", "{C}"}));
    EXPECT_EQ(m_registry.SubKeys(classes + QStringLiteral("\\{b}")),
              (QStringList{"InprocServer32", "Programmable"}));
    EXPECT_TRUE(m_registry.SubKeys(classes + QStringLiteral("\\{none}")).isEmpty());

    ASSERT_TRUE(m_registry.DeleteKey(classes + QStringLiteral("\\{b}")));
    EXPECT_FALSE(m_registry.KeyExists(classes + QStringLiteral("\\{B}")));
    EXPECT_FALSE(m_registry.KeyExists(classes + QStringLiteral("\\{B}\\InprocServer32")));
    EXPECT_EQ(m_registry.GetValue(classes + QStringLiteral("\\{B}\\InprocServer32")), std::nullopt);
    EXPECT_EQ(m_registry.SubKeys(classes), (QStringList{"{A2}", "{a}", "{B}2", "{C}"}));
    EXPECT_FALSE(FileText(QStringLiteral("HKEY_CLASSES_ROOT")).contains(u"Provix.so"));

    EXPECT_FALSE(m_registry.DeleteKey(classes + QStringLiteral("\\{B}")));
    EXPECT_FALSE(m_registry.DeleteKey(QStringLiteral("HKEY_CLASSES_ROOT")));
    ASSERT_TRUE(m_registry.DeleteKey(classes));
    EXPECT_TRUE(m_registry.SubKeys(QStringLiteral("HKCR")).isEmpty());
}

TEST_F(RegistryTest, WritesReachOtherProcessesAtOnce)
{
    ASSERT_TRUE(m_registry.SetValue(kUser, QStringLiteral("RequestFile"), QStringLiteral("first")));
    EXPECT_TRUE(FileText(QStringLiteral("HKEY_CURRENT_USER")).contains(u"first"));

    // Another process changes the value this process has read already, and
    // reads what this process writes next.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        CRegistry registry(m_registry.RootFolder());
        const bool ok = registry.SetValue(kUser, QStringLiteral("RequestFile"),
                                          QStringLiteral("second, longer"));
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(m_registry.GetValue(kUser, QStringLiteral("RequestFile")),
              QStringLiteral("second, longer"));

    // A process that started before a change sees it.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t reader = fork();
    ASSERT_NE(reader, -1);
    if (reader == 0) {
        close(ready[1]);
        char signal = 0;
        const bool woken = read(ready[0], &signal, 1) == 1;
        const CRegistry registry(m_registry.RootFolder());
        _exit(woken && !registry.GetValue(kUser, QStringLiteral("RequestFile")) ? 0 : 1);
    }
    close(ready[0]);
    ASSERT_TRUE(m_registry.DeleteValue(kUser, QStringLiteral("RequestFile")));
    EXPECT_EQ(write(ready[1], "x", 1), 1);
    close(ready[1]);
    ASSERT_EQ(waitpid(reader, &status, 0), reader);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Registry, RootComesFromTheEnvironment)
{
    const QByteArray saved = qgetenv("TALVIK_REGISTRY");
    qputenv("TALVIK_REGISTRY", "/tmp/elsewhere/registry");
    EXPECT_EQ(CRegistry().RootFolder(), QStringLiteral("/tmp/elsewhere/registry"));
    qunsetenv("TALVIK_REGISTRY");
    EXPECT_EQ(CRegistry::DefaultRoot(),
              QDir::homePath() + QStringLiteral("/.config/Talvik/registry"));
    if (!saved.isNull())
        qputenv("TALVIK_REGISTRY", saved);
}

} // namespace
