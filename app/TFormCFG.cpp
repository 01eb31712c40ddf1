#include "app/TFormCFG.h"

#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Report layouts open the company query directly and expect a select of its own table.
const QString CompanySelect = QStringLiteral("select * from empresa");
} // namespace

TFormCFG::TFormCFG(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCFG"));
    setWindowTitle(QStringLiteral("Configuração do Sistema"));
    setFont(QFont(QStringLiteral("Tahoma")));
    Look::setFace(this);
    resize(420, 190);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    auto *band = new TitleBand(QStringLiteral("Configura Sistema"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 0);
    m_check = new QCheckBox(QStringLiteral("Nao Permite saida no estoque Negativo"), this);
    m_check->setObjectName(QStringLiteral("CheckBox1"));
    body->addWidget(m_check);
    body->addStretch();
    auto *buttons = new QHBoxLayout;
    auto *confirmar = new QPushButton(QStringLiteral("Confirmar"), this);
    confirmar->setObjectName(QStringLiteral("BitBtn1"));
    confirmar->setMinimumSize(110, 34);
    buttons->addStretch();
    buttons->addWidget(confirmar);
    body->addLayout(buttons);
    layout->addLayout(body, 1);

    onSignal(confirmar, &QPushButton::clicked, this, &TFormCFG::BitBtn1Click);
    FormShow();
}

void TFormCFG::FormShow()
{
    guarded([this] {
        LOGON->RunOnQuery(QStringLiteral("empresa"), CompanySelect, QStringLiteral("open"));
        m_check->setChecked(LOGON->Empresa.integer(QStringLiteral("SCL1")) == 1);
        LOGON->Empresa.close();
    });
}

void TFormCFG::BitBtn1Click()
{
    {
        // The select goes back even when the update fails: a failed update
        // left on the company query would break every later report header.
        struct PutBack
        {
            ~PutBack() { LOGON->Empresa.setSql(CompanySelect); }
        } putBack;
        LOGON->RunOnQuery(QStringLiteral("empresa"),
                          QStringLiteral("update empresa  set SCL1 = ")
                              + QuoteSql(m_check->isChecked() ? QStringLiteral("1") : QStringLiteral("0")),
                          QStringLiteral("exec"));
    }
    accept();
}
