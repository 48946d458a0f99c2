#include "config/ConfigReader.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records the events as short lines: S name [attributes], L name=content, E.
class CEventLog final : public IElementHandler
{
public:
    QStringList events;

    void OnStartElement(QStringView name, QStringView attributes) override
    {
        events.append("S " + name.toString() +
                      (attributes.isEmpty() ? "" : " [" + attributes.toString() + "]"));
    }
    void OnLeafElement(QStringView name, QStringView content, QStringView attributes) override
    {
        events.append("L " + name.toString() + "=" + content.toString() +
                      (attributes.isEmpty() ? "" : " [" + attributes.toString() + "]"));
    }
    void OnEndElement(QStringView) override { events.append("E"); }
};

QStringList Scan(const QString &text)
{
    int instructions = 0;
    CEventLog log;
    ScanElements(PrepareConfigurationText(text, instructions), log);
    return log.events;
}

} // namespace

TEST(Reader, EventsOfAWrittenFile)
{
    const QString text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                         "<!-- Provana Configuration File -->\r\n\r\n"
                         "<Settings>\r\n"
                         "  <IAPSettings op=\"create\">\r\n"
                         "    <PreferredConnection>Office</PreferredConnection>\r\n"
                         "    <Empty/>\r\n"
                         "    <Script>\r\n<![CDATA[a<b>\n<!-- kept -->]]>\r\n    </Script>\r\n"
                         "  </IAPSettings>\r\n"
                         "</Settings>\r\n";
    EXPECT_EQ(
        Scan(text),
        (QStringList{"S Settings", "S IAPSettings [op=\"create\"]", "L PreferredConnection=Office",
                     "L Empty=", "L Script=\n<![CDATA[a<b>\n<!-- kept -->]]>\n    ", "E", "E"}));
}

TEST(Reader, PreparationRemovesCommentsAndInstructionsOutsideCharacterData)
{
    // Comments go first, then instructions: what removing a comment joins is
    // seen by the second step.
    const struct
    {
        const char16_t *text;
        const char16_t *prepared;
        int instructions;
    } cases[] = {
        {u"a\r\nb\rc<!-- x -->d<?pi?>e<![CDATA[<?no?><!--no-->]]>",
         u"a\nb\ncde<![CDATA[<?no?><!--no-->]]>", 1},
        {u"<?a?><?b", u"<?b", 1},
        {u"<!-- open", u"<!-- open", 0},
        {u"<<!---->?x?>a?b!c<!d", u"a?b!c<!d", 1},
        {u"x<!<!---->[CDATA[<?k?>]]>", u"x<![CDATA[<?k?>]]>", 0},
        {u"<![CDATA[<?k?>", u"<![CDATA[<?k?>", 0},
        {u"a\r", u"a\n", 0},
    };
    for (const auto &c : cases) {
        int instructions = -1;
        EXPECT_EQ(PrepareConfigurationText(c.text, instructions), QStringView(c.prepared));
        EXPECT_EQ(instructions, c.instructions) << QStringView(c.text).toString().toStdString();
    }
}

TEST(Reader, NestedSameNameBalancesAndMalformedMarkupStops)
{
    EXPECT_EQ(Scan("<A><A>x</A></A>"), (QStringList{"S A", "L A=x", "E"}));
    EXPECT_EQ(Scan("<A><B>x</B>"), (QStringList{"S A", "L B=x"}));
    EXPECT_EQ(Scan("<A>text"), QStringList());
    EXPECT_EQ(Scan("<A><![CDATA[x</A>"), QStringList{"L A=<![CDATA[x"});
    EXPECT_EQ(Scan("</A></B><C>1</C>"), QStringList{"L C=1"});
    EXPECT_EQ(Scan("<>x</><B x>2</B>"), QStringList{"L B=2 [x]"});
    EXPECT_EQ(Scan("<A"), QStringList());
}

TEST(Reader, DeepNestingStopsAtTheLimit)
{
    QString text;
    for (int i = 0; i < 100000; ++i)
        text += "<A>";
    const QStringList events = Scan(text);
    EXPECT_EQ(events.size(), kMaxElementDepth);
}

TEST(Reader, BytesAreLittleEndianUnits)
{
    EXPECT_EQ(DecodeConfigurationBytes(QByteArray("\xFF\xFE<\0?\0", 6)), "<?");
    EXPECT_EQ(DecodeConfigurationBytes(QByteArray("<\0?\0x", 5)), "<?") << "odd byte ignored";
    EXPECT_EQ(DecodeConfigurationBytes(QByteArray("\x00\xD8", 2)), QString(QChar(0xD800)));
    EXPECT_EQ(DecodeConfigurationBytes(QByteArray()), "");
}
