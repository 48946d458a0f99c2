#include "orvenet/server/ReceivedConfiguration.h"
#include "orvenet/server/Utf8XmlReader.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The tokens of a text in a short form: "<name a=v", "</name", "'text'",
// runs of text joined; "refused" at the first fault.
QString Tokens(QByteArrayView text)
{
    CUtf8XmlReader reader(text);
    QStringList tokens;
    bool inText = false;
    for (;;) {
        const CUtf8XmlReader::Token token = reader.Next();
        if (token == CUtf8XmlReader::Token::Invalid)
            return u"refused"_qs;
        if (token == CUtf8XmlReader::Token::EndDocument)
            return tokens.join(u' ');
        if (token == CUtf8XmlReader::Token::Text) {
            const QString characters = CUtf8XmlReader::ToString(reader.Text());
            if (inText)
                tokens.last().insert(tokens.last().size() - 1, characters);
            else
                tokens << u"'"_qs + characters + u"'"_qs;
            inText = true;
            continue;
        }
        inText = false;
        QString element = (token == CUtf8XmlReader::Token::EndElement ? u"</"_qs : u"<"_qs) +
                          CUtf8XmlReader::ToString(reader.Name());
        for (const auto &[name, raw] : reader.RawAttributes())
            element += u' ' + CUtf8XmlReader::ToString(name) + u'=' +
                       CUtf8XmlReader::ToString(reader.Attribute(name));
        tokens << element;
    }
}

} // namespace

TEST(Utf8XmlReader, WellFormedTextsReadToTheirElementsAttributesAndCharacters)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"<?xml version=\"1.0\" encoding='UTF-8' standalone=\"yes\"?>\n<S/>\n", u"<S </S"_qs},
        {"\xEF\xBB\xBF<?xml version='1.0'?><S/>", u"<S </S"_qs},
        {"<!-- a - b --><?pi data?><S><!----><?x?></S><!-- end -->", u"<S </S"_qs},
        {"<S a = 'x\"y' b=\"&lt;&gt;&amp;&apos;&quot;\"/>", u"<S a=x\"y b=<>&'\" </S"_qs},
        // White space in a value becomes spaces, a line end one space; a
        // referenced line feed stays.
        {"<S a='1\t2\r\n3\r4\n5&#10;'/>", u"<S a=1 2 3 4 5\n </S"_qs},
        {"<S>a\r\nb\rc&#13;&#x41;&#66;&#x1F600;</S>", u"<S 'a\nb\nc\rAB\U0001F600' </S"_qs},
        {"<S><![CDATA[<&]]]>\r\n</S>", u"<S '<&]\n' </S"_qs},
        {"<S>]]</S>", u"<S ']]' </S"_qs},
        {"<p:S xmlns:p='u' xmlns:x='v' x:a='1'><_b.c-d/></p:S >",
         u"<p:S xmlns:p=u xmlns:x=v x:a=1 <_b.c-d </_b.c-d </p:S"_qs},
        {"<\xC3\xA4>\xEF\xBB\xBFx</\xC3\xA4>", u"<\u00e4 '\ufeffx' </\u00e4"_qs},
        {"<S a=''>\t</S>\r\n", u"<S a= '\t' </S"_qs},
    };
    for (const auto &[text, tokens] : cases)
        EXPECT_EQ(Tokens(text), tokens) << text.constData();
}

