#pragma once
// A handle of the client library (attachment, transaction): an opaque number,
// 0 while there is none. Only the layer reads or changes one.

namespace banco {

using Alca = unsigned int;

}  // namespace banco
