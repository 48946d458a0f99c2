#pragma once

#include "settings/NodeCatalogue.h"

#include <QStringView>

// Limits of the values the administrator types, from the node type
// catalogue. Every editor, dialog and the whole-tree check read them here.

// Longest value of a field of this node type, in UTF-16 units.
int MaxLength(int nodeType);

// The characters a phone number of this node type may hold.
QStringView AllowedCharacters(int nodeType);
// The characters a text of this node type may not hold.
QStringView RefusedCharacters(int nodeType);

inline constexpr int kMaxIPAddressPart = 255;
inline constexpr int kMaxPortNumber = 65535;

// The range of a mailbox's MessageMaxSize.
inline constexpr int kMinMessageMaxSize = 1;
inline constexpr int kMaxMessageMaxSize = 1000;

// A default voice mailbox, once set, needs at least this many digits.
inline constexpr int kMinVoiceMailboxLength = 2;
