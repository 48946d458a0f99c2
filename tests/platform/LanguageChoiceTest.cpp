#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A program folder with English beside the program and German and French
// under lang/; the choice looks only at which files exist.
class ChoosingALanguage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        for (const QString &relative :
             {QStringLiteral("ProvixLang.so"), QStringLiteral("lang/de/ProvixLang.so"),
              QStringLiteral("lang/fr/ProvixLang.so")})
            Touch(relative);
    }

    void Touch(const QString &relative)
    {
        const QString path = m_folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QString Chosen(const QStringList &languages, const QString &forced = QString())
    {
        const LanguageChoice choice = ChooseLanguageLibrary(m_folder.path(), languages, forced);
        const QString relative = QDir(m_folder.path()).relativeFilePath(choice.path);
        EXPECT_EQ(relative == "ProvixLang.so" ? QString("en") : relative.section('/', 1, 1),
                  choice.language);
        return choice.language;
    }

    QTemporaryDir m_folder;
};

} // namespace

TEST_F(ChoosingALanguage, TheFirstDesktopLanguageWithALibraryWinsAndTheForcedOneOverAll)
{
    EXPECT_EQ(Chosen({"de-DE", "en-US"}), "de");
    EXPECT_EQ(Chosen({"fr_CA.UTF-8"}), "fr");
    EXPECT_EQ(Chosen({"es-ES", "it", "fr-BE", "de"}), "fr");
    EXPECT_EQ(Chosen({"en-GB", "de-DE"}), "en") << "English is a library too";
    EXPECT_EQ(Chosen({"ja-JP", "C"}), "en");
    EXPECT_EQ(Chosen({}), "en");

    EXPECT_EQ(Chosen({"fr-FR"}, "de"), "de");
    EXPECT_EQ(Chosen({"de-DE"}, "EN"), "en");
    EXPECT_EQ(Chosen({"fr-FR"}, "es"), "fr") << "a forced language without a library";
    EXPECT_EQ(Chosen({"fr-FR"}, "../de"), "fr") << "only a language code names a folder";
    EXPECT_EQ(Chosen({"../../de"}), "en");

    QFile::remove(m_folder.filePath("lang/de/ProvixLang.so"));
    EXPECT_EQ(Chosen({"de-DE", "fr-FR"}), "fr");
    EXPECT_EQ(Chosen({"de-DE"}, "de"), "en");
}

TEST_F(ChoosingALanguage, TheLocaleIsTheDesktopsForTheChosenLanguage)
{
    const QString folder = m_folder.path();
    EXPECT_EQ(ChooseLanguageLibrary(folder, {"de-AT", "en-US"}, {}).locale.name(), "de_AT");
    EXPECT_EQ(ChooseLanguageLibrary(folder, {"en-US", "fr-CH"}, "fr").locale.name(), "fr_CH");
    EXPECT_EQ(ChooseLanguageLibrary(folder, {"es-ES"}, "fr").locale.language(), QLocale::French);
    EXPECT_EQ(ChooseLanguageLibrary(folder, {"en-US"}, {}).locale.measurementSystem(),
              QLocale::ImperialUSSystem);
    EXPECT_EQ(ChooseLanguageLibrary(folder, {"ja-JP"}, {}).locale, QLocale::c())
        << "English for a desktop language it does not speak, with neutral formats";
    EXPECT_EQ(HelpFolderOf(folder + "/lang/de/ProvixLang.so"), folder + "/lang/de/help/");
}

namespace {

// Every text of a library, found by asking it for every identifier.
QMap<unsigned, QString> AllTexts(const CLanguageLibrary &library)
{
    QMap<unsigned, QString> texts;
    std::vector<char16_t> buffer(8192);
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        const int length = library.LoadString(id, buffer.data(), int(buffer.size()));
        if (length > 0)
            texts.insert(id, QString::fromUtf16(buffer.data(), length));
    }
    return texts;
}

// The placeholders a text is formatted with, in their order.
QStringList Placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral(R"(\(%s\)|%%|%[sd1-9])"));
    QStringList found;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        found << match.captured();
    return found;
}

} // namespace

// The English library is the reference: every other library has exactly its
// identifiers, each text with the same placeholders in the same order (they
// are filled in by position), and the phone language of its own.
TEST(LanguageLibraries, HaveTheEnglishIdsAndPlaceholders)
{
    const auto english = CLanguageLibrary::Open(ProgramFolder() + "ProvixLang.so");
    ASSERT_NE(english, nullptr);
    const QMap<unsigned, QString> reference = AllTexts(*english);
    ASSERT_GT(reference.size(), 300);
    EXPECT_EQ(Placeholders(QStringLiteral("A (%s) of %d%% and %1")),
              QStringList({"(%s)", "%d", "%%", "%1"}));

    const QMap<QString, QString> phoneLanguage = {{"de", "3"}, {"fr", "2"}};
    for (const QString language : {"de", "fr"}) {
        SCOPED_TRACE(language.toStdString());
        const auto library =
            CLanguageLibrary::Open(ProgramFolder() + "lang/" + language + "/ProvixLang.so");
        ASSERT_NE(library, nullptr);
        const QMap<unsigned, QString> texts = AllTexts(*library);
        for (auto it = reference.begin(); it != reference.end(); ++it) {
            if (!texts.contains(it.key())) {
                ADD_FAILURE() << "lacks " << it.key() << ": " << it->toStdString();
                continue;
            }
            EXPECT_EQ(Placeholders(texts[it.key()]), Placeholders(*it))
                << it.key() << ": " << texts[it.key()].toStdString();
        }
        for (const unsigned id : texts.keys())
            EXPECT_TRUE(reference.contains(id)) << "English has no " << id;
        EXPECT_EQ(texts.value(622), phoneLanguage[language]);
    }
}
