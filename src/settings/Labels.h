#pragma once

#include <QString>

#include <initializer_list>
#include <optional>

class CApplication;

// Localized texts are limited to this many units, the terminator included.
inline constexpr int kLabelBufferSize = 2048;

// The text of an identifier from the language library: empty without a
// library, none when the library lacks it or holds it empty.
std::optional<QString> FindLabel(const CApplication *application, unsigned id);

// The invariant text of an identifier (localized false) or its text from the
// language library (localized true). A missing or empty localized text gives
// "<error>"; a missing invariant text is empty. Saying that a text is missing
// is left to the user interface.
QString LoadLabel(const CApplication *application, unsigned id, bool localized);

// The localized label of the first tag whose element name equals name exactly;
// empty when no tag has that name.
QString LabelForTag(const CApplication *application, const QString &name);

// One argument of a printf-style format: %s takes text, %d a number.
class FormatArg
{
public:
    FormatArg(const QString &text)
        : m_text(text)
    {}
    FormatArg(const char16_t *text)
        : m_text(QString::fromUtf16(text))
    {}
    FormatArg(long long number)
        : m_text(QString::number(number))
    {}
    FormatArg(int number)
        : m_text(QString::number(number))
    {}
    FormatArg(unsigned number)
        : m_text(QString::number(number))
    {}
    const QString &Text() const { return m_text; }

private:
    QString m_text;
};

// Replaces %s and %d in order by the arguments and %% by %; a conversion
// without an argument is left as it stands.
QString FormatText(const QString &format, std::initializer_list<FormatArg> args);

// The localized text of an identifier used as a format.
QString FormatLabel(const CApplication *application, unsigned id,
                    std::initializer_list<FormatArg> args);

// The localized text of a count, formatted with count as its first argument
// and then args. The text may hold its plural forms separated by "|", as
// "%d file|%d files": the language's PluralOne text lists the numbers that
// take the first form ("1"; "0 1" in French), every other number takes the
// last. A text without "|" serves every number.
QString FormatCount(const CApplication *application, unsigned id, long long count,
                    std::initializer_list<FormatArg> args = {});
