#pragma once

#include <QDialog>
#include <QString>

class EnterChain;
class FieldBinder;
class QAction;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTableView;
class WorkingCopy;

// ".: Composição de Custo :.": the kits (compositions) and their sale values.
// A kit's items are edited in TFormKitItens.
//
// Kit codes are kept as typed (trimmed, upper case, never zero-padded): the
// movement window finds a kit by "/" followed by exactly this code.
//
// Components:
//   Panel1   title band "Composição de Produtos"
//   MainMenu1 the menu bar:
//     "&1-Manutenção": "&A-Visualizar Arquivos" (AVisualizar1), "&Z-Sair do Kits" (ZSair1)
//     "&2-Relatórios": "&A-Relatorios dos Kits" (ARelatorios1), "&B-Imprimir Composição" (BImprimir1)
//     "&3-Ajuda":      "&A-Como utilizar os Kits" (AComoUtilizar1)
//     "&4-Sair":       "&Z-Sair do Kits" (ZSair2)
//   DBEdit1  Codigo (the current kit's code, not editable)
//   Edit1    the new-code field laid over Codigo while "Novo Kit" is in progress
//   DBEdit2  Nome   NOME  (upper case, 30)
//   DBEdit3  Valor  VALOT ("0.00")
//   DBGrid1  the kits: CODIGO, NOME, VALOR (name and value editable)
//   BitBtn1 "Novo Kit"  BitBtn2 "Excluir"  BitBtn3 "Confirma"
//   BitBtn4 "Incluir/Alterar Composição"
class TFormKit : public QDialog
{
    Q_OBJECT
public:
    explicit TFormKit(QWidget *parent = nullptr);

    WorkingCopy *copy() const { return m_copy; }
    // The statement the copy is read with (all kits, or the kit just created).
    QString copyStatement() const { return m_copySql; }

    void done(int result) override;

    void FormCreate();
    void BitBtn1Click(); // Novo Kit
    void Edit1Exit();    // leaving the new-code field
    void BitBtn2Click(); // Excluir
    void BitBtn3Click(); // Confirma
    void BitBtn4Click(); // the composition editor (also a double click in the grid)
    void AVisualizarClick();
    void ARelatoriosClick();
    void BImprimirClick();
    void AComoUtilizarClick();
    void ZSairClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void openCopy(const QString &sql);
    void rereadCopy();
    QString currentCode() const;

    WorkingCopy *m_copy = nullptr;
    FieldBinder *m_binder = nullptr;
    QString m_copySql;

    QMenuBar *m_menu = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_newCode = nullptr;
    QLineEdit *m_nome = nullptr;
    QLineEdit *m_valor = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_novo = nullptr;
    QPushButton *m_excluir = nullptr;
    QPushButton *m_confirma = nullptr;
    QPushButton *m_composicao = nullptr;
    EnterChain *m_enter = nullptr;

    bool m_newCodeOpen = false; // "Novo Kit" in progress
    bool m_inExit = false;
    bool m_closed = false;
};
