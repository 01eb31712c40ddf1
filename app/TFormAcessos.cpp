#include "app/TFormAcessos.h"

#include "app/AccessPictures.h"
#include "app/Credentials.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/Texts.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


TFormAcessos::TFormAcessos(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAcessos"));
    setWindowTitle(QStringLiteral("Operação Restrita"));
    setFixedSize(296, 388);
    Look::setFace(this);

    auto *band = new TitleBand(QStringLiteral("Controle de Acesso"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    band->setGeometry(0, 0, 296, 41);

    QLabel *warning = makeLabel(this, "Label1", QStringLiteral("Essa Operação requer Senha Master"),
                               QRect(0, 50, 296, 20), true, Qt::AlignCenter);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    warning->setPalette(red);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(116, 76, 64, 64);
    image->setPixmap(padlockPicture(64));

    makeLabel(this, "Label2", QStringLiteral("Informe um usúario com permissão"), QRect(0, 148, 296, 18), false,
             Qt::AlignCenter);
    makeLabel(this, "Label3", QStringLiteral("para acessar o sistema"), QRect(0, 166, 296, 18), false,
             Qt::AlignCenter);

    const CredentialFields fields = addCredentialFields(this, 58, 198, "Label4", QStringLiteral("Usuario"), "Label5",
                                                        QStringLiteral("Senha:"));
    m_edit1 = fields.name;
    m_edit2 = fields.password;

    auto *cancela = new QPushButton(QStringLiteral("Cancela"), this);
    cancela->setObjectName(QStringLiteral("BitBtn2"));
    cancela->setGeometry(40, 326, 100, 36);
    auto *confirma = new QPushButton(QStringLiteral("&Confirma"), this);
    confirma->setObjectName(QStringLiteral("BitBtn1"));
    confirma->setGeometry(156, 326, 100, 36);
    for (QPushButton *button : {cancela, confirma})
        button->setAutoDefault(false);

    onSignal(confirma, &QPushButton::clicked, this, &TFormAcessos::BitBtn1Click);
    onSignal(cancela, &QPushButton::clicked, this, &TFormAcessos::BitBtn2Click);

    auto *chain = new EnterChain(this);
    chain->link(m_edit1, m_edit2);
    chain->link(m_edit2, [this] { BitBtn1Click(); });

    setTabOrder(m_edit1, m_edit2);
    setTabOrder(m_edit2, confirma);
    setTabOrder(confirma, cancela);
    m_edit1->setFocus();
}

void TFormAcessos::BitBtn1Click()
{
    // The grant is whatever the confirming user holds; nothing is logged and
    // there is no limit on attempts here.
    LOGON->RunOnQuery(QStringLiteral("Kestrum"), QStringLiteral("select * from kestrum"), QStringLiteral("open"));
    SharedQuery &users = LOGON->KESTRUM;
    QString found = QStringLiteral("N");
    bool closing = false;
    for (users.first(); !users.eof(); users.next()) {
        if (!isTypedUser(users, m_edit1->text(), m_edit2->text()))
            continue;
        OverrideIsMaster = users.text(QStringLiteral("MASTER"));
        OverrideRights = users.integer(QStringLiteral("CODVEND"));
        found = QStringLiteral("S");
        closing = true;
    }
    if (found == QLatin1String("N")) {
        Dialogs::message(Texts::WrongUserOrPassword);
        m_edit1->setFocus();
    }
    if (closing)
        accept();
}

// The caller finds no grant and refuses.
void TFormAcessos::BitBtn2Click() { reject(); }
