#pragma once

#include <QDialog>

class FieldBinder;
class QLineEdit;
class QPushButton;
class WorkingCopy;

// The company's own data: name, address, city and state are shown only; the
// tax numbers are edited on a local copy of the Empresa row.
class TFormEmpresa : public QDialog
{
    Q_OBJECT
public:
    explicit TFormEmpresa(QWidget *parent = nullptr);

    WorkingCopy *copy() const { return m_copy; }

private:
    void FormShow();
    void BitBtn1Click();

    WorkingCopy *m_copy = nullptr;
    FieldBinder *m_binder = nullptr;
    QPushButton *m_retornar = nullptr;
};
