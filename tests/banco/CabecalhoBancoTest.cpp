// The header page reader, on small byte images of header pages and on a file
// the installed engine created.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "apoio/BancosTeste.h"
#include "banco/CabecalhoBanco.h"

namespace {

using banco::CabecalhoBanco;

// A 1024-byte header page as the engine of the given ODS writes it.
std::string Pagina(int maior, int menor, unsigned tamanho = 8192) {
  std::string b(1024, '\0');
  auto poe16 = [&b](std::size_t pos, unsigned v) {
    b[pos] = static_cast<char>(v & 0xff);
    b[pos + 1] = static_cast<char>(v >> 8 & 0xff);
  };
  b[0] = 1;
  poe16(16, tamanho);
  poe16(18, 0x8000u | static_cast<unsigned>(maior));
  poe16(maior <= 11 ? 62 : 64, static_cast<unsigned>(menor));
  // The other layout's minor position holds something else: it must not be read.
  poe16(maior <= 11 ? 64 : 62, 0x0101);
  return b;
}

TEST(CabecalhoBanco, LeOdsEVersaoQueEscreveu) {
  struct Caso {
    int maior, menor;
    const char16_t* versao;
  };
  const Caso casos[] = {
      {11, 2, u"2.5"}, {11, 1, u"2.1"}, {12, 0, u"3"}, {13, 0, u"4"}, {13, 1, u"5"}, {14, 0, u""}, {13, 2, u""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::to_string(c.maior) + "." + std::to_string(c.menor));
    const CabecalhoBanco h = banco::InterpretaCabecalho(Pagina(c.maior, c.menor));
    ASSERT_EQ(h.tipo, CabecalhoBanco::Tipo::Firebird);
    EXPECT_EQ(h.odsMaior, c.maior);
    EXPECT_EQ(h.odsMenor, c.menor);
    EXPECT_EQ(h.tamanhoPagina, 8192);
    EXPECT_EQ(banco::VersaoFirebirdDoOds(h.odsMaior, h.odsMenor), c.versao);
  }
}

TEST(CabecalhoBanco, RecusaOQueNaoEBancoFirebird) {
  std::string semBit = Pagina(12, 0);
  semBit[19] = 0;
  std::string tamanhoEstranho = Pagina(12, 0, 3000);
  std::string outraPagina = Pagina(12, 0);
  outraPagina[0] = 5;
  const std::string casos[] = {
      "",
      "CREATE TABLE T (ID INTEGER);\n" + std::string(2000, 'x'),
      Pagina(12, 0).substr(0, 1023),  // truncated inside the header page
      Pagina(12, 0).substr(0, 20),
      semBit,
      tamanhoEstranho,
      outraPagina,
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.size());
    EXPECT_EQ(banco::InterpretaCabecalho(c).tipo, CabecalhoBanco::Tipo::NaoFirebird);
  }
}

TEST(CabecalhoBanco, ArquivoEmDisco) {
  apoio::PastaTemporaria pasta;
  const auto banco = pasta.Caminho() / "REAL.FDB";
  apoio::CriaBanco(banco, 3);
  const CabecalhoBanco h = banco::LeCabecalho(banco.string());
  ASSERT_EQ(h.tipo, CabecalhoBanco::Tipo::Firebird);
  EXPECT_GE(h.odsMaior, 12);
  EXPECT_FALSE(banco::VersaoFirebirdDoOds(h.odsMaior, h.odsMenor).empty());

  EXPECT_EQ(banco::LeCabecalho((pasta.Caminho() / "NAO-EXISTE.FDB").string()).tipo, CabecalhoBanco::Tipo::Ilegivel);
  const auto vazio = pasta.Caminho() / "VAZIO.FDB";
  std::ofstream{vazio};
  EXPECT_EQ(banco::LeCabecalho(vazio.string()).tipo, CabecalhoBanco::Tipo::NaoFirebird);
}

TEST(CabecalhoBanco, NomesLocaisESeServidor) {
  EXPECT_TRUE(banco::EhArquivoLocal(u"/dados/LEGADO.FDB"));
  EXPECT_TRUE(banco::EhArquivoLocal(u"amostra/VESTREL.FB"));
  EXPECT_FALSE(banco::EhArquivoLocal(u"localhost/3050:/dados/VESTREL.FB"));
  EXPECT_FALSE(banco::EhArquivoLocal(u"servidor:/dados/VESTREL.FB"));
  EXPECT_FALSE(banco::EhArquivoLocal(u"inet://servidor/dados/VESTREL.FB"));
}

}  // namespace