TEST(Utf8XmlReader, EachFaultRefusesTheText)
{
    const QByteArray cases[] = {
        "",
        " \n",
        "<S>",
        "<S></T>",
        "<S/><S/>",
        "</S>",
        "<S/>x",
        "x<S/>",
        // references
        "<S>&nbsp;</S>",
        "<S>&amp</S>",
        "<S>a & b</S>",
        "<S>&#0;</S>",
        "<S>&#xD800;</S>",
        "<S>&#x110000;</S>",
        "<S>&#;</S>",
        "<S>&#x;</S>",
        "<S>&#12a;</S>",
        "<S a='&#xFFFE;'/>",
        // attributes
        "<S a='<'/>",
        "<S a='1' a='2'/>",
        "<S a='1'b='2'/>",
        "<S a=1/>",
        "<S a/>",
        "<S a='1/>",
        "<S 1a='1'/>",
        // content and markup
        "<S>]]></S>",
        "<S><!-- a -- b --></S>",
        "<S><!-- a ---></S>",
        "<!DOCTYPE S><S/>",
        "<S><![CDATA[x]]</S>",
        "<![CDATA[x]]><S/>",
        "<S><?pi!x?></S>",
        "<S><?pi x</S>",
        "<S><!x></S>",
        // names
        "<1S/>",
        "<:S/>",
        "<S:/>",
        "<a:b:c/>",
        "<S$/>",
        // the declaration
        " <?xml version='1.0'?><S/>",
        "<S/><?xml version='1.0'?>",
        "<?XML version='1.0'?><S/>",
        "<?xml version='1.1'?><S/>",
        "<?xml encoding='UTF-8'?><S/>",
        "<?xml version='1.0' encoding='x y'?><S/>",
        "<?xml version='1.0' encoding='8'?><S/>",
        "<?xml version='1.0' standalone='maybe'?><S/>",
        "<?xml version='1.0' standalone='yes' encoding='UTF-8'?><S/>",
        "<?xml version='1.0'encoding='UTF-8'?><S/>",
        "<?xml version='1.0' other='1'?><S/>",
        // characters
        "<S>\x01</S>",
        "<S>\xC1\x81</S>",
        "<S>\xE0\x81\x81</S>",
        "<S>\x80</S>",
        "<S>\xED\xA0\x80</S>",
        "<S>\xEF\xBF\xBE</S>",
        "<S>\xF4\x90\x80\x80</S>",
        "<S/>\xE2\x82",
        QByteArray("<S>\0</S>", 8),
    };
    for (const QByteArray &text : cases)
        EXPECT_EQ(Tokens(text), u"refused"_qs) << text.toPercentEncoding().constData();
}

TEST(Utf8XmlReader, NamesBeyondAsciiHoldOnlyTheCharactersXmlAllowsInNames)
{
    // A letter, an ideograph or a character beyond the first plane may start
    // a name; a middle dot, a combining mark or an undertie may follow.
    EXPECT_EQ(Tokens("<\xC3\xA4\xC2\xB7\xCC\x80\xE2\x80\xBF \xE4\xB8\xAD='1'>"
                     "<\xF0\x90\x80\x80/></\xC3\xA4\xC2\xB7\xCC\x80\xE2\x80\xBF>"),
              u"<\u00e4\u00b7\u0300\u203f \u4e2d=1 <\U00010000 </\U00010000 "
              u"</\u00e4\u00b7\u0300\u203f"_qs);
    const QByteArray refused[] = {
        "<a\xC3\x97/>", // a multiplication sign
        "<a\xC2\xA0"
        "b/>",              // a no-break space
        "<a\xE3\x80\x80/>", // an ideographic space
        "<a\xEF\xB7\x90/>", // a noncharacter
        "<\xC2\xB7"
        "a/>", // a middle dot first
        "<\xCC\x80"
        "a/>",                    // a combining mark first
        "<p:\xE2\x80\xBF/>",      // an undertie first in the local part
        "<S \xC3\xB7='1'/>",      // a division sign as an attribute
        "<S><?p\xC3\x97 x?></S>", // and as an instruction's target
    };
    for (const QByteArray &text : refused)
        EXPECT_EQ(Tokens(text), u"refused"_qs) << text.toPercentEncoding().constData();
}

