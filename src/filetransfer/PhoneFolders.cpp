#include "filetransfer/PhoneFolders.h"

#include "settings/Labels.h"
#include "settings/StringIds.h"

#include <algorithm>
#include <climits>

namespace {

constexpr char16_t kDriveC[] = u"C:\\";
constexpr char16_t kDriveD[] = u"D:\\";

// The language number has always been read from an 8-bit copy of this many
// bytes, the terminator included, so later characters never counted. Counting
// UTF-16 units instead of bytes reads the same number: any character that
// would take more than one byte already ends it.
constexpr qsizetype kLanguageTextBytes = 20;

constexpr unsigned kSubfolderBits = 0xF;
constexpr unsigned kFolderBits = 0xFF;

// A language number without a row (including a negative one read back as
// unsigned, and the terminator) gets English, which is also what an unreadable
// language string gives.
const PhoneFolderRow &RowFor(unsigned row)
{
    const auto table = PhoneFolderTable();
    return table[row < kPhoneFolderRowCount ? row : PhoneLanguage::English];
}

unsigned ParentCode(unsigned code)
{
    if (code & kSubfolderBits)
        return code & ~kSubfolderBits;
    if (code & kFolderBits)
        return code & ~kFolderBits;
    return 0;
}

bool IsCSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// A leading decimal integer as atoi reads it, saturated instead of overflowing.
int ReadLeadingInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i].unicode()))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

unsigned PhoneFolderPath(QString &out, unsigned row, unsigned code)
{
    for (const PhoneFolderEntry &entry : RowFor(row).folders) {
        if (entry.code != code)
            continue;
        out = QString::fromUtf16(entry.name);
        if (const unsigned parent = ParentCode(code)) {
            QString parentPath;
            PhoneFolderPath(parentPath, row, parent);
            out.prepend(parentPath);
        }
        return kPhoneFolderFound;
    }
    return kPhoneFolderAbsent;
}

int CurrentPhoneLanguage(const CApplication *application)
{
    QString text = LoadLabel(application, StringId::PhoneLanguage, true);
    if (text.startsWith(u'['))
        text.remove(0, 1);
    const int language = ReadLeadingInteger(QStringView(text).left(kLanguageTextBytes - 1));
    return language ? language : static_cast<int>(PhoneLanguage::English);
}

QStringList DestinationProposals(unsigned language)
{
    struct Proposal
    {
        const char16_t *drive;
        unsigned folder;
    };
    static constexpr Proposal kProposals[] = {
        {kDriveC, PhoneFolder::Documents},    {kDriveC, PhoneFolder::Downloaded},
        {kDriveC, PhoneFolder::PhotoGallery}, {kDriveC, PhoneFolder::Tones},
        {kDriveD, PhoneFolder::Documents},
    };
    QStringList proposals;
    for (const Proposal &proposal : kProposals) {
        QString path;
        PhoneFolderPath(path, language, proposal.folder);
        proposals.append(QString::fromUtf16(proposal.drive) + path);
    }
    return proposals;
}
