#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

class DataGrid;
class EnterChain;
class FieldBinder;
class Navigator;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WorkingCopy;

// Product photos: one JPEG per product, imagens/<code>.jpg in the installation folder.
namespace ProductPhoto {

// The photo file of a code; empty when the code cannot name a file inside
// imagens/ (empty, holding "/" or "\", or starting with "."): such a product
// simply has no photo.
QString path(const QString &code);
// The size a W x H picture is stored at.
QSize storedSize(const QSize &picture);
// Reads the chosen picture, scales it and writes it as the code's photo. The
// old photo is replaced only once the new one is completely written. Raises
// AppError when the picture cannot be read or the photo cannot be written.
QImage store(const QString &source, const QString &code);

} // namespace ProductPhoto

// The product registry.
//
// Object names:
//   Panel1             title band "Cadastro de Produtos"
//   Edit1              Codigo (free edit, not bound to the copy)
//   DBEdit1            Referencia        REFERENCIA
//   DBLookupComboBox1  Grupo/Familia     CLASSE (shows Tipos.NOME)
//   DBEdit2            Produto           NOME
//   DBEdit3            Descrição         EXTENDIDA
//   DBEdit4            Obs               MEMO
//   DBEdit5            Cor               COR
//   DBEdit6            NCM               NCM
//   DBEdit7            Unidade           UNIDADE
//   DBEdit8            Est.Min           MINIMO
//   DBLookupComboBox2  Fornecedor        FORNECEDOR (shows Fornecedor.NOME)
//   DBEdit9            Est.Max           MAXIMO
//   DBEdit10           ICMS I/Fiscal     IMPFISCAL
//   DBEdit11           Localização       LOCACAO
//   DBEdit12           Serie             COR (a second box of the same column)
//   DBEdit13           Aliq IPI %        IPI
//   DBEdit14           Marca             GARANTIA
//   DBEdit15           Validade Produto  VALIDADE
//   DBEdit16           Num/Tamanho       NUMERO
//   DBEdit17           Custo             CUSTO
//   DBEdit18           Venda             VALOR
//   DBEdit19           (hidden)          TIPO
//   Label1 / Label2    "Prod Cadastrado.:" / the product count
//   Label3 / Label4    "Estoque ->" / the stock balance
//   Label5 / Label6    "Custo Medio" / MEDIO
//   Label7 / Label8    "Margem" / the margin over cost
//   Panel2, Image1     the sky-blue photo panel and the photo
//   DBGrid1, DBNavigator1
//   BitBtn1 "Novo numeração / &Automatico"   BitBtn2 "&Novo"
//   BitBtn3 "Copiar/Clonar Reg"              BitBtn4 "&Loc p/Nome"
//   BitBtn5 "&Excluir"                       BitBtn6 "&Retornar"
//   BitBtn7 "Cadastro/Altera &Foto"          BitBtn8 "&Confirme/Atualizar"
class TFormProd : public QDialog
{
    Q_OBJECT
public:
    explicit TFormProd(QWidget *parent = nullptr);
    ~TFormProd() override;

    WorkingCopy *copy() const { return m_copy; }
    // Set while the product just inserted by this window awaits its first confirmation.
    bool justCreated() const { return m_justCreated; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    void FormCreate();
    void FormShow();
    void Edit1Enter();
    void Edit1Exit();
    void BitBtn1Click(); // automatic numbering
    void BitBtn2Click(); // new
    void BitBtn3Click(); // copy / clone
    void BitBtn4Click(); // search by name
    void BitBtn5Click(); // delete
    void BitBtn6Click(); // return
    void BitBtn7Click(); // photo
    void BitBtn8Click(); // confirm
    void DBGrid1CellClick();
    void DBNavigator1Click();

private:
    void buildWindow();
    void readColumnLengths();
    int columnLength(const QString &column, int fallback) const;
    void fillLists();
    void showLists();
    void loadCopy();
    void rereadCopy();
    QString currentCode() const;
    void normalizeCode();
    void showCurrent();
    void showAverageCost();
    void showMargin();
    void showBalance();
    void showCount(const QString &sql, const QString &field);
    void loadPhoto();
    void createProduct(const QString &code);
    void openInitialStock();
    void postEdits();

    WorkingCopy *m_copy = nullptr;
    FieldBinder *m_binder = nullptr;
    EnterChain *m_enter = nullptr;
    QHash<QString, int> m_lengths;

    QLineEdit *m_code = nullptr;
    QComboBox *m_families = nullptr;
    QComboBox *m_suppliers = nullptr;
    QLineEdit *m_referencia = nullptr;
    QLineEdit *m_obs = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_balance = nullptr;
    QLabel *m_average = nullptr;
    QLabel *m_margin = nullptr;
    QLabel *m_photo = nullptr;
    DataGrid *m_grid = nullptr;
    Navigator *m_navigator = nullptr;
    QPushButton *m_clone = nullptr;

    bool m_justCreated = false;
    bool m_shown = false;
    bool m_inExit = false;
};
