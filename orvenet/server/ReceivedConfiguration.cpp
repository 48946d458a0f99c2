#include "orvenet/server/ReceivedConfiguration.h"

#include "orvenet/server/Utf8XmlReader.h"

namespace {

bool IsIncluded(const CUtf8XmlReader &reader)
{
    return reader.Attribute("op") == "create";
}

bool IsCountedSetting(const CUtf8XmlReader &reader)
{
    return !reader.Attribute("op").isEmpty();
}

// Follows the elements of one configuration as they are read. Only the
// names of a file entry and of its fields, and only the text inside an
// entry, are kept: the settings around them are merely counted.
class CReading
{
public:
    explicit CReading(ReceivedConfiguration &read)
        : m_read(read)
    {}

    bool Start(const CUtf8XmlReader &reader);
    void End();
    void AddText(const CUtf8XmlReader &reader)
    {
        if (m_inEntry)
            m_text += CUtf8XmlReader::ToString(reader.Text());
    }

private:
    void Announce(const CUtf8XmlReader &reader, bool counted);
    void StartFileTransferPart(const CUtf8XmlReader &reader);

    ReceivedConfiguration &m_read;
    int m_depth = 0;
    bool m_inFileTransfer = false;
    QString m_category;
    QString m_entryName;
    QString m_fieldName;
    bool m_inEntry = false;
    ReceivedConfiguration::FileEntry m_entry;
    QString m_text;
    // A category is announced with its first setting: one that is excluded
    // or holds nothing is not.
    QString m_unannounced;
};

bool CReading::Start(const CUtf8XmlReader &reader)
{
    ++m_depth;
    m_text.clear();
    if (m_depth == 1)
        return reader.Name() == "Settings";
    const bool counted = IsCountedSetting(reader);
    if (counted)
        ++m_read.settings;
    Announce(reader, counted);
    if (m_depth == 2)
        m_inFileTransfer = reader.Name() == "FileTransfer" && IsIncluded(reader);
    else if (m_inFileTransfer)
        StartFileTransferPart(reader);
    return true;
}

void CReading::Announce(const CUtf8XmlReader &reader, bool counted)
{
    if (m_depth == 2)
        m_unannounced = counted ? CUtf8XmlReader::ToString(reader.Name()) : QString();
    else if (counted && !m_unannounced.isEmpty())
        m_read.steps.push_back(
            {std::exchange(m_unannounced, {}), reader.Position(), m_read.settings});
}

void CReading::StartFileTransferPart(const CUtf8XmlReader &reader)
{
    if (m_depth == 3) {
        m_category = IsIncluded(reader) ? CUtf8XmlReader::ToString(reader.Name()) : QString();
    } else if (m_depth == 4) {
        m_entryName = CUtf8XmlReader::ToString(reader.Name());
        m_inEntry = !m_category.isEmpty() && IsIncluded(reader);
        m_entry = {m_category, QString(), FolderForEntry(m_entryName)};
    } else if (m_inEntry && m_depth == 5) {
        m_fieldName = CUtf8XmlReader::ToString(reader.Name());
    }
}

void CReading::End()
{
    if (m_inEntry && m_depth == 5 && m_fieldName == u"Local") {
        m_entry.local = m_text.trimmed();
    } else if (m_inEntry && m_depth == 5 && m_fieldName == u"Remote") {
        m_entry.remote = m_text.trimmed();
    } else if (m_inEntry && m_depth == 4) {
        if (m_entryName != u"File")
            m_entry.local = m_text.trimmed();
        m_read.files.push_back(m_entry);
        m_inEntry = false;
    }
    --m_depth;
    m_text.clear();
}

} // namespace

std::optional<ReceivedConfiguration> ReadReceivedConfiguration(QByteArrayView text)
{
    ReceivedConfiguration read;
    CReading reading(read);
    CUtf8XmlReader reader(text);
    for (;;) {
        switch (reader.Next()) {
        case CUtf8XmlReader::Token::StartElement:
            if (!reading.Start(reader))
                return std::nullopt;
            break;
        case CUtf8XmlReader::Token::EndElement:
            reading.End();
            break;
        case CUtf8XmlReader::Token::Text:
            reading.AddText(reader);
            break;
        case CUtf8XmlReader::Token::EndDocument:
            return read;
        case CUtf8XmlReader::Token::Invalid:
            return std::nullopt;
        }
    }
}

QString FolderForEntry(QStringView entryName)
{
    if (entryName == u"RingingTone")
        return QStringLiteral("C:\\Documents\\Tones\\");
    if (entryName == u"BackgroundImage")
        return QStringLiteral("C:\\Documents\\Photo gallery\\");
    if (entryName == u"SISFile")
        return QStringLiteral("C:\\Documents\\Installs\\");
    return QString();
}
