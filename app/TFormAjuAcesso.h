#pragma once

#include <QDialog>

// Help on the first access: the user delivered with the database.
//
// Components: Label1 "Senha padrão", Label2 (name), Label3 (password),
// Label4 to Label6 (how to change it), BitBtn1 "Fechar".
class TFormAjuAcesso : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAjuAcesso(QWidget *parent = nullptr);

    void BitBtn1Click(); // Fechar
};
