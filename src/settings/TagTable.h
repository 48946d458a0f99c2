#pragma once

#include <QString>

#include <span>

// The program's invariant vocabulary: pairs of string identifier and XML
// element name, in their fixed order. The first pair with an identifier gives
// that identifier's invariant text.
struct TagEntry
{
    unsigned id;
    const char *name;
};

std::span<const TagEntry> TagTable();

// The element name of the first pair with this identifier; empty when none.
const QString &InvariantText(unsigned id);

// The identifier of the first pair whose name equals this one exactly
// (case-sensitive); 0 when none.
unsigned TagIdForName(const QString &name);
