#include "aplicacao/janela/Aplicacao.h"

#include <cxxabi.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <cstdlib>
#include <typeinfo>

#include "aplicacao/janela/Fontes.h"
#include "aplicacao/janela/Mensagens.h"
#include "aplicacao/janela/TelaPrincipal.h"
#include "comum/Erro.h"
#include "comum/Versao.h"

// The themes live in a static library: the resource is registered by hand so
// that the linker keeps it.
static void IniciaRecursosDaJanela() { Q_INIT_RESOURCE(janela); }

namespace janela {

namespace {

const QString kPastaTemas = QStringLiteral(":/temas");

QString& temaAtivo() {
  static QString t;
  return t;
}

// Tahoma is the window's font, looked up through fontconfig. Debian ships it
// with Wine's fonts, outside the fontconfig path: Wine's file is the fallback.
// Only the regular face: Wine's bold face draws as a wide regular one at the
// window's sizes, while the bold made from the regular face reads as bold.
void CarregaFontes() {
  QString arquivo = QFile::decodeName(ArquivoDaFonteRegular("Tahoma").c_str());
  if (arquivo.isEmpty()) arquivo = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
  if (QFileInfo::exists(arquivo)) QFontDatabase::addApplicationFont(arquivo);
}

QString NomeDoTipo(const std::exception& erro) {
  const char* bruto = typeid(erro).name();
  int estado = 0;
  std::unique_ptr<char, void (*)(void*)> nome(abi::__cxa_demangle(bruto, nullptr, nullptr, &estado), std::free);
  return QString::fromUtf8(estado == 0 && nome ? nome.get() : bruto);
}

void MostraErroDeAplicacao(const QString& texto) {
  ExibeCaixa({QMessageBox::Critical, QStringLiteral("Application Error"), texto, QMessageBox::Ok, LinhaDaVersao()});
}

}  // namespace

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {
  titulo_ = TituloDaAplicacao(QCoreApplication::applicationFilePath());
  QCoreApplication::setApplicationVersion(QString::fromLatin1(comum::kVersao));
  // The desktop entry installed with the program: its name and icon on Wayland.
  QGuiApplication::setDesktopFileName(QStringLiteral("conversor-zorvan-grafica"));
  // qt_pt_BR brings qtbase_pt_BR with it (Debian's qt6-translations-l10n).
  // Without it Qt's texts stay in English and the program runs the same.
  qtEmPortugues_ = traducaoQt_.load(QStringLiteral("qt_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                   QCoreApplication::installTranslator(&traducaoQt_);
  CarregaFontes();
}

bool TAplicacao::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const std::exception& e) {
    ReportaErro(e);
  } catch (...) {
    ReportaErroDesconhecido();
  }
  return false;
}

QString TituloDaAplicacao(const QString& caminhoExecutavel) {
  QString nome = QFileInfo(caminhoExecutavel).fileName();
  const qsizetype ponto = nome.indexOf(QLatin1Char('.'));
  if (ponto >= 0) nome.truncate(ponto);
  if (nome.size() > 1) nome = nome.left(1) + nome.mid(1).toLower();
  return nome;
}

QString TituloAplicacao() {
  if (auto* aplicacao = dynamic_cast<TAplicacao*>(QCoreApplication::instance())) return aplicacao->Titulo();
  return TituloDaAplicacao(QCoreApplication::applicationFilePath());
}

QString ComPontoFinal(const QString& mensagem) {
  if (!mensagem.isEmpty() && mensagem.back() > QLatin1Char('.')) return mensagem + QLatin1Char('.');
  return mensagem;
}

QString LinhaDaVersao() { return QStringLiteral("Versão %1").arg(QString::fromLatin1(comum::kVersao)); }

void ReportaErro(const QString& mensagem) {
  ExibeCaixa({QMessageBox::Critical, TituloAplicacao(), ComPontoFinal(mensagem), QMessageBox::Ok, LinhaDaVersao()});
}

void ReportaErro(const std::exception& erro) { ReportaErro(QString::fromStdU16String(comum::MensagemDe(erro))); }

void ReportaErroDesconhecido() { ReportaErro(QStringLiteral("Unknown exception")); }

QStringList TemasDisponiveis() {
  IniciaRecursosDaJanela();
  QStringList nomes;
  const QFileInfoList arquivos = QDir(kPastaTemas).entryInfoList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name);
  for (const QFileInfo& arquivo : arquivos) nomes << arquivo.completeBaseName();
  return nomes;
}

bool SelecionaTema(const QString& nome) {
  for (const QString& tema : TemasDisponiveis()) {
    if (tema.compare(nome, Qt::CaseInsensitive) != 0) continue;
    QFile arquivo(kPastaTemas + QLatin1Char('/') + tema + QStringLiteral(".qss"));
    if (!arquivo.open(QIODevice::ReadOnly)) break;
    // The sheet is drawn on Fusion, the same base on every desktop.
    if (QStyle* base = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(base);
    qApp->setStyleSheet(QString::fromUtf8(arquivo.readAll()));
    temaAtivo() = tema;
    return true;
  }
  ExibeCaixa({QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Style '%1' not found").arg(nome),
              QMessageBox::Close});
  return false;
}

QString TemaAtivo() { return temaAtivo(); }

void RemoveTema() {
  qApp->setStyleSheet(QString());
  temaAtivo().clear();
}

QString TextoDeErroDeAplicacao(const std::exception& erro) {
  const QString mensagem = QString::fromStdU16String(comum::MensagemDe(erro));
  return QStringLiteral("Exception %1 in module %2.\r%3")
      .arg(NomeDoTipo(erro), QFileInfo(QCoreApplication::applicationFilePath()).fileName(), ComPontoFinal(mensagem));
}

std::unique_ptr<TFPrincipal> IniciaPrograma(const QString& tema) {
  try {
    SelecionaTema(tema);
    // A Qt top-level window has its own taskbar button: the main window owns
    // the program's one without more ado.
    return std::make_unique<TFPrincipal>();
  } catch (const std::exception& e) {
    MostraErroDeAplicacao(TextoDeErroDeAplicacao(e));
  } catch (...) {
    MostraErroDeAplicacao(QStringLiteral("Unknown exception"));
  }
  return nullptr;
}

int ExecutaPrograma(const QString& tema) {
  std::unique_ptr<TFPrincipal> principal = IniciaPrograma(tema);
  if (!principal) return 1;
  principal->show();
  const int codigo = QApplication::exec();
  // The orderly end: the window goes with its connections and transactions.
  principal.reset();
  return codigo;
}

}  // namespace janela
