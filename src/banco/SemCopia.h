#pragma once
// The layer's objects stand for things that live on the server (an
// attachment, a transaction, a prepared statement): none of them is copied.

namespace banco {

class SemCopia {
 public:
  SemCopia(const SemCopia&) = delete;
  SemCopia& operator=(const SemCopia&) = delete;

 protected:
  SemCopia() = default;
  ~SemCopia() = default;
};

}  // namespace banco
