#pragma once
// Conversion between the program's UTF-16 text and the bytes of the
// workstation's ANSI code page, in which every text travels to and from the
// databases.
#include <string>
#include <string_view>

namespace codepage {

// Characters that the code page cannot hold become "?". Every byte string
// read with DeAnsi comes back unchanged from ParaAnsi.
std::string ParaAnsi(std::u16string_view valor);
std::u16string DeAnsi(std::string_view bytes);

}  // namespace codepage
