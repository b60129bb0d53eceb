#pragma once
// An ordered list of text lines, of which those holding "=" are name-value
// pairs. Used for statement texts, connection parameters and the run's
// parameter list.
#include <functional>
#include <string>
#include <vector>

namespace comum {

class TStringList {
 public:
  // Where SetText splits a text into lines: at every line break, or (for
  // statement texts) only at breaks outside quoted text and comments.
  enum class Divisao { EmCadaQuebra, ForaDeAspas };
  explicit TStringList(Divisao divisao = Divisao::EmCadaQuebra) : divisao_(divisao) {}

  // The lines, each followed by CR LF.
  std::u16string Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  void SetText(const std::u16string& texto);
  void Clear();
  void Add(const std::u16string& linha);

  int Count() const { return static_cast<int>(linhas_.size()); }
  const std::u16string& operator[](int i) const { return linhas_.at(static_cast<std::size_t>(i)); }
  const std::vector<std::u16string>& Linhas() const { return linhas_; }

  // The name of a line: the text before its first "="; empty without "=".
  static std::u16string NomeDaLinha(const std::u16string& linha);
  // The value of the first line whose name equals nome, compared without
  // regard to letter case; empty text when none does.
  std::u16string Values(const std::u16string& nome) const;
  // Replaces the first line of that name, or appends "nome=valor".
  void SetValues(const std::u16string& nome, const std::u16string& valor);

  // Called after every change.
  std::function<void()> AoMudar;

 private:
  void Mudou();
  int IndiceDoNome(const std::u16string& nome) const;
  Divisao divisao_;
  std::vector<std::u16string> linhas_;
};

}  // namespace comum
