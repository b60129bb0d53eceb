#pragma once
// The window's font files, found through fontconfig by family name.
#include <fontconfig/fontconfig.h>

#include <string>

namespace janela {

// The file of the regular face (normal weight, upright) of that family in
// fontconfig's configuration (the current one when null); empty when there is
// none. fontconfig always answers with some font: a face of another family,
// or only the bold or italic face of this one, does not count.
std::string ArquivoDaFonteRegular(const std::string& familia, FcConfig* config = nullptr);

}  // namespace janela
