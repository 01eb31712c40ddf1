#pragma once

#include <QDialog>

class QCheckBox;

// The one system setting: whether exits may take a product's stock below zero (Empresa.SCL1).
class TFormCFG : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCFG(QWidget *parent = nullptr);

private:
    void FormShow();
    void BitBtn1Click();

    QCheckBox *m_check = nullptr;
};
