#include "aplicacao/janela/Fontes.h"

#include <memory>

namespace janela {

namespace {

using Padrao = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

const FcChar8* Texto(const std::string& s) { return reinterpret_cast<const FcChar8*>(s.c_str()); }

bool DaFamilia(const FcPattern& fonte, const std::string& familia) {
  // A face may carry its family name in several languages.
  FcChar8* nome = nullptr;
  for (int i = 0; FcPatternGetString(&fonte, FC_FAMILY, i, &nome) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(nome, Texto(familia)) == 0) return true;
  }
  return false;
}

bool Regular(const FcPattern& fonte) {
  int peso = 0;
  int inclinacao = 0;
  return FcPatternGetInteger(&fonte, FC_WEIGHT, 0, &peso) == FcResultMatch && peso >= FC_WEIGHT_BOOK &&
         peso <= FC_WEIGHT_MEDIUM && FcPatternGetInteger(&fonte, FC_SLANT, 0, &inclinacao) == FcResultMatch &&
         inclinacao == FC_SLANT_ROMAN;
}

}  // namespace

std::string ArquivoDaFonteRegular(const std::string& familia, FcConfig* config) {
  Padrao pedido(FcPatternCreate(), FcPatternDestroy);
  if (!pedido) return {};
  FcPatternAddString(pedido.get(), FC_FAMILY, Texto(familia));
  FcPatternAddInteger(pedido.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pedido.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pedido.get(), FcMatchPattern);
  FcDefaultSubstitute(pedido.get());
  FcResult resultado = FcResultNoMatch;
  Padrao fonte(FcFontMatch(config, pedido.get(), &resultado), FcPatternDestroy);
  if (!fonte || resultado != FcResultMatch || !DaFamilia(*fonte, familia) || !Regular(*fonte)) return {};
  FcChar8* arquivo = nullptr;
  if (FcPatternGetString(fonte.get(), FC_FILE, 0, &arquivo) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(arquivo);
}

}  // namespace janela
