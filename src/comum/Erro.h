#pragma once
// The one error type of the core: an exception that carries a message text.
#include <exception>
#include <string>

namespace comum {

class Erro : public std::exception {
 public:
  explicit Erro(std::u16string mensagem);
  const std::u16string& Mensagem() const noexcept { return mensagem_; }
  // The message in UTF-8.
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string mensagem_;
  std::string utf8_;
};

// The message text of any exception, for reports to the operator.
std::u16string MensagemDe(const std::exception& e);

}  // namespace comum
