#pragma once
// Text helpers of the core. Inside the program every text is UTF-16, so lengths
// and positions count 16-bit characters.
#include <cstdint>
#include <string>
#include <string_view>

namespace texto {

// UTF-8 <-> UTF-16, for terminals, file names and the window toolkit.
std::u16string DeUtf8(std::string_view valor);
std::string ParaUtf8(std::u16string_view valor);

// Removes every character of code 32 or less at both ends.
std::u16string Trim(std::u16string_view valor);
std::u16string TrimDireita(std::u16string_view valor);

// Changes only the ASCII letters; accented letters stay as they are.
std::u16string UpperCase(std::u16string_view valor);
std::u16string LowerCase(std::u16string_view valor);

// Keeps at most the first n characters (none for n <= 0).
std::u16string Primeiros(std::u16string_view valor, int n);

// Compares ignoring the case of ASCII letters.
bool IgualSemCaixa(std::u16string_view a, std::u16string_view b);

bool Contem(std::u16string_view valor, std::u16string_view parte);
bool Contem(std::u16string_view valor, char16_t c);

// Replaces every occurrence of de by para.
std::u16string Substitui(std::u16string_view valor, char16_t de, char16_t para);
std::u16string RemoveTodos(std::u16string_view valor, char16_t c);

std::u16string IntParaTexto(std::int64_t n);

// Decimal integer as the workstation reads it: optional blanks before, optional
// sign, digits. Returns false when the text is not one or does not fit 32 bits.
bool LeInteiro(std::u16string_view valor, std::int32_t& resultado);

}  // namespace texto
