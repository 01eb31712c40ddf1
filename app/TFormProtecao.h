#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The login window, shown once before the main window.
//
// Components: Panel1 (title band), Label5 (version line), Image1 (picture),
// Label1 / Label2 (the two lines of the invitation), Image2 (picture beside
// the fields), Label3 "USÚARIO" with Edit1 (user name), Label4 "SENHA" with
// Edit2 (password), BitBtn1 "Confirmar", BitBtn2 "Sair", BitBtn3 (help).
class TFormProtecao : public QDialog
{
    Q_OBJECT
public:
    explicit TFormProtecao(QWidget *parent = nullptr);

    // The fourth failed confirmation: the program must end at once, without
    // the closing steps of the main window.
    bool endRequested() const { return m_endRequested; }

    void BitBtn1Click(); // Confirmar
    void BitBtn2Click(); // Sair
    void BitBtn3Click(); // help on the first access

    void done(int result) override;

private:
    QLineEdit *m_edit1 = nullptr;
    QLineEdit *m_edit2 = nullptr;
    bool m_endRequested = false;
};
