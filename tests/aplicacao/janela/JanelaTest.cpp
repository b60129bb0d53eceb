// The main window: its controls, the picks, the checks before a run, a run
// end to end on generated databases, a failed run, leaving and closing.
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <fstream>
#include <memory>

#include "ApoioJanela.h"
#include "aplicacao/janela/Aplicacao.h"
#include "aplicacao/janela/ControlesProgresso.h"
#include "apoio/BancosTeste.h"
#include "banco/IBQuery.h"
#include "comum/Versao.h"

namespace {

namespace fs = std::filesystem;
using apoio_janela::Caminho;

const QString kVazio = QStringLiteral("O caminho do banco de dados está vazio!");
const QString kOrigemVazia = QStringLiteral("O caminho do banco de dados de origem está vazio!");
const QString kSemConexao = QStringLiteral(
    "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é válido! ");

// The state of the five controls a run disables.
QString Estados(const TFPrincipal& w) {
  QString s;
  for (const QWidget* c : {static_cast<const QWidget*>(w.btnAbrirOrigem),
                           static_cast<const QWidget*>(w.btnAbrirVestrel), static_cast<const QWidget*>(w.btnConverter),
                           static_cast<const QWidget*>(w.btnSair), static_cast<const QWidget*>(w.gbxTabelasConverter)})
    s += c->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
  return s;
}

void ExecutaNaConexao(TIBDatabase& banco, const std::u16string& sql) {
  TIBQuery q;
  q.SetDatabase(&banco);
  q.SQL().SetText(sql);
  q.ExecSQL();
}

class TesteJanela : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<apoio::PastaTemporaria> pasta;
  std::unique_ptr<apoio_janela::CaixasGravadas> caixas;
  std::unique_ptr<TFPrincipal> w;
  std::unique_ptr<apoio_janela::DialogoGravado> dialogo;
  fs::path origem;
  fs::path destino;

  // Empty databases made once; each test works on its own copies.
  std::unique_ptr<apoio::PastaTemporaria> modelos;
  fs::path modeloOrigem;
  fs::path modeloDestino;

  void CriaBancos() {
    origem = pasta->Caminho() / "LEGADO.FDB";
    destino = pasta->Caminho() / "VESTREL.FB";
    fs::copy_file(modeloOrigem, origem);
    fs::copy_file(modeloDestino, destino);
    apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00099', 'VELHA')");
  }

  void Clica(QPushButton* botao) { QTest::mouseClick(botao, Qt::LeftButton); }

  void AbreOrigem(const fs::path& arquivo) {
    dialogo->respostas.push_back(Caminho(arquivo));
    Clica(w->btnAbrirOrigem);
  }
  void AbreDestino(const fs::path& arquivo) {
    dialogo->respostas.push_back(Caminho(arquivo));
    Clica(w->btnAbrirVestrel);
  }

 private slots:
  void initTestCase() {
    modelos = std::make_unique<apoio::PastaTemporaria>();
    modeloOrigem = modelos->Caminho() / "MODELO.FDB";
    modeloDestino = modelos->Caminho() / "MODELO.FB";
    apoio::CriaBancoOrigem(modeloOrigem);
    apoio::CriaBancoDestino(modeloDestino);
  }

  void cleanupTestCase() { modelos.reset(); }

  void init() {
    pasta = std::make_unique<apoio::PastaTemporaria>();
    caixas = std::make_unique<apoio_janela::CaixasGravadas>();
    w = std::make_unique<TFPrincipal>();
    dialogo = std::make_unique<apoio_janela::DialogoGravado>(*w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
  }

  void cleanup() {
    w.reset();
    dialogo.reset();
    caixas.reset();
    pasta.reset();
  }

  void NoInicio() {
    QCOMPARE(FPrincipal, w.get());
    QCOMPARE(w->windowTitle(), QStringLiteral("Conversor Zorvan - Gráfica"));
    QCOMPARE(w->toolTip(), QStringLiteral("Versão ") + QLatin1String(comum::kVersao));
    QCOMPARE(w->size(), QSize(623, 313));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->minimumSize() != w->maximumSize());
    QCOMPARE(w->edtCaminhoBDOrigem->text(), QString());
    QCOMPARE(w->edtCaminhoBDDestino->text(), QString());
    QVERIFY(!w->edtCaminhoBDOrigem->isEnabled());
    QVERIFY(!w->edtCaminhoBDDestino->isEnabled());
    QCOMPARE(Estados(*w), QStringLiteral("11111"));
    for (QCheckBox* c : {w->chkCidades, w->chkCLientes, w->chkFornecedores}) {
      QVERIFY(c->isEnabled());
      QVERIFY(!c->isChecked());
    }
    QCOMPARE(w->Barra->Progress(), 0);
    QCOMPARE(w->Barra->MaxValue(), 100);
    QCOMPARE(w->Barra->Texto(), QStringLiteral("0%"));
    QCOMPARE(w->lblInfo->text(), QString());
    QVERIFY(w->lblInfo->Caption().empty());
    QVERIFY(!w->ibdOrigem.Connected());
    QVERIFY(!w->ibdVestrel.Connected());
    QVERIFY(!w->ibtTransacaoOrigem.Active());
    QVERIFY(!w->ibtTransacaoVestrel.Active());
    QVERIFY(!w->Convertendo());
  }

