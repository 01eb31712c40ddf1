#include "app/TFormProtecao.h"

#include "app/AccessPictures.h"
#include "app/Credentials.h"
#include "app/TFormAjuAcesso.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"
#include "ui/ShowModal.h"
#include "ui/Texts.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


TFormProtecao::TFormProtecao(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormProtecao"));
    // No title bar and no close box: the way out is "Sair".
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Controle de Estoque"));
    setFixedSize(301, 432);
    Look::setFace(this);

    auto *band = new TitleBand(QStringLiteral("Controle de Estoque"), Look::BarBlue, this);
    band->setObjectName(QStringLiteral("Panel1"));
    band->setGeometry(0, 0, 301, 41);

    makeLabel(this, "Label5", QStringLiteral("Versão ") + QStringLiteral(TAMBLO_VERSION), QRect(0, 44, 301, 16),
             false, Qt::AlignCenter);
    makePicture(this, "Image1", cratesPicture(112, 96), QRect(94, 64, 112, 96));
    makeLabel(this, "Label1", QStringLiteral("Informe um usúario com permissão"), QRect(0, 168, 301, 18), true,
             Qt::AlignCenter);
    makeLabel(this, "Label2", QStringLiteral("para acessar o sistema"), QRect(0, 188, 301, 18), true,
             Qt::AlignCenter);
    makePicture(this, "Image2", padlockPicture(64), QRect(18, 230, 64, 64));

    const CredentialFields fields = addCredentialFields(this, 96, 218, "Label3", QStringLiteral("USÚARIO"), "Label4",
                                                        QStringLiteral("SENHA"));
    m_edit1 = fields.name;
    m_edit2 = fields.password;

    auto *sair = new QPushButton(QStringLiteral("Sair"), this);
    sair->setObjectName(QStringLiteral("BitBtn2"));
    sair->setGeometry(18, 366, 104, 36);
    auto *confirmar = new QPushButton(QStringLiteral("Confirmar"), this);
    confirmar->setObjectName(QStringLiteral("BitBtn1"));
    confirmar->setGeometry(132, 366, 104, 36);
    auto *help = new QPushButton(this);
    help->setObjectName(QStringLiteral("BitBtn3"));
    help->setGeometry(246, 366, 36, 36);
    help->setIcon(QIcon(helpPicture(24)));
    help->setIconSize(QSize(24, 24));
    for (QPushButton *button : {sair, confirmar, help})
        button->setAutoDefault(false);

    onSignal(confirmar, &QPushButton::clicked, this, &TFormProtecao::BitBtn1Click);
    onSignal(sair, &QPushButton::clicked, this, &TFormProtecao::BitBtn2Click);
    onSignal(help, &QPushButton::clicked, this, &TFormProtecao::BitBtn3Click);

    auto *chain = new EnterChain(this);
    chain->link(m_edit1, m_edit2);
    chain->link(m_edit2, [this] { BitBtn1Click(); });

    setTabOrder(m_edit1, m_edit2);
    setTabOrder(m_edit2, confirmar);
    setTabOrder(confirmar, sair);
    setTabOrder(sair, help);
    m_edit1->setFocus();
}

void TFormProtecao::BitBtn1Click()
{
    // 1. The company's name, for the status bar and the printed log.
    LOGON->RunOnQuery(QStringLiteral("Pesquisa"), QStringLiteral("select * from empresa "), QStringLiteral("open"));
    CurrentCompanyName = LOGON->Pesquisa.text(QStringLiteral("EMPRESA"));
    LOGON->Pesquisa.close();

    // 2-3. Every matching row logs in, so with duplicated users the last one decides.
    QString found = QStringLiteral("N");
    bool closing = false;
    LOGON->RunOnQuery(QStringLiteral("Pesquisa"), QStringLiteral("select * from kestrum "), QStringLiteral("open"));
    SharedQuery &users = LOGON->Pesquisa;
    for (users.first(); !users.eof(); users.next()) {
        if (!isTypedUser(users, m_edit1->text(), m_edit2->text()))
            continue;
        found = QStringLiteral("S");
        CurrentUserName = users.text(QStringLiteral("NOME"));
        OverrideIsMaster = users.text(QStringLiteral("MASTER"));
        CurrentUserRights = users.integer(QStringLiteral("CODVEND"));
        OverrideRights = CurrentUserRights;
        LOGON->AppendLog(QStringLiteral("Entrou no sistema nessa data e hora "));
        closing = true;
    }

    // 4-5. Failures count across the whole login; the fourth ends the program.
    if (found == QLatin1String("N")) {
        ++LoginFailures;
        Dialogs::message(Texts::WrongUserOrPassword);
        m_edit1->setFocus();
        if (LoginFailures > 3) {
            Dialogs::beep();
            Dialogs::message(QStringLiteral("Número de tentativas esgotadas."));
            m_endRequested = true;
            reject();
            return;
        }
    }
    if (closing)
        accept();
}

void TFormProtecao::BitBtn2Click()
{
    // Nobody logged in: the main window closes as soon as it shows.
    reject();
}

void TFormProtecao::BitBtn3Click() { ShowModalForm<TFormAjuAcesso>(this); }

void TFormProtecao::done(int result)
{
    if (LOGON)
        LOGON->CloseSharedQueries();
    QDialog::done(result);
}
