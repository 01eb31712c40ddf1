#include "app/TFormEmpresa.h"

#include "app/TForm1.h"
#include "data/FieldBinder.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Errors.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Field
{
    const char *caption;
    const char *column;
    int length; // the column's size in Empresa
    bool editable;
};

// The name, address, city and state come from the installation and are only shown here.
const Field Fields[] = {
    {"Empresa", "EMPRESA", 40, false},
    {"Endereço", "ENDERECO", 40, false},
    {"Cidade", "CIDADE", 20, false},
    {"Estado", "ESTADO", 2, false},
    {"CNPJ", "CNPJ", 20, true},
    {"I Estadual", "IESTADUAL", 20, true},
};

const QString CompanySelect = QStringLiteral("Select * from empresa");

} // namespace

TFormEmpresa::TFormEmpresa(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormEmpresa"));
    setWindowTitle(QStringLiteral("Cadastro da Empresa"));
    Look::setFace(this);
    resize(520, 330);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    auto *band = new TitleBand(QStringLiteral("Cadastro da Empresa"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(band);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    layout->addLayout(body, 1);
    auto *group = new QGroupBox(QStringLiteral("Cadastro da Empresa"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto *grid = new QGridLayout(group);
    body->addWidget(group, 1);

    // Empresa has no key column: its one row is updated with no WHERE clause.
    m_copy = new WorkingCopy(QStringLiteral("EMPRESA"), QString(), this);
    m_binder = new FieldBinder(m_copy, this);

    QLineEdit *edits[std::size(Fields)] = {};
    for (int i = 0; i < int(std::size(Fields)); ++i) {
        const Field &f = Fields[i];
        auto *label = new QLabel(QString::fromUtf8(f.caption), group);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto *edit = new QLineEdit(group);
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        Edits::upperCase(edit);
        if (!f.editable) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
        }
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        edits[i] = edit;
    }
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    m_retornar = new QPushButton(QStringLiteral("Retornar"), this);
    m_retornar->setObjectName(QStringLiteral("BitBtn1"));
    m_retornar->setMinimumSize(110, 34);
    buttons->addStretch();
    buttons->addWidget(m_retornar);
    body->addLayout(buttons);

    FormShow();
    for (int i = 0; i < int(std::size(Fields)); ++i)
        m_binder->bindText(edits[i], QString::fromLatin1(Fields[i].column), Fields[i].length);

    onSignal(m_retornar, &QPushButton::clicked, this, &TFormEmpresa::BitBtn1Click);

    // Enter only moves to "Retornar": passed on, the key would also press the
    // button it has just focused and close the window under the operator.
    auto *chain = new EnterChain(this);
    chain->link(edits[4], edits[5]);
    chain->link(edits[5], m_retornar);
    setTabOrder(edits[4], edits[5]);
    setTabOrder(edits[5], m_retornar);
    edits[4]->setFocus();
}

void TFormEmpresa::FormShow()
{
    guarded([this] {
        LOGON->RunOnQuery(QStringLiteral("empresa"), CompanySelect, QStringLiteral("open"));
        m_copy->load(LOGON->Empresa);
    });
}

void TFormEmpresa::BitBtn1Click()
{
    try {
        m_binder->post();
        m_copy->applyUpdates(*LOGON);
    } catch (const AppError &e) {
        // The edits are kept and the window stays open: closing as if saved
        // would lose them without a word.
        Dialogs::errorBox(errorText(e));
        return;
    }
    if (!m_copy->fieldNames().isEmpty() && m_copy->text(m_copy->fieldNames().first()).isEmpty()) {
        try {
            LOGON->RunOnQuery(QStringLiteral("empresa"), CompanySelect, QStringLiteral("open"));
            m_copy->load(LOGON->Empresa);
            m_copy->last();
        } catch (const AppError &) {
            // Only a re-read of what was just written; the copy already holds it.
        }
    }
    CurrentCompanyName = m_copy->text(QStringLiteral("EMPRESA"));
    if (Form1)
        Form1->refreshStatus();
    accept();
}