  void Controles_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("negrito");
    QTest::newRow("Barra") << "Barra" << QRect(5, 265, 611, 15) << "" << false;
    QTest::newRow("pnlCabecalho") << "pnlCabecalho" << QRect(0, 0, 633, 73) << "" << false;
    QTest::newRow("imgLogo") << "imgLogo" << QRect(1, 10, 137, 64) << "" << false;
    QTest::newRow("imgComp") << "imgComp" << QRect(503, 1, 132, 71) << "" << false;
    QTest::newRow("edtCaminhoBDOrigem") << "edtCaminhoBDOrigem" << QRect(3, 94, 516, 21) << "" << false;
    QTest::newRow("btnAbrirOrigem") << "btnAbrirOrigem" << QRect(533, 91, 83, 25) << "Abrir" << false;
    QTest::newRow("btnAbrirVestrel") << "btnAbrirVestrel" << QRect(534, 142, 83, 25) << "Abrir" << false;
    QTest::newRow("edtCaminhoBDDestino") << "edtCaminhoBDDestino" << QRect(3, 145, 516, 21) << "" << false;
    QTest::newRow("btnConverter") << "btnConverter" << QRect(445, 286, 83, 25) << "Converter" << false;
    QTest::newRow("btnSair") << "btnSair" << QRect(533, 286, 83, 25) << "Sair" << false;
    QTest::newRow("gbxTabelasConverter") << "gbxTabelasConverter" << QRect(4, 178, 612, 67) << "Tabelas à converter"
                                         << true;
    QTest::newRow("chkCLientes") << "chkCLientes" << QRect(220, 27, 97, 17) << "Clientes" << true;
    QTest::newRow("chkFornecedores") << "chkFornecedores" << QRect(414, 27, 97, 17) << "Fornecedores" << true;
    QTest::newRow("chkCidades") << "chkCidades" << QRect(24, 27, 97, 17) << "Cidades" << true;
  }
  void Controles() {
    QFETCH(QString, nome);
    QFETCH(QRect, area);
    QFETCH(QString, texto);
    QFETCH(bool, negrito);
    auto* c = w->findChild<QWidget*>(nome);
    QVERIFY(c);
    QCOMPARE(c->geometry(), area);
    if (auto* b = qobject_cast<QAbstractButton*>(c)) QCOMPARE(b->text(), texto);
    if (auto* g = qobject_cast<QGroupBox*>(c)) QCOMPARE(g->title(), texto);
    QCOMPARE(c->font().bold(), negrito);
    QCOMPARE(c->font().pixelSize(), 11);
    QCOMPARE(c->font().family(), QStringLiteral("Tahoma"));
  }

  // Under the theme every control keeps the designed font.
  void FontesSobOTema() {
    QVERIFY(janela::SelecionaTema(janela::kTemaPadrao));
    std::unique_ptr<TFPrincipal> outra = std::make_unique<TFPrincipal>();
    outra->show();
    QVERIFY(QTest::qWaitForWindowExposed(outra.get()));
    const QStringList negritos{"lblInfo",     "Label3",          "Label1",    "gbxTabelasConverter",
                               "chkCLientes", "chkFornecedores", "chkCidades"};
    const QStringList normais{"Barra",           "edtCaminhoBDOrigem",  "btnAbrirOrigem",
                              "btnAbrirVestrel", "edtCaminhoBDDestino", "btnConverter",
                              "btnSair"};
    for (const QStringList* grupo : {&negritos, &normais}) {
      for (const QString& nome : *grupo) {
        auto* c = outra->findChild<QWidget*>(nome);
        QVERIFY2(c, qPrintable(nome));
        QVERIFY2(c->font().family() == QStringLiteral("Tahoma"), qPrintable(nome));
        QVERIFY2(c->font().pixelSize() == 11, qPrintable(nome));
        QVERIFY2(c->font().bold() == (grupo == &negritos), qPrintable(nome));
      }
    }
    outra.reset();
    janela::RemoveTema();
  }

  void Rotulos_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QPoint>("posicao");
    QTest::addColumn<QString>("texto");
    QTest::newRow("lblInfo") << "lblInfo" << QPoint(8, 248) << "";
    QTest::newRow("Label3") << "Label3" << QPoint(3, 79) << "Caminho do Banco de Dados do Cliente:";
    QTest::newRow("Label1") << "Label1" << QPoint(3, 131) << "Caminho do Banco de Dados Vestrel: ";
    QTest::newRow("Label2") << "Label2" << QPoint(146, 25) << "Conversor de Dados - ZORVAN SISTEMAS - GRÁFICA";
  }
  void Rotulos() {
    QFETCH(QString, nome);
    QFETCH(QPoint, posicao);
    QFETCH(QString, texto);
    auto* l = w->findChild<QLabel*>(nome);
    QVERIFY(l);
    QCOMPARE(l->pos(), posicao);
    QCOMPARE(l->text(), texto);
    QVERIFY(l->font().bold());
  }

  void Cabecalho() {
    QCOMPARE(w->Label2->parentWidget(), static_cast<QWidget*>(w->pnlCabecalho));
    QCOMPARE(w->imgLogo->parentWidget(), static_cast<QWidget*>(w->pnlCabecalho));
    QCOMPARE(w->Label2->font().pixelSize(), 15);
    QVERIFY(w->Label2->font().bold());
    QCOMPARE(w->Label2->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x00));
    QVERIFY(!w->imgLogo->pixmap().isNull());
    QVERIFY(!w->imgComp->pixmap().isNull());
    QVERIFY(w->imgComp->pixmap().width() <= 132 && w->imgComp->pixmap().height() <= 71);
    for (QPushButton* b : {w->btnAbrirOrigem, w->btnAbrirVestrel, w->btnConverter, w->btnSair}) {
      QVERIFY(!b->icon().isNull());
      QCOMPARE(b->iconSize(), QSize(16, 16));
      // The grey variant while disabled differs from the picture.
      QImage normal = b->icon().pixmap(16, 16, QIcon::Normal).toImage();
      QImage cinza = b->icon().pixmap(16, 16, QIcon::Disabled).toImage();
      QVERIFY(normal != cinza);
    }
  }

  // Tab goes "Abrir", "Abrir", "Converter", "Sair", then in the group
  // "Clientes", "Fornecedores", "Cidades"; the disabled path boxes are skipped.
  void OrdemDeTabulacao() {
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->btnAbrirOrigem->setFocus();
    const QList<QWidget*> esperado{w->btnAbrirVestrel, w->btnConverter, w->btnSair,       w->chkCLientes,
                                   w->chkFornecedores, w->chkCidades,   w->btnAbrirOrigem};
    for (QWidget* proximo : esperado) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), proximo);
    }
  }

  void ConverterAntesDeEscolher() {
    w->chkCidades->setChecked(true);
    Clica(w->btnConverter);
    QCOMPARE(caixas->caixas.size(), size_t{1});
    const janela::Caixa& c = caixas->caixas[0];
    QCOMPARE(c.texto, kVazio);
    QCOMPARE(c.titulo, QStringLiteral("Warning"));
    QCOMPARE(c.icone, QMessageBox::Warning);
    QCOMPARE(c.botao, QMessageBox::Ok);
    QVERIFY(dialogo->chamadas.empty());
    QCOMPARE(Estados(*w), QStringLiteral("11111"));
    QCOMPARE(w->Barra->MaxValue(), 100);
  }

  void EscolheArquivos() {
    CriaBancos();
    AbreOrigem(origem);
    AbreDestino(destino);
    QCOMPARE(dialogo->chamadas.size(), size_t{2});
    QCOMPARE(dialogo->chamadas[0].first, QCoreApplication::applicationDirPath());
    QCOMPARE(dialogo->chamadas[0].second, QStringLiteral("*.FDB"));
    QCOMPARE(dialogo->chamadas[1].first, QCoreApplication::applicationDirPath());
    QCOMPARE(dialogo->chamadas[1].second, QStringLiteral("*.FB"));
    QCOMPARE(w->edtCaminhoBDOrigem->text(), Caminho(origem));
    QCOMPARE(w->edtCaminhoBDDestino->text(), Caminho(destino));
    QCOMPARE(QString::fromStdU16String(w->ibdOrigem.DatabaseName()), Caminho(origem));
    QVERIFY(w->ibdOrigem.Connected());
    QVERIFY(w->ibdVestrel.Connected());
    QVERIFY(w->ibtTransacaoOrigem.Active());
    QVERIFY(w->ibtTransacaoVestrel.Active());
    QVERIFY(caixas->caixas.empty());
  }

  // A second pick rolls the side's transaction back before it disconnects.
  void NovaEscolhaDesfazTransacao() {
    CriaBancos();
    AbreDestino(destino);
    ExecutaNaConexao(w->ibdVestrel, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00100', 'NOVA')");
    AbreDestino(destino);
    QVERIFY(w->ibtTransacaoVestrel.Active());
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  }

  void EscolhaCanceladaDeixaLadoFechado() {
    CriaBancos();
    AbreDestino(destino);
    dialogo->respostas.push_back(QString());
    Clica(w->btnAbrirVestrel);
    QCOMPARE(w->edtCaminhoBDDestino->text(), Caminho(destino));
    QVERIFY(!w->ibdVestrel.Connected());
    QVERIFY(!w->ibtTransacaoVestrel.Active());
    Clica(w->btnConverter);
    QCOMPARE(caixas->caixas.size(), size_t{1});
    QCOMPARE(caixas->caixas[0].texto, kSemConexao);
    QCOMPARE(caixas->caixas[0].icone, QMessageBox::Warning);
  }

  // A Firebird 2.5 file picked as the source is named with what to do, before
  // any engine sees it; the side stays closed and "Converter" stops at it.
  void OrigemDeOutraVersaoDizOQueFazer() {
    CriaBancos();
    AbreDestino(destino);
    const fs::path antigo = pasta->Caminho() / "FB25.FDB";
    std::string pagina(2048, '\0');
    pagina[0] = 1;
    pagina[17] = 0x10;
    pagina[18] = 11;
    pagina[19] = static_cast<char>(0x80);
    pagina[62] = 2;
    std::ofstream(antigo, std::ios::binary) << pagina;
    AbreOrigem(antigo);
    QCOMPARE(caixas->caixas.size(), size_t{1});
    QVERIFY2(caixas->caixas[0].texto.startsWith(QStringLiteral("O banco de dados de origem (") + Caminho(antigo) +
                                                QStringLiteral(") foi gravado pelo Firebird 2.5 (ODS 11.2)")),
             qPrintable(caixas->caixas[0].texto));
    QVERIFY(caixas->caixas[0].texto.contains(QStringLiteral("servidor/porta:caminho")));
    QCOMPARE(caixas->caixas[0].icone, QMessageBox::Warning);
    QVERIFY(!w->ibdOrigem.Connected());
    w->chkCidades->setChecked(true);
    Clica(w->btnConverter);
    QCOMPARE(caixas->caixas.size(), size_t{2});
    QCOMPARE(caixas->caixas[1].texto, kSemConexao);
    w->ibtTransacaoVestrel.Rollback();
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  }

  // Without a source picked the run does not start: the ticked destination
  // table keeps its rows.
  void SoDestinoEscolhidoAvisaDaOrigem() {
    CriaBancos();
    AbreDestino(destino);
    w->chkCidades->setChecked(true);
    w->chkCLientes->setChecked(true);
    QStringList legendas;
    w->lblInfo->AoMudar = [&] { legendas << w->lblInfo->text(); };
    Clica(w->btnConverter);
    QCOMPARE(caixas->caixas.size(), size_t{1});
    QCOMPARE(caixas->caixas[0].texto, kOrigemVazia);
    QCOMPARE(caixas->caixas[0].titulo, QStringLiteral("Warning"));
    QVERIFY(legendas.isEmpty());
    QCOMPARE(Estados(*w), QStringLiteral("11111"));
    QVERIFY(w->ibtTransacaoVestrel.Active());
    w->ibtTransacaoVestrel.Rollback();
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  }

  // A source that could not be connected stops at the connection warning.
  void OrigemSemConexaoAvisa() {
    CriaBancos();
    const fs::path lixo = pasta->Caminho() / "LIXO.FDB";
    std::ofstream(lixo) << "not a database";
    AbreDestino(destino);
    AbreOrigem(lixo);
    // The header page tells before any engine sees the file.
    QCOMPARE(caixas->caixas.size(), size_t{1});
    QCOMPARE(caixas->caixas[0].icone, QMessageBox::Warning);
    QCOMPARE(caixas->caixas[0].texto, QStringLiteral("O banco de dados de origem (") + Caminho(lixo) +
                                          QStringLiteral(") não é um banco de dados Firebird: o arquivo está vazio, "
                                                         "truncado ou é de outro tipo."));
    QCOMPARE(w->edtCaminhoBDOrigem->text(), Caminho(lixo));
    QVERIFY(!w->ibdOrigem.Connected());
    QVERIFY(!w->ibtTransacaoOrigem.Active());
    w->chkCidades->setChecked(true);
    Clica(w->btnConverter);
    QCOMPARE(caixas->caixas.size(), size_t{2});
    QCOMPARE(caixas->caixas[1].texto, kSemConexao);
    w->ibtTransacaoVestrel.Rollback();
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  }

  void ParametrosDaExecucao() {
    w->chkCidades->setChecked(true);
    w->chkFornecedores->setChecked(true);
    comum::TStringList MParams;
    w->pIniciaListaParametros(MParams);
    w->pCarregaParametros(MParams);
    const std::vector<std::u16string> esperado{
        u"CIDADES",           u"CLIENTES",  u"FORNECEDORES",  u"CAMINHO BD DESTINO",
        u"CAMINHO BD ORIGEM", u"CIDADES=S", u"FORNECEDORES=S"};
    QVERIFY(MParams.Linhas() == esperado);
  }

  void DesabilitaEHabilitaEmOrdem() {
    QStringList ordem;
    for (QWidget* c : {static_cast<QWidget*>(w->btnAbrirOrigem), static_cast<QWidget*>(w->btnAbrirVestrel),
                       static_cast<QWidget*>(w->btnConverter), static_cast<QWidget*>(w->btnSair),
                       static_cast<QWidget*>(w->gbxTabelasConverter)}) {
      c->installEventFilter(this);
    }
    ordemMudancas_ = &ordem;
    w->DesabilitaBotoes();
    QVERIFY(!w->chkCidades->isEnabled());
    w->HabilitaBotoes();
    ordemMudancas_ = nullptr;
    QVERIFY(w->chkCidades->isEnabled());
    const QStringList nomes{"btnAbrirOrigem", "btnAbrirVestrel", "btnConverter", "btnSair", "gbxTabelasConverter"};
    QCOMPARE(ordem, nomes + nomes);
  }

  // Every table through the window: dialogs and boxes answered here.
  void ConversaoCompleta() {
    CriaBancos();
    apoio::Executa(origem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'UBERLANDIA')");
    apoio::Executa(origem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('2', 'ARAGUARI')");
    apoio::Executa(origem,
                   u"INSERT INTO RECDB004 (CODIGO, PESSOA, RAZAO_SOCIAL, CPF, FONE, UF, CIDADE) VALUES "
                   u"('1', 'F', 'JOAO DA SILVA', '123.456.789-01', '(34) 3232-1010', 'MG', 'UBERLANDIA')");
    apoio::Executa(origem,
                   u"INSERT INTO RECDB004 (CODIGO, PESSOA, RAZAO_SOCIAL, CGC, UF, CIDADE) VALUES "
                   u"('2', 'J', 'ACME LTDA', '12.345.678/0001-90', 'MG', 'ARAGUARI')");
    apoio::Executa(origem,
                   u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL, CGC, UF, CIDADE) VALUES "
                   u"('7', 'FORNECEDOR DE PAPEL', '98.765.432/0001-10', 'MG', 'ARAGUARI')");
    AbreOrigem(origem);
    AbreDestino(destino);
    w->chkCidades->setChecked(true);
    w->chkCLientes->setChecked(true);
    w->chkFornecedores->setChecked(true);

    QStringList legendas;
    QStringList estadosDuranteExecucao;
    QStringList barras;
    w->lblInfo->AoMudar = [&] {
      legendas << w->lblInfo->text();
      estadosDuranteExecucao << Estados(*w);
      barras << w->Barra->Texto();
    };
    QString estadosNaCaixa;
    caixas->aoExibir = [&](const janela::Caixa&) { estadosNaCaixa = Estados(*w); };
    Clica(w->btnConverter);

    QCOMPARE(caixas->caixas.size(), size_t{1});
    QCOMPARE(caixas->caixas[0].texto, QStringLiteral("Conversão concluída com sucesso!"));
    QCOMPARE(caixas->caixas[0].titulo, QStringLiteral("Information"));
    QCOMPARE(caixas->caixas[0].icone, QMessageBox::Information);
    QCOMPARE(estadosNaCaixa, QStringLiteral("00000"));
    // The details: a line per table, then the report's file beside the
    // destination, which holds the whole report.
    const QString detalhes = caixas->caixas[0].detalhes;
    QVERIFY2(detalhes.contains(QStringLiteral("Clientes (RECDB004): 2 lidas, 2 gravadas em CLIENTE, 2 em COMPCLIE, "
                                              "0 ignoradas;")),
             qPrintable(detalhes));
    const qsizetype onde = detalhes.indexOf(QStringLiteral("Relatório completo: "));
    QVERIFY2(onde >= 0, qPrintable(detalhes));
    const QString arquivo = detalhes.mid(onde + 20).trimmed();
    QVERIFY2(arquivo.startsWith(QString::fromStdString(destino.string()) + QLatin1Char('.')), qPrintable(arquivo));
    QVERIFY2(arquivo.endsWith(QStringLiteral(".relatorio.txt")), qPrintable(arquivo));
    QFile relatorio(arquivo);
    QVERIFY(relatorio.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(relatorio.readAll()).contains(QStringLiteral("Fornecedores (PAGDB003): 1 lidas")));
    for (const QString& e : estadosDuranteExecucao) QCOMPARE(e, QStringLiteral("00000"));
    // The label shows each caption as it is set; the bar follows the rows.
    QCOMPARE(legendas.mid(0, 3), (QStringList{QStringLiteral("Convertendo Cidades - Registro 1 de 2"),
                                              QStringLiteral("Convertendo Cidades - Registro 2 de 2"), QString()}));
    QCOMPARE(barras.mid(0, 2), (QStringList{QStringLiteral("0%"), QStringLiteral("50%")}));
    QVERIFY(legendas.contains(QStringLiteral("Convertendo Cidades - Registro 1 de 2")));
    QVERIFY(legendas.contains(QStringLiteral("Convertendo Cidades - Registro 2 de 2")));
    QVERIFY(legendas.contains(QStringLiteral("Convertendo Clientes - Registro 2 de 2")));
    QVERIFY(legendas.contains(QStringLiteral("Convertendo Fornecedores - Registro 1 de 1")));
    QVERIFY(legendas.indexOf(QStringLiteral("Convertendo Cidades - Registro 2 de 2")) <
            legendas.indexOf(QStringLiteral("Convertendo Clientes - Registro 1 de 2")));
    QVERIFY(legendas.indexOf(QStringLiteral("Convertendo Clientes - Registro 2 de 2")) <
            legendas.indexOf(QStringLiteral("Convertendo Fornecedores - Registro 1 de 1")));

    QCOMPARE(Estados(*w), QStringLiteral("11111"));
    QVERIFY(w->chkCidades->isEnabled());
    QVERIFY(!w->Convertendo());
    QCOMPARE(w->lblInfo->text(), QString());
    QCOMPARE(w->Barra->Progress(), 0);
    QVERIFY(!w->ibtTransacaoVestrel.Active());
    QVERIFY(w->isVisible());

    auto cidades = apoio::Consulta(destino, u"SELECT CODCIDADE, CIDADE FROM CIDADES ORDER BY 1");
    QCOMPARE(cidades.size(), size_t{2});
    QVERIFY(cidades[0] == (std::vector<std::u16string>{u"00001", u"UBERLANDIA"}));
    QVERIFY(cidades[1] == (std::vector<std::u16string>{u"00002", u"ARAGUARI"}));
    QCOMPARE(apoio::ContaLinhas(destino, u"CLIENTE"), 2);
    QCOMPARE(apoio::ContaLinhas(destino, u"COMPCLIE"), 2);
    QCOMPARE(apoio::ContaLinhas(destino, u"FORNECE"), 1);
  }

  void ConversaoComFalha() {
    CriaBancos();
    // A database without the legacy tables picked as the source.
    const fs::path errado = pasta->Caminho() / "OUTRO.FDB";
    apoio::CriaBanco(errado, 3);
    AbreOrigem(errado);
    AbreDestino(destino);
    w->chkCidades->setChecked(true);
    Clica(w->btnConverter);

    QCOMPARE(caixas->caixas.size(), size_t{1});
    const janela::Caixa& c = caixas->caixas[0];
    QCOMPARE(c.titulo, QStringLiteral("Error"));
    QCOMPARE(c.icone, QMessageBox::Critical);
    QVERIFY2(c.texto.startsWith(QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ")), qPrintable(c.texto));
    QVERIFY2(c.texto.contains(QStringLiteral("RECDB001")), qPrintable(c.texto));
    QCOMPARE(w->Barra->Progress(), 0);
    QCOMPARE(w->Barra->MaxValue(), 0);
    QCOMPARE(w->Barra->Texto(), QStringLiteral("0%"));
    QCOMPARE(Estados(*w), QStringLiteral("11111"));
    QVERIFY(!w->Convertendo());
    QVERIFY(!w->ibtTransacaoVestrel.Active());
    // The source was found unreadable before anything was emptied.
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  }

  // A close request while the run works is carried out once it has finished.
  void FecharDuranteAExecucao() {
    CriaBancos();
    apoio::Executa(origem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'UBERLANDIA')");
    apoio::Executa(origem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('2', 'ARAGUARI')");
    AbreOrigem(origem);
    AbreDestino(destino);
    w->chkCidades->setChecked(true);
    QWindow* janelaDoSistema = w->windowHandle();
    QVERIFY(janelaDoSistema);
    bool pedido = false;
    bool visivelDepoisDoPedido = false;
    w->lblInfo->AoMudar = [&] {
      if (w->lblInfo->Caption().empty()) return;
      if (!pedido) {
        // As the title-bar button asks: delivered by the event processing of the run.
        QCoreApplication::postEvent(janelaDoSistema, new QCloseEvent);
        pedido = true;
      } else {
        visivelDepoisDoPedido = w->isVisible();
      }
    };
    Clica(w->btnConverter);
    QVERIFY(pedido);
    QVERIFY(visivelDepoisDoPedido);
    QCOMPARE(caixas->caixas.size(), size_t{1});
    QCOMPARE(caixas->caixas[0].texto, QStringLiteral("Conversão concluída com sucesso!"));
    QVERIFY(!w->isVisible());
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 2);
  }

  void SairDesfazTransacaoDoDestino() {
    CriaBancos();
    AbreDestino(destino);
    ExecutaNaConexao(w->ibdVestrel, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00100', 'NOVA')");
    Clica(w->btnSair);
    QVERIFY(!w->isVisible());
    QVERIFY(!w->ibtTransacaoVestrel.Active());
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  }

  // The program's end closes both sides; what is still active is committed.
  void FimConfirmaTransacoesAtivas() {
    CriaBancos();
    AbreOrigem(origem);
    AbreDestino(destino);
    ExecutaNaConexao(w->ibdOrigem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('5', 'CINCO')");
    ExecutaNaConexao(w->ibdVestrel, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00100', 'NOVA')");
    w->close();
    w.reset();
    QCOMPARE(FPrincipal, nullptr);
    QCOMPARE(apoio::ContaLinhas(origem, u"RECDB001"), 1);
    QCOMPARE(apoio::ContaLinhas(destino, u"CIDADES"), 2);
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (ordemMudancas_ && evento->type() == QEvent::EnabledChange) *ordemMudancas_ << objeto->objectName();
    return false;
  }

 private:
  QStringList* ordemMudancas_ = nullptr;
};

}  // namespace

int apoio_janela::RodaTestesJanela(int argc, char** argv) {
  TesteJanela t;
  return QTest::qExec(&t, argc, argv);
}

#include "JanelaTest.moc"