TEST(Utf8XmlReader, APrefixIsDeclaredForItsElementAndWithinIt)
{
    EXPECT_EQ(Tokens("<p:S xmlns:p='u'><p:a p:b='1' xml:lang='en'/></p:S>"),
              u"<p:S xmlns:p=u <p:a p:b=1 xml:lang=en </p:a </p:S"_qs);
    EXPECT_EQ(Tokens("<S xmlns:xml='http://www.w3.org/XML/1998/namespace'/>"),
              u"<S xmlns:xml=http://www.w3.org/XML/1998/namespace </S"_qs);
    // The same local name in two prefixes for two namespaces.
    EXPECT_EQ(Tokens("<S xmlns:p='u' xmlns:q='v' p:a='1' q:a='2'/>"),
              u"<S xmlns:p=u xmlns:q=v p:a=1 q:a=2 </S"_qs);
    const QByteArray refused[] = {
        "<p:S/>",
        "<S p:a='1'/>",
        "<S><a xmlns:p='u'/><p:b/></S>",
        "<xmlns:S/>",
        "<S xmlns:p=''/>",
        "<S xmlns:xmlns='u'/>",
        "<S xmlns:xml='u'/>",
        "<S xmlns:p='http://www.w3.org/XML/1998/namespace'/>",
        "<S xmlns='http://www.w3.org/2000/xmlns/'/>",
        // One attribute twice, under two prefixes of one namespace.
        "<S xmlns:p='u' xmlns:q='u'><a p:c='1' q:c='2'/></S>",
        "<S xmlns:p='u' xmlns:q='&#117;' p:c='1' q:c='2'/>",
    };
    for (const QByteArray &text : refused)
        EXPECT_EQ(Tokens(text), u"refused"_qs) << text.constData();
}

TEST(Utf8XmlReader, AnAttributeNamedTwiceIsFoundAmongMany)
{
    const auto element = [](int count, int again) {
        QByteArray text = "<S";
        for (int i = 0; i < count; ++i)
            text += " a" + QByteArray::number(i) + "='1'";
        if (again >= 0)
            text += " a" + QByteArray::number(again) + "='2'";
        return text + "/>";
    };
    EXPECT_NE(Tokens(element(40, -1)), u"refused"_qs);
    for (const int again : {0, 15, 16, 39})
        EXPECT_EQ(Tokens(element(40, again)), u"refused"_qs) << again;
    // Each element's names are its own.
    EXPECT_NE(Tokens("<S>" + element(20, -1) + element(20, -1) + "</S>"), u"refused"_qs);
}

TEST(Utf8XmlReader, CharacterCheckFindsAFaultAtEveryPlaceOfALongText)
{
    // Long runs are checked sixteen bytes at a time: a fault must be found
    // wherever it stands in a run, and a character across a run's end read.
    const QByteArray plain(48, 'a');
    for (qsizetype at = 0; at < plain.size(); ++at) {
        for (const char fault : {'\x01', '\x1F', '\x80', '\xFF'}) {
            QByteArray text = plain;
            text[at] = fault;
            EXPECT_FALSE(CUtf8XmlReader::IsXmlUtf8(text)) << at << int(fault);
        }
        QByteArray lineEnds = plain;
        lineEnds[at] = at % 3 == 0 ? '\t' : at % 3 == 1 ? '\n' : '\r';
        EXPECT_TRUE(CUtf8XmlReader::IsXmlUtf8(lineEnds)) << at;
        const QByteArray smiley = plain.left(at) + "\xF0\x9F\x98\x80" + plain.mid(at);
        EXPECT_TRUE(CUtf8XmlReader::IsXmlUtf8(smiley)) << at;
        EXPECT_FALSE(CUtf8XmlReader::IsXmlUtf8(smiley.left(at + 3))) << at;
    }
}

TEST(Utf8XmlReader, TokensTellWhereTheyStart)
{
    const QByteArray text = "<S>\n <a op='x'/>v<![CDATA[w]]></S>";
    CUtf8XmlReader reader(text);
    using T = CUtf8XmlReader::Token;
    std::vector<std::pair<T, qsizetype>> tokens;
    for (T token = reader.Next(); token != T::EndDocument; token = reader.Next()) {
        ASSERT_NE(token, T::Invalid);
        tokens.emplace_back(token, reader.Position());
    }
    const std::vector<std::pair<T, qsizetype>> expected = {
        {T::StartElement, 0}, {T::Text, 3},  {T::StartElement, 5}, {T::EndElement, 5},
        {T::Text, 16},        {T::Text, 17}, {T::EndElement, 30}};
    EXPECT_EQ(tokens, expected);
    EXPECT_TRUE(reader.Attribute("none").isNull());
}

