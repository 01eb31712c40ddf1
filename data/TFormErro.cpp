#include "data/TFormErro.h"

#include "data/Globals.h"
#include "ui/Look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormErro::TFormErro(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormErro"));
    setWindowTitle(QStringLiteral(".: Problema da Conexão :."));
    Look::setFace(this);

    auto *layout = new QVBoxLayout(this);
    QFont large(QStringLiteral("Arial"));
    large.setPointSize(14);
    large.setBold(true);

    auto addLabel = [&](const QString &name, const QString &text, bool big) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        if (big)
            label->setFont(large);
        layout->addWidget(label);
    };
    addLabel(QStringLiteral("Label1"), QStringLiteral("Erro ao Conectar com o servidor"), true);
    addLabel(QStringLiteral("Label2"), QStringLiteral("IP do servidor : ") + ServerAddress, true);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Verificar se o computador esta conectado a rede local "), false);
    addLabel(QStringLiteral("Label4"), QStringLiteral("Se esse computador for o servidor click em Conectar"), false);
    addLabel(QStringLiteral("Label5"),
             QStringLiteral("Se for um terminal aborte e verifique as conexão /hub e tente novamente"), false);

    auto *buttons = new QHBoxLayout;
    auto *abortar = new QPushButton(QStringLiteral("Abortar"), this);
    abortar->setObjectName(QStringLiteral("BitBtnAbortar"));
    auto *conectar = new QPushButton(QStringLiteral("Conectar"), this);
    conectar->setObjectName(QStringLiteral("BitBtnConectar"));
    buttons->addStretch();
    buttons->addWidget(abortar);
    buttons->addWidget(conectar);
    layout->addLayout(buttons);

    connect(abortar, &QPushButton::clicked, this, &TFormErro::AbortarClick);
    connect(conectar, &QPushButton::clicked, this, &TFormErro::ConectarClick);
}

void TFormErro::AbortarClick()
{
    m_aborted = true;
    reject();
}

void TFormErro::ConectarClick()
{
    m_aborted = false;
    accept();
}
