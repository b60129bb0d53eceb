#include "aplicacao/janela/TelaPrincipal.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <cstdio>
#include <string>

#include "aplicacao/janela/Aplicacao.h"
#include "aplicacao/janela/ControlesProgresso.h"
#include "aplicacao/janela/Desenhos.h"
#include "aplicacao/nucleo/Avisos.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "aplicacao/nucleo/RegistroExecucoes.h"
#include "comum/Erro.h"
#include "comum/Texto.h"
#include "conversao/Interrupcao.h"

TFPrincipal* FPrincipal = nullptr;

namespace {

// The designed font: Tahoma with a character height of 11 pixels (8 points at 96 pixels per inch).
QFont FonteDaJanela() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(11);
  return f;
}

QFont Negrito(QFont f) {
  f.setBold(true);
  return f;
}

// A label sizes itself to its text from its designed place.
QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, int x, int y, int largura, int altura) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(QString::fromLatin1(nome));
  l->setTextFormat(Qt::PlainText);
  l->setGeometry(x, y, largura, altura);
  l->adjustSize();
  l->move(x, y);
  return l;
}

QPushButton* Botao(QWidget* pai, const char* nome, const QString& texto, const QIcon& icone, int x, int y) {
  auto* b = new QPushButton(icone, texto, pai);
  b->setObjectName(QString::fromLatin1(nome));
  b->setIconSize(QSize(16, 16));
  b->setGeometry(x, y, 83, 25);
  return b;
}

QLineEdit* CaixaDeCaminho(QWidget* pai, const char* nome, int x, int y) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QString::fromLatin1(nome));
  e->setGeometry(x, y, 516, 21);
  // Shows the path only: the operator picks it with "Abrir".
  e->setEnabled(false);
  return e;
}

QLabel* Figura(QWidget* pai, const char* nome, const QPixmap& desenho, const QRect& area) {
  auto* l = new QLabel(pai);
  l->setObjectName(QString::fromLatin1(nome));
  l->setFont(pai->font());
  l->setGeometry(area);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setPixmap(desenho.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  return l;
}

// A label with a background colour of its own, drawn only under the standard
// look: the theme draws labels without a background.
class RotuloComFundo : public QLabel {
 public:
  RotuloComFundo(const QString& texto, QWidget* pai, const QColor& fundo) : QLabel(texto, pai), fundo_(fundo) {}

 protected:
  void paintEvent(QPaintEvent* evento) override {
    if (janela::TemaAtivo().isEmpty()) QPainter(this).fillRect(rect(), fundo_);
    QLabel::paintEvent(evento);
  }

 private:
  QColor fundo_;
};

// The group box's bold, set on each box: under a style sheet, controls nested
// two levels deep do not inherit their parent's font.
QCheckBox* Marca(QWidget* pai, const char* nome, const QString& texto, int x) {
  auto* c = new QCheckBox(texto, pai);
  c->setObjectName(QString::fromLatin1(nome));
  c->setFont(pai->font());
  c->setGeometry(x, 27, 97, 17);
  return c;
}

}  // namespace

TFPrincipal::TFPrincipal(QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint) {
  DialogoAbrirArquivo = [this](const QString& pastaInicial, const QString& filtro) {
    return QFileDialog::getOpenFileName(this, QString(), pastaInicial, filtro);
  };
  CriaControles();
  ConfiguraBancos();
  interfaceAnterior_ = ui::DefineInterfaceUsuario(&interface_);
  FPrincipal = this;
}

TFPrincipal::~TFPrincipal() {
  if (FPrincipal == this) FPrincipal = nullptr;
  ui::DefineInterfaceUsuario(interfaceAnterior_);
}

