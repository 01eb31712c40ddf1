#include "registries/TFormEstIni.h"

#include "data/Format.h"
#include "data/Globals.h"
#include "data/Parse.h"
#include "data/Routines.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormEstIni::TFormEstIni(QWidget *parent, WorkingCopy *registry) : QDialog(parent), m_registry(registry)
{
    setObjectName(QStringLiteral("TFormEstIni"));
    setWindowTitle(QStringLiteral("Estoque Inicial"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    Look::setFace(this);

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Informe o Estoque Inicial"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont f = title->font();
    f.setBold(true);
    f.setPixelSize(16);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto *fields = new QGridLayout;
    m_date = new QLineEdit(this);
    m_date->setObjectName(QStringLiteral("MaskEdit1"));
    // Day and month may be typed with one digit, the year always with two.
    m_date->setInputMask(QStringLiteral("00/00/99;_"));
    m_date->setText(InitialStockDate.isValid() ? Format::shortDate(InitialStockDate) : QString());
    m_date->setMaximumWidth(90);
    m_quantity = new QLineEdit(QStringLiteral("0"), this);
    m_quantity->setObjectName(QStringLiteral("Edit1"));
    m_quantity->setAlignment(Qt::AlignRight);
    Edits::decimalComma(m_quantity);
    auto *dateLabel = new QLabel(QStringLiteral("Data"), this);
    dateLabel->setObjectName(QStringLiteral("Label2"));
    dateLabel->setBuddy(m_date);
    auto *quantityLabel = new QLabel(QStringLiteral("Estoque"), this);
    quantityLabel->setObjectName(QStringLiteral("Label3"));
    quantityLabel->setBuddy(m_quantity);
    fields->addWidget(dateLabel, 0, 0);
    fields->addWidget(m_date, 1, 0);
    fields->addWidget(quantityLabel, 0, 1);
    fields->addWidget(m_quantity, 1, 1);
    layout->addLayout(fields);

    m_confirm = new QPushButton(QStringLiteral("&Confirme"), this);
    m_confirm->setObjectName(QStringLiteral("BitBtn1"));
    m_confirm->setAutoDefault(true); // Enter on the focused button confirms
    layout->addWidget(m_confirm, 0, Qt::AlignRight);
    onSignal(m_confirm, &QPushButton::clicked, this, &TFormEstIni::BitBtn1Click);

    auto *enter = new EnterChain(this);
    enter->link(m_quantity, m_confirm);

    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
    m_quantity->setFocus();
}

void TFormEstIni::BitBtn1Click()
{
    // An invalid date is refused here with the conversion error; the window stays.
    InitialStockDate = Parse::date(m_date->text());
    accept();
}

void TFormEstIni::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        guarded([this] { FormClose(); });
    }
    QDialog::done(result);
}

void TFormEstIni::FormClose()
{
    if (m_registry)
        m_registry->locate(QStringLiteral("CODIGO"), SelectedCode.trimmed());
    const QString quantity = m_quantity->text();
    const QString date = m_date->text();
    if (IsNumber(quantity) != QLatin1String("S") || !Parse::tryDate(date)) {
        Dialogs::message(QStringLiteral("    valor tem quer ser numerico      "));
        return;
    }
    // A quantity of 0 still writes the row: the product then has a movement
    // and is not asked for again.
    LOGON->RunOnQuery(QStringLiteral("atualiza"),
                      QStringLiteral("insert into estfic (id,codigo,data,historico,entrada) values (GEN_ID(ESTFIC,1),")
                          + QuoteSql(SelectedCode.trimmed()) + QLatin1Char(',') + SqlDate(date) + QLatin1Char(',')
                          + QuoteSql(QStringLiteral("Estoque Inicial")) + QLatin1Char(',')
                          + QuoteSql(SqlNumber(Parse::number(quantity))) + QLatin1Char(')'),
                      QStringLiteral("exec"));
}
