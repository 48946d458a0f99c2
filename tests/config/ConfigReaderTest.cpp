#include "config/ConfigReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

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

// A text read as a file is read, in blocks, prepared and scanned as they
// arrive.
struct ReadOutcome
{
    QStringList events;
    int instructions = 0;
    bool complete = false;
    qsizetype lines = 0;

    bool operator==(const ReadOutcome &) const = default;
};

ReadOutcome ReadInBlocks(const QByteArray &bytes, qsizetype blockBytes, bool prepareAhead)
{
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    ReadOutcome outcome;
    CEventLog log;
    const ConfigurationScan scan = ScanConfigurationDevice(
        device, [&log]() -> IElementHandler & { return log; }, blockBytes, prepareAhead);
    outcome.events = log.events;
    outcome.instructions = scan.instructions;
    outcome.complete = scan.complete;
    outcome.lines = scan.lines;
    return outcome;
}

// The same text read whole, as ParseConfigurationText reads it.
ReadOutcome ReadWhole(const QByteArray &bytes)
{
    ReadOutcome outcome;
    QString text = DecodeConfigurationBytes(bytes);
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    outcome.lines = text.count(u'\n');
    QString prepared = PrepareConfigurationText(text, outcome.instructions);
    if (outcome.instructions == 0)
        return outcome;
    prepared.chop(1);
    CEventLog log;
    outcome.complete = ScanElements(prepared, log);
    outcome.events = log.events;
    return outcome;
}

QByteArray FileBytes(QStringView text)
{
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char *>(text.utf16()), 2 * text.size());
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

TEST(Reader, ReadingInBlocksRaisesWhatReadingWholeDoes)
{
    const char16_t *texts[] = {
        u"<?xml?>\r\n<!-- head -->\r\n<Settings>\r\n  <A op=\"create\">1</A>\r\n"
        u"  <S>\r\n<![CDATA[x\r\n<!-- in -->\r\n<?in?>\r\n]]>\r\n  </S>\r\n"
        u"  <M>one\r\n    two</M>\r\n  <T\r\n x=\"1\">t</T>\r\n</Settings>\r\n",
        u"<Settings><!-- a\nlong\ncomment --><A>1</A>\n<?late\ninstruction?></Settings>",
        u"<Settings>\n<<!--\n-->?x?>\n<A>1</A></Settings>",
        u"<?x?><Settings><A>1</A>\n<!-- never closed\n<B>2</B></Settings>",
        u"<?x?><Settings><S><![CDATA[never\nclosed</S>\n</Settings>",
        u"<?x?><Settings>\n<A>1</A>\n",
        u"<?x?>\r<Settings>\r<A>\r1</A>\r</Settings>\r",
        u"<Settings><A>no instruction</A></Settings>\n",
        // Ends that begin a line, found after waiting for it.
        u"<?x?><Settings><!--\n-->\n<A>1</A><![CDATA[\n]]>\n<?\n?>\n<B\n>2</B></Settings>",
        u"<?x?><Settings><A>\n<B>1</B></A><S><![CDATA[x]]>\n</S>\n</Settings>",
        u"<?x?><Settings><S><![CDATA[x]]>\n<S>\n<S a>\n</S>\n<SS>\n</S>\n</S>\n<B>1</B></Settings>",
        u"<?x?><Settings><S\nT><![CDATA[x]]>\n</S\nT>\n<B>1</B></Settings>",
        // An end tag whose name holds a line feed arrives in two lines.
        u"<?x?><Settings><S\nT></S\nT>\n</Settings>",
    };
    QString deep = QStringLiteral("<?x?>\n");
    for (int i = 0; i < 300; ++i)
        deep += QStringLiteral("<A>\n");
    std::vector<QByteArray> files;
    for (const char16_t *text : texts)
        files.push_back(FileBytes(text));
    files.push_back(FileBytes(deep));
    files.push_back(FileBytes(u"<?x?><Settings><A>1</A></Settings>") + "x");
    for (const QByteArray &bytes : files) {
        const ReadOutcome whole = ReadWhole(bytes);
        for (const qsizetype block : {2, 3, 6, 11, 64, 1 << 20})
            for (const bool ahead : {false, true})
                EXPECT_EQ(ReadInBlocks(bytes, block, ahead), whole)
                    << "blocks of " << block << ": " << whole.events.join(u'|').toStdString();
    }
    EXPECT_EQ(ReadWhole(files[0]).events.size(), 7) << "the cases read what they are meant to";
    EXPECT_EQ(ReadWhole(files[8]).events.join(u'|'), "S Settings|L A=1|S B\n|E|E");
    EXPECT_EQ(ReadWhole(files[9]).events.join(u'|'),
              "S Settings|S A|L B=1|E|L S=<![CDATA[x]]>\n|E");
    EXPECT_EQ(ReadWhole(files[10]).events.join(u'|'),
              "S Settings|L S=<![CDATA[x]]>\n<S>\n<S a>\n</S>\n<SS>\n</S>\n|L B=1|E");
    EXPECT_EQ(ReadWhole(files[11]).events.join(u'|'), "S Settings|L S\nT=<![CDATA[x]]>\n|L B=1|E");
    EXPECT_EQ(ReadWhole(files[12]).events.join(u'|'), "S Settings|L S\nT=|E");
}

