#include "registries/CodeRegister.h"

#include "data/Format.h"
#include "data/Parse.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Codigo = QStringLiteral("CODIGO");

// An INTEGER column: a sign and ten digits.
constexpr int CodeLength = 11;

} // namespace

CodeRegister::CodeRegister(QWidget *parent, const Config &config)
    : QDialog(parent), m_config(config)
{
    setObjectName(config.objectName);
    setWindowTitle(config.caption);
    setModal(true);
    Look::setFace(this);

    m_copy = new WorkingCopy(config.table, QStringLiteral("ID"), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(new TitleBand(config.band, Look::BandDark, this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    layout->addLayout(body);

    m_grid = new DataGrid(m_copy, config.columns, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setMinimumSize(420, 260);
    body->addWidget(m_grid, 1);

    // A titled frame where the window has one, a plain one otherwise.
    auto *frame = new QGroupBox(config.frameTitle, this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    auto *fields = new QGridLayout(frame);
    m_code = new QLineEdit(frame);
    m_code->setObjectName(QStringLiteral("Edit1"));
    m_code->setMaximumWidth(90);
    Edits::upperCase(m_code);
    Edits::limit(m_code, CodeLength);
    m_name = new QLineEdit(frame);
    m_name->setObjectName(QStringLiteral("Edit2"));
    Edits::upperCase(m_name);
    Edits::limit(m_name, config.nameLength);
    auto *codeLabel = new QLabel(QStringLiteral("Codigo"), frame);
    codeLabel->setBuddy(m_code);
    auto *nameLabel = new QLabel(QStringLiteral("SubIten"), frame);
    nameLabel->setBuddy(m_name);
    fields->addWidget(codeLabel, 0, 0);
    fields->addWidget(nameLabel, 0, 1);
    fields->addWidget(m_code, 1, 0);
    fields->addWidget(m_name, 1, 1);
    fields->setColumnStretch(1, 1);
    body->addWidget(frame);

    auto *buttons = new QHBoxLayout;
    m_novo = makeButton("BitBtn1", QStringLiteral("Novo"), this);
    m_confirme = makeButton("BitBtn2", QStringLiteral("Confirme"), this);
    m_excluir = makeButton("BitBtn3", QStringLiteral("Excluir"), this);
    m_retornar = makeButton("BitBtn4", QStringLiteral("Retornar"), this);
    for (QPushButton *b : {m_novo, m_confirme, m_excluir, m_retornar})
        buttons->addWidget(b);
    buttons->addStretch();
    body->addLayout(buttons);

    onSignal(m_novo, &QPushButton::clicked, this, &CodeRegister::BitBtn1Click);
    onSignal(m_confirme, &QPushButton::clicked, this, &CodeRegister::BitBtn2Click);
    onSignal(m_excluir, &QPushButton::clicked, this, &CodeRegister::BitBtn3Click);
    onSignal(m_retornar, &QPushButton::clicked, this, &CodeRegister::BitBtn4Click);
    onSignal(m_grid, &DataGrid::rowChosen, this, &CodeRegister::DBGrid1CellClick);

    m_enter = new EnterChain(this);
    m_enter->link(m_code, m_name);
    m_enter->link(m_name, m_confirme);

    guarded([this] { FormShow(); });
}

void CodeRegister::FormShow()
{
    loadGrid();
    copyRowToFields();
}

void CodeRegister::loadGrid()
{
    LOGON->RunOnQuery(m_config.gridKey, m_config.gridSql, QStringLiteral("open"));
    m_copy->load(LOGON->query(m_config.gridKey));
}

void CodeRegister::copyRowToFields()
{
    // An empty table leaves the fields empty rather than proposing code 0.
    if (m_copy->isEmpty()) {
        m_code->clear();
        m_name->clear();
        return;
    }
    m_code->setText(m_config.codeMask.isEmpty()
                        ? m_copy->text(Codigo)
                        : Format::FormatFloat(m_config.codeMask, m_copy->number(Codigo)));
    m_name->setText(m_copy->text(m_config.nameField));
}

void CodeRegister::DBGrid1CellClick() { copyRowToFields(); }

void CodeRegister::BitBtn1Click()
{
    m_code->clear();
    m_name->clear();
    qint64 next = 1;
    if (!m_copy->isEmpty()) {
        m_copy->last();
        bool ok = false;
        const qint64 highest = m_copy->value(Codigo).toLongLong(&ok);
        if (ok)
            next = highest + 1;
    }
    m_code->setText(QString::number(next));
    m_code->setFocus();
}

void CodeRegister::BitBtn2Click()
{
    // The code column is an integer: anything else is written as family/centre 0.
    int number = 0;
    if (!Parse::tryInteger(m_code->text(), &number))
        number = 0;
    const QString code = QString::number(number);
    m_code->setText(code);
    QString name = m_name->text();

    LOGON->RunOnQuery(QStringLiteral("Atualiza3"), m_config.selectSql + QuoteSql(code),
                      QStringLiteral("open"));
    if (LOGON->Atualiza3.isEmpty()) {
        if (m_config.insertCut >= 0)
            name = name.left(m_config.insertCut);
        LOGON->RunOnQuery(QStringLiteral("atualiza"),
                          m_config.insertSql + QuoteSql(code) + QLatin1Char(',') + QuoteSql(name)
                              + QLatin1Char(')'),
                          QStringLiteral("exec"));
    } else {
        LOGON->RunOnQuery(QStringLiteral("atualiza"),
                          m_config.updateSql + QuoteSql(name) + m_config.updateWhere + QuoteSql(code),
                          QStringLiteral("exec"));
    }
    loadGrid();
}

void CodeRegister::BitBtn3Click()
{
    // With no row there is nothing to delete: no question, and no statement
    // with an id that does not exist.
    if (!m_copy->isEmpty()) {
        const bool yes = Dialogs::askDelete();
        if (yes) {
            LOGON->RunOnQuery(QStringLiteral("Atualiza"),
                              m_config.deleteSql
                                  + QuoteSql(Format::FormatFloat(QStringLiteral("0"),
                                                                 m_copy->number(QStringLiteral("ID")))),
                              QStringLiteral("exec"));
            loadGrid();
        } else if (m_config.rereadAfterNo) {
            loadGrid();
        }
    }
    copyRowToFields();
    m_code->setFocus();
}

void CodeRegister::BitBtn4Click() { reject(); }

void CodeRegister::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        guarded([this] { FormClose(); });
    }
    QDialog::done(result);
}

void CodeRegister::FormClose()
{
    m_copy->clear();
    if (!LOGON)
        return;
    LOGON->query(m_config.gridKey).close();
    if (m_config.closeSharedQueries)
        LOGON->CloseSharedQueries();
}
