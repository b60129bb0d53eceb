#include "aplicacao/nucleo/TextoRelatorio.h"

#include <cmath>
#include <cstdio>

#include "comum/Texto.h"

namespace textorelatorio {

namespace {

using relatorio::Resultado;
using relatorio::Tabela;
using relatorio::TRelatorio;

std::u16string N(std::int64_t n) { return texto::IntParaTexto(n); }

// What a failed run left in each ticked table; "nada desta rodada foi
// gravado" only when no emptying and no row of it was committed.
std::u16string Restou(const TRelatorio& r) {
  std::u16string s;
  bool algoGravado = false;
  for (const auto& [nome, situacao] : r.Situacoes()) {
    algoGravado = algoGravado || situacao != relatorio::Situacao::ComoEstava;
    s += u"; " + nome + u": " + TextoDaSituacao(situacao);
  }
  if (!algoGravado) return u"nada desta rodada foi gravado" + s;
  return s.substr(2);
}

std::u16string TextoDoResultado(const TRelatorio& r) {
  switch (r.resultado) {
    case Resultado::Sucesso:
      return r.simulacao ? u"simulação concluída com sucesso (nada foi gravado no destino)"
                         : u"conversão concluída com sucesso";
    case Resultado::Interrompida:
      return u"interrompida pelo operador; " + Restou(r);
    case Resultado::Erro:
      break;
  }
  return u"erro; " + Restou(r);
}

std::u16string Destinos(const Tabela& t) {
  std::u16string s;
  for (const auto& [nome, n] : t.gravadas) s += (s.empty() ? N(n) + u" gravadas em " : u", " + N(n) + u" em ") + nome;
  return s.empty() ? u"nenhuma gravada" : s;
}

// The reference tables a table's lookups created rows in, with their counts.
std::u16string Criadas(const Tabela& t) {
  std::u16string s;
  std::vector<std::u16string> vistas;
  for (const auto& c : t.criadas) {
    bool nova = true;
    for (const auto& v : vistas) nova = nova && v != c.tabela;
    if (!nova) continue;
    vistas.push_back(c.tabela);
    s += u", " + N(t.Criadas(c.tabela)) + u" criadas em " + c.tabela;
  }
  return s;
}

std::u16string LinhaDaTabela(const Tabela& t, bool fracassou) {
  // After a failure each table says what it holds now.
  return t.nome + u" (" + t.origem + u"): " + N(t.lidas) + u" lidas, " + Destinos(t) + u", " +
         N(static_cast<std::int64_t>(t.ignoradas.size())) + u" ignoradas" + Criadas(t) + u"; " + Segundos(t.segundos) +
         u" s, " + PorSegundo(t.lidas, t.segundos) + u" registros/s" + (t.concluida ? u"" : u" (não terminou)") +
         (fracassou ? u" (" + TextoDaSituacao(t.SituacaoFinal()) + u")" : u"");
}

std::u16string Linha(const std::u16string& codigo, std::int64_t linha) {
  return u"registro " + N(linha) + u" (código " + codigo + u")";
}

// Control characters of a value would break the line it is shown on.
std::u16string Visivel(const std::u16string& valor) {
  std::u16string s;
  for (char16_t c : valor) {
    if (c == u'\n') {
      s += u"\\n";
    } else if (c == u'\r') {
      s += u"\\r";
    } else if (c == u'\t') {
      s += u"\\t";
    } else if (c < 0x20 || c == 0x7F) {
      static const char16_t hex[] = u"0123456789ABCDEF";
      s += u"\\x";
      s += hex[c >> 4];
      s += hex[c & 0xF];
    } else {
      s += c;
    }
  }
  return s;
}

std::u16string CampoCsv(const std::u16string& valor) {
  bool aspas = false;
  for (char16_t c : valor) aspas = aspas || c == u';' || c == u'"' || c == u'\n' || c == u'\r';
  if (!aspas) return valor;
  std::u16string s = u"\"";
  for (char16_t c : valor) {
    if (c == u'"') s += u'"';
    s += c;
  }
  return s + u"\"";
}

std::u16string RegistroCsv(std::initializer_list<std::u16string> campos) {
  std::u16string s;
  bool primeiro = true;
  for (const auto& c : campos) {
    if (!primeiro) s += u';';
    s += CampoCsv(c);
    primeiro = false;
  }
  return s + u"\n";
}

}  // namespace

std::u16string TextoDaSituacao(relatorio::Situacao situacao) {
  switch (situacao) {
    case relatorio::Situacao::Confirmada:
      return u"convertida e confirmada";
    case relatorio::Situacao::Esvaziada:
      return u"esvaziada e deixada vazia";
    case relatorio::Situacao::ComoEstava:
      break;
  }
  return u"deixada como estava";
}

std::u16string Segundos(double s) {
  char b[32];
  std::snprintf(b, sizeof b, "%.2f", s < 0 ? 0.0 : s);
  return texto::Substitui(texto::DeUtf8(b), u'.', regional::SeparadorDecimal);
}

std::u16string PorSegundo(std::int64_t linhas, double s) {
  if (s < 0.001) return u"-";
  return N(std::llround(static_cast<double>(linhas) / s));
}

std::u16string Resumo(const TRelatorio& r) {
  std::u16string s;
  if (r.simulacao) s += u"Simulação: nada foi gravado no banco de dados de destino.\n";
  for (const Tabela& t : r.tabelas) s += LinhaDaTabela(t, r.resultado != Resultado::Sucesso) + u"\n";
  if (r.falha) {
    const auto& f = *r.falha;
    s += u"Falha";
    if (!f.tabela.empty()) s += u" em " + f.tabela;
    if (f.linha > 0) s += u", " + Linha(Visivel(f.codigo), f.linha);
    s += u": " + texto::Substitui(f.motivo, u'\r', u' ') + u"\n";
  }
  s += u"Resultado: " + TextoDoResultado(r) + u"; " + Segundos(r.segundos) + u" s no total.\n";
  return s;
}

std::u16string Completo(const TRelatorio& r) {
  std::u16string s = u"Relatório da conversão - Conversor Zorvan - Gráfica\n\n";
  s += u"Data: " + regional::FormataDataCurta(r.inicio) + u" " + regional::FormataHoraLonga(r.inicio) + u"\n";
  s += u"Origem: " + Visivel(r.origem) + u"\n";
  s += u"Destino: " + Visivel(r.destino) + u"\n";
  s += std::u16string(u"Modo: ") + (r.simulacao ? u"simulação" : u"conversão") + u"\n\n";
  s += Resumo(r);
  for (const Tabela& t : r.tabelas) {
    if (!t.ignoradas.empty()) {
      s += u"\n" + t.nome + u": registros ignorados (" + N(static_cast<std::int64_t>(t.ignoradas.size())) + u")\n";
      for (const auto& i : t.ignoradas) s += u"  " + Linha(Visivel(i.codigo), i.linha) + u": " + i.motivo + u"\n";
    }
    if (!t.criadas.empty()) {
      s += u"\n" + t.nome + u": registros criados pelas pesquisas (" + N(static_cast<std::int64_t>(t.criadas.size())) +
           u")\n";
      for (const auto& c : t.criadas) {
        s += u"  " + c.tabela + u" " + Visivel(c.codigo) + u" " + Visivel(c.descricao);
        if (!c.estado.empty()) s += u" / " + Visivel(c.estado);
        s += u"\n";
      }
    }
  }
  return s;
}

std::u16string Csv(const TRelatorio& r) {
  std::u16string s = RegistroCsv(
      {u"registro", u"tabela", u"destino", u"quantidade", u"linha", u"codigo", u"descricao", u"estado", u"detalhe"});
  const std::u16string data = regional::FormataDataCurta(r.inicio) + u" " + regional::FormataHoraLonga(r.inicio);
  s += RegistroCsv({u"execucao", u"", r.destino, u"", u"", u"", r.origem, u"",
                    std::u16string(r.simulacao ? u"simulação" : u"conversão") + u" " + data});
  for (const Tabela& t : r.tabelas) {
    s += RegistroCsv({u"lidas", t.nome, t.origem, N(t.lidas), u"", u"", u"", u"", u""});
    for (const auto& [destino, n] : t.gravadas)
      s += RegistroCsv({u"gravadas", t.nome, destino, N(n), u"", u"", u"", u"", u""});
    s += RegistroCsv(
        {u"ignoradas", t.nome, u"", N(static_cast<std::int64_t>(t.ignoradas.size())), u"", u"", u"", u"", u""});
    s += RegistroCsv({u"tempo", t.nome, u"", u"", u"", u"", u"", u"", Segundos(t.segundos)});
    for (const auto& i : t.ignoradas)
      s += RegistroCsv({u"ignorada", t.nome, u"", u"", N(i.linha), i.codigo, u"", u"", i.motivo});
    for (const auto& c : t.criadas)
      s += RegistroCsv({u"criada", t.nome, c.tabela, u"", u"", c.codigo, c.descricao, c.estado, u""});
  }
  for (const auto& [nome, situacao] : r.Situacoes())
    s += RegistroCsv({u"situacao", nome, u"", u"", u"", u"", u"", u"", TextoDaSituacao(situacao)});
  if (r.falha) {
    const auto& f = *r.falha;
    s += RegistroCsv({u"falha", f.tabela, u"", u"", f.linha > 0 ? N(f.linha) : u"", f.codigo, u"", u"", f.motivo});
  }
  s += RegistroCsv({u"resultado", u"", u"", u"", u"", u"", u"", u"", TextoDoResultado(r)});
  s += RegistroCsv({u"tempo", u"", u"", u"", u"", u"", u"", u"", Segundos(r.segundos)});
  return s;
}

}  // namespace textorelatorio
