#include "document/IncludeToggle.h"
#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// A program text as a topic quotes it: without its mnemonic, its colon and
// its ellipsis.
QString Plain(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("&(?=\\w)")), QString());
    text = text.trimmed();
    for (const QString end : {"...", ":"}) {
        if (text.endsWith(end))
            text = text.chopped(end.size()).trimmed();
    }
    return text;
}

QSet<QString> PlainTexts(const CLanguageLibrary &library)
{
    QSet<QString> texts;
    std::vector<char16_t> buffer(8192);
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        const int length = library.LoadString(id, buffer.data(), int(buffer.size()));
        if (length > 0)
            texts.insert(Plain(QString::fromUtf16(buffer.data(), length)));
    }
    return texts;
}

QString Unescaped(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&amp;", "&");
}

// Bold text in a topic is the program's own: a label, a choice, a button,
// a dialog's title or a message.
QStringList QuotedTexts(const QString &html)
{
    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList quoted;
    for (const QRegularExpressionMatch &match : bold.globalMatch(html))
        quoted << Plain(Unescaped(match.captured(1)).simplified());
    return quoted;
}

QStringList Links(const QString &html)
{
    static const QRegularExpression link(QStringLiteral(R"(href="([^"#]*)(?:#([^"]*))?")"));
    QStringList links;
    for (const QRegularExpressionMatch &match : link.globalMatch(html))
        links << match.captured(1) + u'#' + match.captured(2);
    return links;
}

} // namespace

// Every language has a topic for each context that a row or a dialog opens
// and no other; a topic quotes only texts its library has, so that it cannot
// describe a setting or a choice the program lacks, and links only to
// topics and anchors that exist.
TEST(HelpTopics, MatchWhatTheProgramOpensAndSays)
{
    QSet<QString> opened = {QStringLiteral("index.html")};
    for (const CategoryHelp &category : CategoryHelpTopics())
        opened << QString::number(category.context) + ".html";
    for (const int context : DialogHelpTopics())
        opened << QString::number(context) + ".html";

    for (const QString language : {"en", "de", "fr"}) {
        SCOPED_TRACE(language.toStdString());
        const QString module = language == u"en"
                                   ? ProgramFolder() + "ProvixLang.so"
                                   : ProgramFolder() + "lang/" + language + "/ProvixLang.so";
        const auto library = CLanguageLibrary::Open(module);
        ASSERT_NE(library, nullptr);
        const QSet<QString> texts = PlainTexts(*library);
        const QDir folder(HelpFolderOf(module));
        const QStringList files = folder.entryList({"*.html"}, QDir::Files);
        EXPECT_EQ(QSet<QString>(files.begin(), files.end()), opened);

        for (const QString &file : files) {
            QFile topic(folder.filePath(file));
            ASSERT_TRUE(topic.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(topic.readAll());
            EXPECT_TRUE(html.contains("<html lang=\"" + language + "\">")) << file.toStdString();
            for (const QString &quoted : QuotedTexts(html))
                EXPECT_TRUE(texts.contains(quoted))
                    << file.toStdString() << ": no text \"" << quoted.toStdString() << "\"";
            for (const QString &link : Links(html)) {
                const QString target = link.section(u'#', 0, 0);
                const QString anchor = link.section(u'#', 1);
                ASSERT_TRUE(opened.contains(target))
                    << file.toStdString() << " -> " << link.toStdString();
                if (anchor.isEmpty())
                    continue;
                QFile linked(folder.filePath(target));
                ASSERT_TRUE(linked.open(QIODevice::ReadOnly));
                EXPECT_TRUE(QString::fromUtf8(linked.readAll()).contains("id=\"" + anchor + "\""))
                    << file.toStdString() << " -> " << link.toStdString();
            }
        }
    }
}
