#pragma once

#include "config/PasswordScrambler.h"

#include <QString>
#include <QStringView>

#include <functional>

class CSettingNode;

// The configuration text: an XML declaration, a comment, and one element per
// node below Settings. Lines end in line feeds here; the file has CR LF.
// Passwords are scrambled with first keys from keys.

// Fills text and answers 1 when at least one element was written; otherwise
// the text stays empty and the answer is 0.
int WriteConfiguration(const CSettingNode *root, QString &text,
                       const ScrambleKeySource &keys = RandomScrambleKey);
// Appends the element of node (nothing for a template) at the given depth.
int WriteElement(const CSettingNode *node, QString &text, int depth,
                 const ScrambleKeySource &keys = RandomScrambleKey);
// The written form of a node's value: scrambled, in character data or escaped.
void EncodeValue(const CSettingNode *node, QString &value,
                 const ScrambleKeySource &keys = RandomScrambleKey);
// The text handed to the phone: line feeds only, no byte order mark.
QString ConfigurationTextForSending(const CSettingNode *root,
                                    const ScrambleKeySource &keys = RandomScrambleKey);
// The same text in pieces, each handed to sink as soon as it is made, so that
// a large configuration is never held whole. False when no element was
// written (sink gets nothing) or when sink refused a piece (it gets no
// more).
bool StreamConfigurationForSending(const CSettingNode *root,
                                   const std::function<bool(QStringView piece)> &sink,
                                   const ScrambleKeySource &keys = RandomScrambleKey);
// How many settings of node's branch (node too, unless it is the root) the
// configuration marks for the phone to create or update; template items are
// never written.
int CountMarkedSettings(const CSettingNode *node);
// The file's bytes: byte order mark, CR LF line ends, UTF-16 little-endian.
QByteArray EncodeConfigurationFile(const QString &text);

// Writes the configuration file; 1 saved, 0 failed with the reason in the
// last error text and any existing file left as it was.
int SaveConfigurationFile(const CSettingNode *root, const QString &path,
                          const ScrambleKeySource &keys = RandomScrambleKey);
