#pragma once

#include <QDialog>

class QPlainTextEdit;

// Help on kits: how composition codes are chosen, how their products are
// added and how they leave stock.
//
// Components: Memo1 (the text, read-only), BitBtn1 "Retornar".
class TFormAjuKits : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAjuKits(QWidget *parent = nullptr);

    QString helpText() const;

    void BitBtn1Click(); // Retornar

private:
    QPlainTextEdit *m_text;
};
