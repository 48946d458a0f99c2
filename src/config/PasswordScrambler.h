#pragma once

#include <QString>

#include <cstdint>

// Passwords are stored scrambled: a key, then each unit exclusive-or a key
// that moves on with every unit, all as four lowercase hexadecimal digits.

// units: how many units to write (shorter values are padded with zero units,
// longer ones cut); -1 writes the value's own length.
QString ScramblePassword(const QString &password, int units);
QString ScramblePassword(const QString &password, int units, std::uint16_t firstKey);
QString UnscramblePassword(const QString &scrambled);
