#include "app/TFormAcessos.h"
#include "ui/Texts.h"

#include "app/AccessPictures.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/EnterChain.h"
#include "ui/Guard.h"
#include "ui/Look.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// KESTRUM.NOME and KESTRUM.SENHA.
constexpr int NameLength = 15;
constexpr int PasswordLength = 10;

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &where,
                 bool bold = false, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(where);
    label->setAlignment(align);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QString comparable(const QString &text) { return text.toUpper().trimmed(); }

} // namespace

TFormAcessos::TFormAcessos(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAcessos"));
    setWindowTitle(QStringLiteral("Operação Restrita"));
    setFixedSize(296, 388);
    Look::setFace(this);

    auto *band = new TitleBand(QStringLiteral("Controle de Acesso"), Look::BandDark, this);
    band->setObjectName(QStringLiteral("Panel1"));
    band->setGeometry(0, 0, 296, 41);

    QLabel *warning = addLabel(this, "Label1", QStringLiteral("Essa Operação requer Senha Master"),
                               QRect(0, 50, 296, 20), true, Qt::AlignCenter);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    warning->setPalette(red);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(116, 76, 64, 64);
    image->setPixmap(padlockPicture(64));

    addLabel(this, "Label2", QStringLiteral("Informe um usúario com permissão"), QRect(0, 148, 296, 18), false,
             Qt::AlignCenter);
    addLabel(this, "Label3", QStringLiteral("para acessar o sistema"), QRect(0, 166, 296, 18), false,
             Qt::AlignCenter);

    addLabel(this, "Label4", QStringLiteral("Usuario"), QRect(58, 198, 180, 16), true);
    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(58, 216, 180, 24);
    Edits::upperCase(m_edit1);
    Edits::limit(m_edit1, NameLength);

    addLabel(this, "Label5", QStringLiteral("Senha:"), QRect(58, 248, 180, 16), true);
    m_edit2 = new QLineEdit(this);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->setGeometry(58, 266, 180, 24);
    m_edit2->setEchoMode(QLineEdit::Password);
    Edits::upperCase(m_edit2);
    Edits::limit(m_edit2, PasswordLength);

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
    const QString name = comparable(m_edit1->text());
    const QString password = comparable(m_edit2->text());
    for (users.first(); !users.eof(); users.next()) {
        if (comparable(users.text(QStringLiteral("SENHA"))) != password
            || comparable(users.text(QStringLiteral("NOME"))) != name)
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
