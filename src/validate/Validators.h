#pragma once

#include <QStringView>

class CSettingNode;

// The rules a typed value must pass. They only answer; what to show on a
// refusal is up to the caller.

// Reads a decimal integer as the C conversions do: leading white space
// and one sign, then digits up to the first other character; no digits read
// as 0. Values beyond the int range saturate, so a long digit string still
// fails any range check.
int ReadInteger(QStringView text);

bool IsValidPhoneNumber(QStringView text, int nodeType);
bool IsValidHostName(QStringView text);
bool IsValidEmailAddress(QStringView text);
bool IsValidIPAddress(QStringView text);
bool IsValidPort(QStringView text);
bool IsAllDigits(QStringView text);
bool IsValidURL(QStringView text);
// PC paths are this platform's paths, with "/" as the separator; phone paths
// are EPOC paths with a drive letter and backslashes, where "/" is refused.
enum class PathSide { PC, Phone };
bool IsValidPath(QStringView text, PathSide side);

// Name fields and bookmark names must differ from those of the other items of
// the same type in their category.
bool IsUniqueNameField(int nodeType);

// True when another item of the same type under this node's category has a
// field of this node's type with exactly the same raw value. Scans the
// category; CDuplicateNameIndex answers the same for many nodes at once.
bool IsDuplicateName(const CSettingNode *node);