void TFPrincipal::CriaControles() {
  setObjectName(QStringLiteral("FPrincipal"));
  setWindowTitle(QStringLiteral("Conversor Zorvan - Gráfica"));
  // The caption stays as designed; the version shows under the pointer.
  setToolTip(janela::LinhaDaVersao());
  setAttribute(Qt::WA_StyledBackground);
  resize(623, 313);
  setFont(FonteDaJanela());
  QPalette fundo = palette();
  fundo.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));
  setPalette(fundo);
  const QFont negrito = Negrito(FonteDaJanela());

  lblInfo = new janela::TRotulo(this);
  lblInfo->setObjectName(QStringLiteral("lblInfo"));
  lblInfo->setFont(negrito);
  lblInfo->setGeometry(8, 248, 3, 13);

  Label3 = Rotulo(this, "Label3", QStringLiteral("Caminho do Banco de Dados do Cliente:"), 3, 79, 220, 13);
  Label3->setFont(negrito);
  Label3->adjustSize();
  Label1 = Rotulo(this, "Label1", QStringLiteral("Caminho do Banco de Dados Vestrel: "), 3, 131, 210, 13);
  Label1->setFont(negrito);
  Label1->adjustSize();

  Barra = new janela::TBarra(this);
  Barra->setObjectName(QStringLiteral("Barra"));
  Barra->setGeometry(5, 265, 611, 15);

  // The header is 10 pixels wider than the window; the window's edge cuts it.
  pnlCabecalho = new QFrame(this);
  pnlCabecalho->setObjectName(QStringLiteral("pnlCabecalho"));
  pnlCabecalho->setGeometry(0, 0, 633, 73);
  pnlCabecalho->setAutoFillBackground(true);
  QPalette branco = pnlCabecalho->palette();
  branco.setColor(QPalette::Window, Qt::white);
  pnlCabecalho->setPalette(branco);

  imgLogo = Figura(pnlCabecalho, "imgLogo", janela::DesenhoLogo(), QRect(1, 10, 137, 64));
  imgComp = Figura(pnlCabecalho, "imgComp", janela::DesenhoComp(), QRect(503, 1, 132, 71));

  // Its own background is red; under the theme the maroon text stands on the white header.
  Label2 = new RotuloComFundo(QStringLiteral("Conversor de Dados - ZORVAN SISTEMAS - GRÁFICA"), pnlCabecalho, Qt::red);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setTextFormat(Qt::PlainText);
  QFont titulo(QStringLiteral("Tahoma"));
  titulo.setPixelSize(15);
  titulo.setBold(true);
  Label2->setFont(titulo);
  QPalette cores = Label2->palette();
  cores.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
  Label2->setPalette(cores);
  Label2->setGeometry(146, 25, 344, 18);
  Label2->adjustSize();
  Label2->move(146, 25);

  edtCaminhoBDOrigem = CaixaDeCaminho(this, "edtCaminhoBDOrigem", 3, 94);
  btnAbrirOrigem = Botao(this, "btnAbrirOrigem", QStringLiteral("Abrir"), janela::IconePasta(), 533, 91);
  btnAbrirVestrel = Botao(this, "btnAbrirVestrel", QStringLiteral("Abrir"), janela::IconePasta(), 534, 142);
  edtCaminhoBDDestino = CaixaDeCaminho(this, "edtCaminhoBDDestino", 3, 145);
  btnConverter = Botao(this, "btnConverter", QStringLiteral("Converter"), janela::IconeConfirma(), 445, 286);
  btnSair = Botao(this, "btnSair", QStringLiteral("Sair"), janela::IconeSaida(), 533, 286);

  gbxTabelasConverter = new QGroupBox(QStringLiteral("Tabelas à converter"), this);
  gbxTabelasConverter->setObjectName(QStringLiteral("gbxTabelasConverter"));
  gbxTabelasConverter->setGeometry(4, 178, 612, 67);
  gbxTabelasConverter->setFont(negrito);
  chkCLientes = Marca(gbxTabelasConverter, "chkCLientes", QStringLiteral("Clientes"), 220);
  chkFornecedores = Marca(gbxTabelasConverter, "chkFornecedores", QStringLiteral("Fornecedores"), 414);
  chkCidades = Marca(gbxTabelasConverter, "chkCidades", QStringLiteral("Cidades"), 24);

  QWidget::setTabOrder(edtCaminhoBDOrigem, btnAbrirOrigem);
  QWidget::setTabOrder(btnAbrirOrigem, btnAbrirVestrel);
  QWidget::setTabOrder(btnAbrirVestrel, edtCaminhoBDDestino);
  QWidget::setTabOrder(edtCaminhoBDDestino, btnConverter);
  QWidget::setTabOrder(btnConverter, btnSair);
  QWidget::setTabOrder(btnSair, chkCLientes);
  // Within the group: "Clientes", "Fornecedores", "Cidades", not left to right.
  QWidget::setTabOrder(chkCLientes, chkFornecedores);
  QWidget::setTabOrder(chkFornecedores, chkCidades);

  connect(btnAbrirOrigem, &QPushButton::clicked, this,
          [this] { janela::Protegido([this] { btnAbrirOrigemClick(); }); });
  connect(btnAbrirVestrel, &QPushButton::clicked, this,
          [this] { janela::Protegido([this] { btnAbrirVestrelClick(); }); });
  connect(btnConverter, &QPushButton::clicked, this, [this] {
    janela::Protegido([this] { btnConverterClick(); });
    FechaSePedido();
  });
  connect(btnSair, &QPushButton::clicked, this, [this] { janela::Protegido([this] { btnSairClick(); }); });
}

void TFPrincipal::ConfiguraBancos() {
  ConfiguraConexao(ibdVestrel, ibtTransacaoVestrel);
  ConfiguraConexao(ibdOrigem, ibtTransacaoOrigem);
}

void TFPrincipal::AbreBanco(TIBDatabase& banco, TIBTransaction& transacao, QLineEdit& edtCaminho, const QString& filtro,
                            verificacao::Lado lado) {
  transacao.SetActive(false);
  banco.SetConnected(false);
  const QString caminho = DialogoAbrirArquivo(QCoreApplication::applicationDirPath(), filtro);
  if (caminho.isEmpty()) return;
  edtCaminho.setText(caminho);
  const std::u16string nome = caminho.toStdU16String();
  // A file no engine here opens gets the message that says what to do; the
  // side stays closed, so "Converter" stops at it.
  const std::u16string problema = verificacao::ProblemaDoArquivo(nome, lado);
  if (!problema.empty()) {
    ui::MostraMensagem(ui::TipoMensagem::Aviso, problema);
    return;
  }
  banco.SetDatabaseName(nome);
  try {
    banco.SetConnected(true);
  } catch (const std::exception& e) {
    throw comum::Erro(u"O " + verificacao::NomeDoLado(lado) + u" (" + nome + u") não pôde ser aberto: " +
                      comum::MensagemDe(e));
  }
  if (banco.TestConnected()) transacao.SetActive(true);
}

