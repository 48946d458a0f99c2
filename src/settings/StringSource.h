#pragma once

// Where localized texts come from: the language library in the program, a
// table in tests.
class IStringSource
{
public:
    virtual ~IStringSource() = default;

    // LoadString semantics: copies at most bufferMax - 1 units and a
    // terminating zero; returns the number of units copied, 0 when the
    // identifier has no text or an empty one.
    virtual int LoadString(unsigned id, char16_t *buffer, int bufferMax) const = 0;
};