TEST(Reader, RandomMarkupReadsTheSameInBlocksAsWhole)
{
    // Pieces of markup strung together at random: whatever they make, small
    // blocks must raise what the whole text raises.
    const QString pieces[] = {"<",   ">",    "/",      "!",         "?",    "[",    "]",
                              "-",   "S",    "A",      " ",         "\n",   "\r\n", "x",
                              "=\"", "<!--", "-->",    "<![CDATA[", "]]>",  "<?",   "?>",
                              "<S>", "</S>", "<S\nT>", "</S\nT>",   "<A/>", "<?x?>"};
    std::mt19937 random(12345);
    for (int round = 0; round < 5000; ++round) {
        QString text = QStringLiteral("<?x?>");
        const int count = 3 + static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        const QByteArray bytes = FileBytes(text);
        const ReadOutcome whole = ReadWhole(bytes);
        for (const qsizetype block : {2, 6, 16, 30})
            ASSERT_EQ(ReadInBlocks(bytes, block, false), whole)
                << block << ": " << QUrl::toPercentEncoding(text).toStdString();
    }
}

TEST(Reader, ReadingTheFuzzCorpusInBlocksRaisesWhatReadingWholeDoes)
{
    const QDir corpus(QStringLiteral(PROVANA_CONFIG_CORPUS));
    const QStringList names = corpus.entryList(QDir::Files);
    ASSERT_GT(names.size(), 50);
    for (const QString &name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const ReadOutcome whole = ReadWhole(bytes);
        for (const qsizetype block : {6, 64, 1000})
            EXPECT_EQ(ReadInBlocks(bytes, block, false), whole)
                << name.toStdString() << " in " << block;
        EXPECT_EQ(ReadInBlocks(bytes, 64, true), whole) << name.toStdString() << " ahead";
    }
}

TEST(Reader, ADeviceThatFailsEndsTheReadingWhetherPreparedAheadOrNot)
{
    // Gives the first bytes of a file, then fails.
    class CFailingDevice : public QIODevice
    {
    public:
        explicit CFailingDevice(QByteArray bytes)
            : m_bytes(std::move(bytes))
        {
            open(QIODevice::ReadOnly);
        }

    protected:
        qint64 readData(char *data, qint64 size) override
        {
            if (m_at >= m_bytes.size())
                return -1;
            const qint64 count = std::min<qint64>(size, m_bytes.size() - m_at);
            std::memcpy(data, m_bytes.constData() + m_at, static_cast<size_t>(count));
            m_at += count;
            return count;
        }
        qint64 writeData(const char *, qint64) override { return -1; }

    private:
        QByteArray m_bytes;
        qint64 m_at = 0;
    };
    const QByteArray start = FileBytes(u"<?x?>\n<Settings>\n<A>1</A>\n<B>2</B>\n<C>");
    for (const bool ahead : {false, true}) {
        CFailingDevice device(start);
        CEventLog log;
        const ConfigurationScan scan = ScanConfigurationDevice(
            device, [&log]() -> IElementHandler & { return log; }, 16, ahead);
        EXPECT_FALSE(scan.read) << ahead;
        EXPECT_FALSE(scan.complete) << ahead;
    }
}

TEST(Reader, APieceLeftOpenInADamagedFileCostsEachBlockOnlyItsNewText)
{
    // A header, then a piece that never ends, then megabytes of text: the
    // searches' work may only grow with the text, not with the text times
    // the number of blocks it came in. The last piece opens at the end of a
    // line as long as the rest.
    const char16_t *openings[] = {
        u"<!-- never closed\r\n",
        u"<Settings><IAPSettings><Script><![CDATA[never closed\r\n",
        u"<Settings><?never closed\r\n",
        u"<Settings><IAPSettings><x\r\n",
        u"<Settings><IAPSettings><x>\r\n",
        u"<Settings><IAPSettings/>\r\n",
        u"<Settings><S><![CDATA[a]]> and </Settings\r\n",
        u"<!-- after a long line\r\n",
    };
    const QString line = QStringLiteral("ordinary text after the damage, line by line 0123456\r\n");
    constexpr qsizetype kBlockBytes = 1 << 16;
    const auto read = [&](const char16_t *opening, int lines) {
        QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n");
        if (opening == std::end(openings)[-1])
            text += QString(lines * line.size(), u' ');
        text += QStringView(opening);
        text += line.repeated(lines);
        QBuffer device;
        device.setData(FileBytes(text));
        device.open(QIODevice::ReadOnly);
        CEventLog log;
        const ConfigurationScan scan = ScanConfigurationDevice(
            device, [&log]() -> IElementHandler & { return log; }, kBlockBytes);
        EXPECT_EQ(scan.instructions, 1);
        EXPECT_FALSE(scan.complete);
        EXPECT_EQ(scan.lines, lines + 2);
        return scan.searched;
    };
    constexpr int kLines = 40000; // 4 MB in 64 blocks
    for (const char16_t *opening : openings) {
        const qsizetype small = read(opening, kLines);
        const qsizetype large = read(opening, 4 * kLines);
        EXPECT_GT(small, kLines * line.size()) << "every unit is looked at";
        EXPECT_LT(large, 5 * small) << QStringView(opening).toString().toStdString();
    }
}