void TFPrincipal::btnAbrirOrigemClick() {
  AbreBanco(ibdOrigem, ibtTransacaoOrigem, *edtCaminhoBDOrigem, QStringLiteral("*.FDB"), verificacao::Lado::Origem);
}

void TFPrincipal::btnAbrirVestrelClick() {
  AbreBanco(ibdVestrel, ibtTransacaoVestrel, *edtCaminhoBDDestino, QStringLiteral("*.FB"), verificacao::Lado::Destino);
}

void TFPrincipal::btnConverterClick() {
  if (!VerificaCaminhoBDVazio(*edtCaminhoBDDestino)) return;
  if (!VerificaConexaoBD(ibdVestrel)) return;
  // The source is checked the same way before anything changes: a run that
  // cannot read it would still empty and commit every ticked destination table.
  if (!VerificaCaminhoBDVazio(*edtCaminhoBDOrigem, avisos::CaminhoOrigemVazio)) return;
  if (!VerificaConexaoBD(ibdOrigem)) return;

  DesabilitaBotoes();
  convertendo_ = true;
  try {
    comum::TStringList MParams;
    pIniciaListaParametros(MParams);
    pCarregaParametros(MParams);
    TClassesConversaoController controlador;
    // The whole report goes to a file of its own, named in the final box's
    // details; the run is added to the log of runs.
    std::string arquivoRelatorio;
    controlador.AoTerminar = [&arquivoRelatorio](const relatorio::TRelatorio& r) {
      arquivoRelatorio = registro::GravaRelatorio(r);
      return u"Relatório completo: " + texto::DeUtf8(arquivoRelatorio);
    };
    controlador.FEfetuaConversao(MParams, ibdOrigem, ibtTransacaoOrigem, ibdVestrel, ibtTransacaoVestrel, *Barra,
                                 *lblInfo);
    std::string erro;
    if (!registro::Anota(controlador.Relatorio(), arquivoRelatorio, erro))
      std::fprintf(stderr, "O registro de execuções não pôde ser gravado: %s\n", erro.c_str());
  } catch (...) {
    convertendo_ = false;
    HabilitaBotoes();
    throw;
  }
  convertendo_ = false;
  HabilitaBotoes();
  // The run was stopped by a signal: the program ends once the run is undone.
  if (int sinal = interrupcao::SinalRecebido()) QCoreApplication::exit(interrupcao::StatusDeSaida(sinal));
}

void TFPrincipal::btnSairClick() {
  if (ibtTransacaoVestrel.Active()) ibtTransacaoVestrel.Rollback();
  close();
}

void TFPrincipal::DesabilitaBotoes() {
  btnAbrirOrigem->setEnabled(false);
  btnAbrirVestrel->setEnabled(false);
  btnConverter->setEnabled(false);
  btnSair->setEnabled(false);
  gbxTabelasConverter->setEnabled(false);
}

void TFPrincipal::HabilitaBotoes() {
  btnAbrirOrigem->setEnabled(true);
  btnAbrirVestrel->setEnabled(true);
  btnConverter->setEnabled(true);
  btnSair->setEnabled(true);
  gbxTabelasConverter->setEnabled(true);
}

void TFPrincipal::pIniciaListaParametros(comum::TStringList& MParams) { ::pIniciaListaParametros(MParams); }

void TFPrincipal::pCarregaParametros(comum::TStringList& MParams) {
  ::pCarregaParametros(MParams, chkCidades->isChecked(), chkCLientes->isChecked(), chkFornecedores->isChecked());
}

bool TFPrincipal::VerificaCaminhoBDVazio(const QLineEdit& edtCaminho, const char16_t* aviso) {
  if (!edtCaminho.text().isEmpty()) return true;
  ui::MostraMensagem(ui::TipoMensagem::Aviso, aviso);
  return false;
}

bool TFPrincipal::VerificaConexaoBD(TIBDatabase& banco) {
  if (banco.TestConnected()) return true;
  ui::MostraMensagem(ui::TipoMensagem::Aviso, avisos::SemConexao);
  return false;
}

void TFPrincipal::closeEvent(QCloseEvent* evento) {
  // A run cannot be left half way: the request is carried out when it ends.
  if (convertendo_) {
    fecharAoTerminar_ = true;
    evento->ignore();
    return;
  }
  evento->accept();
}

void TFPrincipal::FechaSePedido() {
  if (!fecharAoTerminar_ || convertendo_) return;
  fecharAoTerminar_ = false;
  close();
}
