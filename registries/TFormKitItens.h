#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class EnterChain;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

// "Composição Pratos/Drinks": the items of one kit. Each change is written at
// once; the kit's cost (the sum of each item's product CUSTO × QUANT) is
// worked out again after every change.
//
// Components:
//   Panel1       title band "Composição / Produtos"
//   Edit1        Codigo  the kit's code  (read-only, from the kit window)
//   Edit2        Nome    the kit's name  (read-only)
//   Edit3        Venda   the kit's value (read-only)
//   Edit4        Cod Produto      (shown only while an item is being added)
//   SpeedButton1 the product search beside it
//   Edit5        Nome do Produto  (display only)
//   Edit6        Quantidade       (shown only while an item is being added)
//   DBGrid1      the items: Cod Produto, Nome, QUANT ("0"), VALOR (product's cost, "0.00")
//   Edit7        Custo   the kit's cost ("0.00")
//   BitBtn1 "Novo Prod"  BitBtn2 "Confirma"  BitBtn3 "Excluir"
class TFormKitItens : public QDialog
{
    Q_OBJECT
public:
    explicit TFormKitItens(QWidget *parent = nullptr);

    // The kit window's "Codigo", "Nome" and "Valor", before the window shows.
    void setKit(const QString &code, const QString &name, const QString &value);

    struct Item
    {
        int id = 0;
        QString codprod;
        QString nome;
        double quant = 0;
        double custo = 0; // the product's CUSTO now; 0 when it no longer exists
    };
    const QList<Item> &items() const { return m_items; }
    double cost() const { return m_cost; }

    void FormShow();
    void BitBtn1Click();      // Novo Prod
    void BitBtn2Click();      // Confirma: adds the item
    void BitBtn3Click();      // Excluir: removes the current item
    void SpeedButton1Click(); // product search
    void Edit4Enter();
    void Edit4Exit();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void clearEntry();
    void showEntry(bool on);
    // The kit's row, by its code on "KitMaster"; false when there is none.
    bool kitExists();
    // The product by code on "produtos"; its name, or false when there is none.
    bool findProduct(const QString &code, QString *name);
    void readItems();
    void showCost();

    QString m_kitCode;
    QList<Item> m_items;
    double m_cost = 0;

    QLineEdit *m_codigo = nullptr;
    QLineEdit *m_nome = nullptr;
    QLineEdit *m_venda = nullptr;
    QLineEdit *m_codProd = nullptr;
    QToolButton *m_search = nullptr;
    QLineEdit *m_nomeProd = nullptr;
    QLineEdit *m_quant = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_custo = nullptr;
    QPushButton *m_novo = nullptr;
    QPushButton *m_confirma = nullptr;
    QPushButton *m_excluir = nullptr;
    EnterChain *m_enter = nullptr;

    bool m_quiet = false; // focus moves of our own, not the operator's
    bool m_inExit = false;
};
