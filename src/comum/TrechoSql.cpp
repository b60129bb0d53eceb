#include "comum/TrechoSql.h"

namespace sql {

std::size_t FimDoTrecho(std::u16string_view texto, std::size_t i) {
  constexpr auto npos = std::u16string_view::npos;
  if (i >= texto.size()) return i;
  char16_t c = texto[i];
  char16_t seguinte = i + 1 < texto.size() ? texto[i + 1] : u'\0';
  std::size_t fim = i;
  if (c == u'\'' || c == u'"') {
    fim = texto.find(c, i + 1);
    fim = fim == npos ? texto.size() : fim + 1;
  } else if (c == u'-' && seguinte == u'-') {
    fim = texto.find_first_of(u"\r\n", i);
    if (fim == npos) fim = texto.size();
  } else if (c == u'/' && seguinte == u'*') {
    fim = texto.find(u"*/", i + 2);
    fim = fim == npos ? texto.size() : fim + 2;
  }
  return fim;
}

}  // namespace sql
