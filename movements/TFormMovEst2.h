#pragma once

#include "movements/MovementConfirm.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>

class EnterChain;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The stock movement window: one product (or one "/" kit) entering or leaving
// stock per "Confirme".
//
// Object names:
//   Edit1 Produto (SpeedButton1 product search)   Label2 name or "[KIT] " + kit name
//   Edit8 Lote (hidden)      MaskEdit1 Data        Edit2 Historico
//   MaskEdit2 Cod Movimento (Label11 beside it)    Edit3 Quantidade   Edit4 Custo
//   Label13 Estoque Atual    Label20 Estoque Lote (hidden)   Label5 Localização
//   Edit6 Fornecedor (SpeedButton2, Label23)       Edit7 Centro de Custo (ComboBox1, Label16)
//   Edit5 Cliente (SpeedButton3, Label15)
//   BitBtn1 "Confirme"   BitBtn3 "Nao Confirmar"   BitBtn2 "Retornar"
//   BitBtn4 "Entrada Varios Itens"                 BitBtn5 "Saida Varios Itens"
class TFormMovEst2 : public QDialog
{
    Q_OBJECT
public:
    explicit TFormMovEst2(QWidget *parent = nullptr);
    ~TFormMovEst2() override;

    void done(int result) override;

    // The fields as the confirmation reads them, and back.
    MovementFields fields() const;
    void setFields(const MovementFields &fields);

protected:
    void FormShow();
    void Edit1Enter();
    void Edit1Exit();
    void Edit8Exit();
    void MaskEdit2Exit();
    void ComboBox1Enter();
    void ComboBox1Exit();
    void Edit7Exit();
    void Edit6Enter();
    void Edit6Exit();
    void Edit5Enter();
    void Edit5Exit();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void BitBtn1Click(); // Confirme
    void BitBtn2Click(); // Retornar
    void BitBtn3Click(); // Nao Confirmar
    void BitBtn4Click(); // Entrada Varios Itens
    void BitBtn5Click(); // Saida Varios Itens

private:
    void buildWindow();
    void linkEnterChain();
    void fillCostCentres();
    // Entering and leaving a field: run only for focus moves between this
    // window's own fields, never when a message box or another window takes
    // the focus for a while.
    void focusMoved(QWidget *now);
    QString supplierName(int code);

    QLineEdit *m_code = nullptr;      // Edit1
    QLineEdit *m_lot = nullptr;       // Edit8
    QLineEdit *m_date = nullptr;      // MaskEdit1
    QLineEdit *m_history = nullptr;   // Edit2
    QLineEdit *m_type = nullptr;      // MaskEdit2
    QLineEdit *m_quantity = nullptr;  // Edit3
    QLineEdit *m_cost = nullptr;      // Edit4
    QLineEdit *m_supplier = nullptr;  // Edit6
    QLineEdit *m_costCentre = nullptr; // Edit7
    QLineEdit *m_customer = nullptr;  // Edit5
    QComboBox *m_costCentres = nullptr; // ComboBox1
    QLabel *m_name = nullptr;         // Label2
    QLabel *m_typeCaption = nullptr;  // Label11
    QLabel *m_balance = nullptr;      // Label13
    QLabel *m_lotBalance = nullptr;   // Label20
    QLabel *m_location = nullptr;     // Label5
    QLabel *m_supplierName = nullptr; // Label23
    QLabel *m_costCentreName = nullptr; // Label16
    QLabel *m_customerName = nullptr; // Label15
    QToolButton *m_findProduct = nullptr;  // SpeedButton1
    QToolButton *m_findSupplier = nullptr; // SpeedButton2
    QToolButton *m_findCustomer = nullptr; // SpeedButton3
    QPushButton *m_confirme = nullptr;     // BitBtn1
    QPushButton *m_retornar = nullptr;     // BitBtn2
    QPushButton *m_naoConfirmar = nullptr; // BitBtn3
    QPushButton *m_entradas = nullptr;     // BitBtn4
    QPushButton *m_saidas = nullptr;       // BitBtn5
    EnterChain *m_enter = nullptr;

    QHash<QWidget *, std::function<void()>> m_onEnter;
    QHash<QWidget *, std::function<void()>> m_onExit;
    QPointer<QWidget> m_current; // the field the operator is in, as far as this window knows
    bool m_moving = false;
    // The supplier of the product found on leaving the code field: an unknown
    // supplier typed over it is put back to this one.
    QString m_productSupplier;
};
