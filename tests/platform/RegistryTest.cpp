#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kUser = QStringLiteral("HKEY_CURRENT_USER\\Software\\Talvik\\Provana");

class RegistryTest : public ::testing::Test
{
protected:
    QTemporaryDir m_folder;
    CRegistry m_registry{m_folder.path() + "/registry"};

    QString FileText(const QString &hive) const
    {
        QFile file(m_registry.RootFolder() + u'/' + hive + ".ini");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(RegistryTest, NamesAndValuesRoundTripExactly)
{
    // Names that QSettings would take for separators, escapes or its own
    // entries, and the two entries the layout reserves.
    const QString key = "HKCU\\Odd/Key %41 .x\\.hidden\\{F01F30D8-A6A7}";
    const std::pair<const char *, const char *> values[] = {
        {"a\\b", ""},
        {"c/d", "C:\\Documents\\"},
        {"%2F", "line\nbreak\r\n\ttab"},
        {".", "@Variant(\\0\\0)"},
        {".default", "a, b, c"},
        {"@Variant", "  \"quoted\" ; not a comment  "},
        {"x=y;z", "%41%"},
        {" spaced ", " "},
        {"Stra\xc3\x9f", "\xf0\x9f\x98\x80"},
    };
    QStringList names;
    for (const auto &[name, value] : values) {
        ASSERT_TRUE(m_registry.SetValue(key, name, value)) << name;
        names.append(name);
    }
    ASSERT_TRUE(m_registry.SetValue(key, QString(), "the default"));

    const CRegistry reader(m_registry.RootFolder());
    for (const auto &[name, value] : values)
        EXPECT_EQ(reader.GetValue(key, name), QString::fromUtf8(value)) << name;
    QStringList listed = reader.ValueNames(key);
    EXPECT_EQ(listed.takeFirst(), QString()) << "the default value comes first";
    listed.sort(Qt::CaseInsensitive);
    names.sort(Qt::CaseInsensitive);
    EXPECT_EQ(listed, names);
    EXPECT_EQ(reader.SubKeys("HKCU\\Odd/Key %41 .x"), QStringList{".hidden"});
    EXPECT_FALSE(reader.KeyExists("HKCU\\Odd"));
}

TEST_F(RegistryTest, DefaultValuesAndEmptyKeysAreKeptApart)
{
    const QString key = "HKLM\\Software\\Talvik\\Orvenet6\\PlugIns\\Talvik.View";
    ASSERT_TRUE(m_registry.CreateKey(key));
    // The key lives on without any value, and so does each parent.
    const CRegistry reader(m_registry.RootFolder());
    EXPECT_TRUE(reader.KeyExists("HKEY_LOCAL_MACHINE\\Software\\Talvik"));
    EXPECT_TRUE(reader.ValueNames(key).isEmpty());
    EXPECT_EQ(reader.GetValue(key), std::nullopt);

    ASSERT_TRUE(m_registry.SetValue(key, QString(), QString()));
    EXPECT_EQ(reader.ValueNames(key), QStringList{QString()});
    ASSERT_TRUE(m_registry.CreateKey(key));
    EXPECT_EQ(reader.GetValue(key), QString()) << "creating an existing key keeps its values";
    ASSERT_TRUE(m_registry.DeleteValue(key, QString()));
    EXPECT_EQ(reader.GetValue(key), std::nullopt);
    EXPECT_TRUE(reader.KeyExists(key));
    EXPECT_FALSE(m_registry.DeleteValue(key, QString()));
}

TEST_F(RegistryTest, PathsFollowWindowsSpellingAndHivesAreSeparateFiles)
{
    // Trailing and doubled backslashes, hive abbreviations and any letter case
    // reach the same key, which keeps its first spelling.
    ASSERT_TRUE(m_registry.SetValue(kUser + u'\\', "LastFile", "x"));
    ASSERT_TRUE(m_registry.SetValue("hkcu\\SOFTWARE\\Talvik\\\\provana", "LASTFILE", "y.cfg"));
    EXPECT_EQ(m_registry.SubKeys("HKEY_CURRENT_USER"), QStringList{"Software"});
    EXPECT_EQ(m_registry.ValueNames(kUser), QStringList{"LastFile"});
    EXPECT_EQ(m_registry.GetValue(kUser, "lastfile"), "y.cfg");
    EXPECT_EQ(m_registry.GetValue("HKLM\\Software\\Talvik\\Provana", "LastFile"), std::nullopt);
    EXPECT_TRUE(FileText("HKEY_CURRENT_USER").contains(u"y.cfg"));

    for (const char *bad : {"", "\\", "HKEY_USERS\\x", "Software\\Talvik"}) {
        EXPECT_FALSE(m_registry.SetValue(bad, "v", "1")) << bad;
        EXPECT_FALSE(m_registry.KeyExists(bad)) << bad;
    }
    EXPECT_TRUE(m_registry.KeyExists("HKLM"));
}

TEST_F(RegistryTest, SubkeysAreListedAndDeletedWithEverythingBelow)
{
    const QString classes = "HKEY_CLASSES_ROOT\\CLSID\\";
    for (const char *name : {"{B}", "{a}", "{C}", "{A2}", "{B}2", "{B}\\Programmable"})
        ASSERT_TRUE(m_registry.CreateKey(classes + QLatin1String(name)));
    ASSERT_TRUE(m_registry.SetValue(classes + "{B}\\InprocServer32", QString(), "/x/Provix.so"));
    EXPECT_EQ(m_registry.SubKeys(classes), (QStringList{"{A2}", "{a}", "{B}", "{B}2", "{C}"}));
    EXPECT_EQ(m_registry.SubKeys(classes + "{b}"), (QStringList{"InprocServer32", "Programmable"}));

    ASSERT_TRUE(m_registry.DeleteKey(classes + "{b}"));
    EXPECT_FALSE(m_registry.KeyExists(classes + "{B}\\InprocServer32"));
    EXPECT_EQ(m_registry.SubKeys(classes), (QStringList{"{A2}", "{a}", "{B}2", "{C}"}));
    EXPECT_FALSE(FileText("HKEY_CLASSES_ROOT").contains(u"Provix.so"));
    EXPECT_FALSE(m_registry.DeleteKey(classes + "{B}"));
    EXPECT_FALSE(m_registry.DeleteKey("HKEY_CLASSES_ROOT"));
}

TEST_F(RegistryTest, ProcessesShareTheRegistry)
{
    // Another process changes a value this process has written already.
    ASSERT_TRUE(m_registry.SetValue(kUser, "RequestFile", "first"));
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0)
        _exit(CRegistry(m_registry.RootFolder()).SetValue(kUser, "RequestFile", "second") ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(m_registry.GetValue(kUser, "RequestFile"), "second");

    // Deletions reach the file at once, too.
    ASSERT_TRUE(m_registry.DeleteValue(kUser, "RequestFile"));
    EXPECT_FALSE(FileText("HKEY_CURRENT_USER").contains(u"second"));
}

} // namespace

TEST(Registry, RootComesFromTheEnvironment)
{
    const QByteArray saved = qgetenv("TALVIK_REGISTRY");
    qputenv("TALVIK_REGISTRY", "/tmp/elsewhere/registry");
    EXPECT_EQ(CRegistry().RootFolder(), "/tmp/elsewhere/registry");
    qunsetenv("TALVIK_REGISTRY");
    EXPECT_EQ(CRegistry::DefaultRoot(), QDir::homePath() + "/.config/Talvik/registry");
    if (!saved.isNull())
        qputenv("TALVIK_REGISTRY", saved);
}
