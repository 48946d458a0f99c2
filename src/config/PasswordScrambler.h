#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// Passwords are stored scrambled: a key, then each unit exclusive-or a key
// that moves on with every unit, all as four lowercase hexadecimal digits.

// Where the first key of each scrambled password comes from. The document
// holds one; a test that gives a fixed one can compare two writes.
using ScrambleKeySource = std::function<std::uint16_t()>;
// A key from the system's random device, fresh on every call.
std::uint16_t RandomScrambleKey();

// units: how many units to write (shorter values are padded with zero units,
// longer ones cut); -1 writes the value's own length.
QString ScramblePassword(const QString &password, int units,
                         const ScrambleKeySource &keys = RandomScrambleKey);
QString ScramblePassword(const QString &password, int units, std::uint16_t firstKey);
QString UnscramblePassword(const QString &scrambled);
