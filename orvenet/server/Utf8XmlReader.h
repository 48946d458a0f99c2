#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// A pull reader of XML held whole in UTF-8, which checks as it goes that the
// text is well formed and its names fit namespaces: valid UTF-8 of characters XML allows, one root
// element, end tags that match, quoted attributes named once per element (by
// qualified name and by namespace and local name), every prefix bound,
// predefined and character references only. Comments and processing
// instructions are passed over. A document type declaration is refused:
// without one no other entity can exist, and a received configuration never
// has one.
//
// Views and values it returns point into the text, which must outlive them.
class CUtf8XmlReader
{
public:
    enum class Token { StartElement, EndElement, Text, EndDocument, Invalid };

    explicit CUtf8XmlReader(QByteArrayView text);

    // The next token; Invalid (for good) at the first fault.
    Token Next();

    // The element's name, of a start or end element.
    QByteArrayView Name() const { return m_name; }
    // Where the current token starts, in bytes from the start of the text.
    qsizetype Position() const { return m_position; }
    // The start element's attribute, references resolved and white space
    // made spaces; a null value when it has none of that name.
    QByteArray Attribute(QByteArrayView name) const;
    // The attributes of the start element as written: names and raw values.
    const std::vector<std::pair<QByteArrayView, QByteArrayView>> &RawAttributes() const
    {
        return m_attributes;
    }
    // The characters of a text token, references resolved and line ends
    // made line feeds. One run of text may come as several tokens.
    QByteArray Text() const;

    // The characters of a name, value or text in UTF-8, a leading U+FEFF
    // kept (QString::fromUtf8 drops it).
    static QString ToString(QByteArrayView utf8);
    // Whether the text is UTF-8 of characters allowed in XML.
    static bool IsXmlUtf8(QByteArrayView text);

private:
    Token Fail();
    // Each reader of a piece returns nothing when the piece is not reported.
    std::optional<Token> ReadMarkup();
    std::optional<Token> ReadText();
    Token ReadStartTag();
    Token ReadEndTag();
    bool SkipComment();
    bool SkipInstruction(const char *markup);
    bool ReadDeclaration();
    std::optional<Token> ReadCharacterData();
    bool ReadAttributes(bool &empty);
    // A name is a part, or a prefix and a part around one colon when it is
    // qualified, as XML with namespaces has it.
    bool ReadName(QByteArrayView &name, bool qualified = true);
    bool SkipNamePart();
    bool SkipNameCharacter(bool first);
    // Binds the prefixes the start element declares, and checks that each
    // prefix of its names is bound and no attribute stands twice.
    bool BindPrefixes();
    std::optional<QByteArrayView> NamespaceOf(QByteArrayView prefix) const;
    void CloseElement();
    // The quoted value after an attribute's name: '=' and the quotes,
    // white space allowed around the '='.
    bool ReadValue(QByteArrayView &value);
    bool SkipSpace();
    bool Consume(QByteArrayView expected);
    bool AtDocumentLevel() const { return m_open.empty(); }

    const char *m_begin;
    const char *m_end;
    const char *m_at;
    bool m_failed = false;
    bool m_rootSeen = false;
    bool m_closePending = false;
    std::vector<QByteArrayView> m_open;
    // The prefixes bound, innermost last, and how many were bound outside
    // each open element.
    std::vector<std::pair<QByteArrayView, QByteArray>> m_bindings;
    std::vector<size_t> m_bindingMarks;
    std::vector<std::string_view> m_names;
    std::vector<std::pair<std::string_view, std::string_view>> m_expandedNames;

    QByteArrayView m_name;
    qsizetype m_position = 0;
    std::vector<std::pair<QByteArrayView, QByteArrayView>> m_attributes;
    QByteArrayView m_text;
    bool m_textIsCharacterData = false;
};
