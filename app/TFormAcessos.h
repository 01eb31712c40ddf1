#pragma once

#include <QDialog>

class QLineEdit;

// The supervisor window: a user with the right (or a master) lends it for
// one opening by typing his own name and password.
//
// Components: Panel1 (title band), Label1 "Essa Operação requer Senha Master",
// Label2 / Label3 (the invitation), Image1 (picture), Label4 "Usuario" with
// Edit1, Label5 "Senha:" with Edit2, BitBtn1 "&Confirma", BitBtn2 "Cancela".
class TFormAcessos : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAcessos(QWidget *parent = nullptr);

    void BitBtn1Click(); // Confirma
    void BitBtn2Click(); // Cancela

private:
    QLineEdit *m_edit1 = nullptr;
    QLineEdit *m_edit2 = nullptr;
};
