#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class WorkingCopy;

// The initial stock of a product without movements: one ledger row written
// when the window closes, whichever way it is closed.
//
// Object names:
//   Label1     "Informe o Estoque Inicial"
//   MaskEdit1  "Data" (dd/mm/yy), pre-filled with InitialStockDate
//   Edit1      "Estoque", the quantity, "0" by default
//   BitBtn1    "&Confirme"
class TFormEstIni : public QDialog
{
    Q_OBJECT
public:
    // registry: the product window's copy, positioned on SelectedCode on closing.
    explicit TFormEstIni(QWidget *parent = nullptr, WorkingCopy *registry = nullptr);

    void done(int result) override;

protected:
    void BitBtn1Click();
    void FormClose();

private:
    WorkingCopy *m_registry = nullptr;
    QLineEdit *m_date = nullptr;
    QLineEdit *m_quantity = nullptr;
    QPushButton *m_confirm = nullptr;
    bool m_closed = false;
};
