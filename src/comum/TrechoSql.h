#pragma once
// The stretches of a statement text that are not statement: quoted text
// ('...' or "...", a doubled quote read as two stretches that touch) and
// comments. Line breaks and parameter markers inside them belong to them.
#include <cstddef>
#include <string_view>

namespace sql {

// The end (one past the last character) of the quoted text or comment that
// starts at position i of texto, or i itself when none starts there. A
// "--" comment ends before its line break; an unclosed one runs to the end.
std::size_t FimDoTrecho(std::u16string_view texto, std::size_t i);

}  // namespace sql
