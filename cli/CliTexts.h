#pragma once

// String identifiers of the command-line tool's own texts in the language
// library.
namespace CliText {
enum : unsigned {
    Usage = 40000,
    UnknownCommand = 40001,
};
} // namespace CliText