namespace {

const QByteArray kConfiguration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Settings>\n"
    " <IAPSettings op=\"create\">\n"
    "  <Note/>\n"
    "  <IAPConnection op=\"create\"><Name op=\"create\">A</Name><Skip/></IAPConnection>\n"
    " </IAPSettings>\n"
    " <SMSSettings op=\"\"><Centre op=\"create\"/></SMSSettings>\n"
    " <EMailSettings op=\"delete\"><Mailbox op=\"delete\"/></EMailSettings>\n"
    " <FileTransfer op=\"create\">\n"
    "  <Files op=\"create\">\n"
    "   <File op=\"create\"><Local> /pc/a &amp; b.txt </Local>"
    "<Remote>C:\\Notes\\</Remote></File>\n"
    "   <File op=\"nothing\"><Local>/pc/skipped.txt</Local><Remote>C:\\</Remote></File>\n"
    "  </Files>\n"
    "  <RingingTones op=\"create\"><RingingTone op=\"create\"><![CDATA[/pc/t.wav]]>"
    "</RingingTone></RingingTones>\n"
    "  <SISFiles op=\"nothing\"><SISFile op=\"create\">/pc/x.sis</SISFile></SISFiles>\n"
    " </FileTransfer>\n"
    "</Settings>\n";

} // namespace

TEST(ReceivedConfiguration, SettingsAreCountedAndEachCategoryAnnouncedWithItsFirstSetting)
{
    const std::optional<ReceivedConfiguration> read = ReadReceivedConfiguration(kConfiguration);
    ASSERT_TRUE(read);
    // IAPSettings 3, SMSSettings 1, EMailSettings 2, FileTransfer 8.
    EXPECT_EQ(read->settings, 14);
    QStringList steps;
    for (const ReceivedConfiguration::SettingStep &step : read->steps) {
        steps << u"%1 %2"_qs.arg(step.category).arg(step.settings);
        EXPECT_EQ(kConfiguration.mid(step.position, 1), "<") << step.position;
    }
    EXPECT_EQ(steps,
              QStringList({u"IAPSettings 2"_qs, u"EMailSettings 6"_qs, u"FileTransfer 8"_qs}))
        << "a category without op, or whose op is empty, is not announced";
    EXPECT_EQ(read->steps[0].position, kConfiguration.indexOf("<IAPConnection"));
}

TEST(ReceivedConfiguration, IncludedFileEntriesAreFoundWithTheirPhoneFolders)
{
    const std::optional<ReceivedConfiguration> read = ReadReceivedConfiguration(kConfiguration);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->files.size(), 2u);
    EXPECT_EQ(read->files[0].category, u"Files"_qs);
    EXPECT_EQ(read->files[0].local, u"/pc/a & b.txt"_qs);
    EXPECT_EQ(read->files[0].remote, u"C:\\Notes\\"_qs);
    EXPECT_EQ(read->files[1].category, u"RingingTones"_qs);
    EXPECT_EQ(read->files[1].local, u"/pc/t.wav"_qs);
    EXPECT_EQ(read->files[1].remote, u"C:\\Documents\\Tones\\"_qs);

    QByteArray excluded = kConfiguration;
    excluded.replace("<FileTransfer op=\"create\">", "<FileTransfer op=\"nothing\">");
    ASSERT_TRUE(ReadReceivedConfiguration(excluded));
    EXPECT_TRUE(ReadReceivedConfiguration(excluded)->files.empty());
}

TEST(ReceivedConfiguration, OnlyAWellFormedSettingsTextIsRead)
{
    EXPECT_FALSE(ReadReceivedConfiguration("<Other/>"));
    EXPECT_FALSE(ReadReceivedConfiguration(kConfiguration.chopped(3)));
    EXPECT_FALSE(ReadReceivedConfiguration("<Settings>\xFF</Settings>"));
    EXPECT_TRUE(ReadReceivedConfiguration("<Settings/>"));
}
