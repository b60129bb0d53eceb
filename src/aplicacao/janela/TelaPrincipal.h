#pragma once
// TFPrincipal: the program's only window. The operator picks the source and
// the destination database files (each connected right after it is picked),
// ticks the tables and starts a run with "Converter"; the window owns both
// connections with their transactions and the progress controls the readers
// drive.
#include <QString>
#include <QWidget>
#include <functional>

#include "aplicacao/janela/Mensagens.h"
#include "aplicacao/nucleo/ArquivoLocal.h"
#include "aplicacao/nucleo/Avisos.h"
#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"
#include "comum/InterfaceUsuario.h"
#include "comum/ListaTexto.h"

class QCheckBox;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace janela {
class TBarra;
class TRotulo;
}  // namespace janela

class TFPrincipal : public QWidget {
  Q_OBJECT

 public:
  // Loads the database client library (through the connections' ServerType):
  // a missing library fails here with comum::Erro.
  explicit TFPrincipal(QWidget* pai = nullptr);
  // The connections and transactions go in the order ibdOrigem,
  // ibtTransacaoOrigem, ibtTransacaoVestrel, ibdVestrel: open connections are
  // closed and active transactions end with commit.
  ~TFPrincipal() override;

  // The open-file dialog: initial folder and filter in, the chosen path out,
  // empty when the operator cancels.
  std::function<QString(const QString& pastaInicial, const QString& filtro)> DialogoAbrirArquivo;

  // Members in the window's declared order; C++ destroys the non-visual ones
  // in the reverse order, which is the order of the program's end. The
  // controls belong to the window as their Qt parent.
  TIBDatabase ibdVestrel;
  TIBTransaction ibtTransacaoVestrel;
  QFrame* pnlCabecalho = nullptr;
  QLabel* imgLogo = nullptr;
  QLabel* imgComp = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* edtCaminhoBDOrigem = nullptr;
  QPushButton* btnAbrirOrigem = nullptr;
  TIBTransaction ibtTransacaoOrigem;
  TIBDatabase ibdOrigem;
  janela::TRotulo* lblInfo = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* btnAbrirVestrel = nullptr;
  QLineEdit* edtCaminhoBDDestino = nullptr;
  janela::TBarra* Barra = nullptr;
  QPushButton* btnConverter = nullptr;
  QPushButton* btnSair = nullptr;
  QGroupBox* gbxTabelasConverter = nullptr;
  QCheckBox* chkCLientes = nullptr;
  QCheckBox* chkFornecedores = nullptr;
  QCheckBox* chkCidades = nullptr;

  // The click handlers. Their errors go to the caller; the buttons route
  // them to the default error report.
  void btnAbrirOrigemClick();
  void btnAbrirVestrelClick();
  void btnConverterClick();
  void btnSairClick();

  void DesabilitaBotoes();
  void HabilitaBotoes();
  void pIniciaListaParametros(comum::TStringList& MParams);
  void pCarregaParametros(comum::TStringList& MParams);
  // true when the path box holds a path; otherwise warns and gives false.
  // The destination's warning by default; the source has its own.
  bool VerificaCaminhoBDVazio(const QLineEdit& edtCaminho, const char16_t* aviso = avisos::CaminhoDestinoVazio);
  // true when the connection answers; otherwise warns and gives false.
  bool VerificaConexaoBD(TIBDatabase& banco);

  // A run is going on (the controls are disabled).
  bool Convertendo() const { return convertendo_; }

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void CriaControles();
  void ConfiguraBancos();
  void AbreBanco(TIBDatabase& banco, TIBTransaction& transacao, QLineEdit& edtCaminho, const QString& filtro,
                 verificacao::Lado lado);
  void FechaSePedido();

  janela::TInterfaceQt interface_;
  ui::IInterfaceUsuario* interfaceAnterior_ = nullptr;
  bool convertendo_ = false;
  bool fecharAoTerminar_ = false;
};

// The one instance of the window while it exists.
extern TFPrincipal* FPrincipal;
