#include "app/TFormAjuAcesso.h"

#include "ui/Guard.h"
#include "ui/Look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormAjuAcesso::TFormAjuAcesso(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAjuAcesso"));
    setWindowTitle(QStringLiteral("Ajuda ao Primeiro acesso."));
    Look::setFace(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(6);
    // The user delivered with the database: name KESTRUM, password 7358.
    const QString lines[] = {
        QStringLiteral("Senha padrão"),
        QStringLiteral("Nome  KESTRUM"),
        QStringLiteral("Senha ") + QStringLiteral("7358"),
        QStringLiteral("Apos o primeiro acesso,  essa senha pode ser"),
        QStringLiteral("trocada por outra, utilizando no memu, "),
        QStringLiteral("Manutenção de Senha"),
    };
    int n = 0;
    for (const QString &text : lines) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("Label%1").arg(++n));
        if (n == 1) {
            QFont f = label->font();
            f.setBold(true);
            f.setPointSizeF(f.pointSizeF() * 1.2);
            label->setFont(f);
        }
        layout->addWidget(label);
        if (n == 3)
            layout->addSpacing(10);
    }

    auto *buttons = new QHBoxLayout;
    auto *fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("BitBtn1"));
    buttons->addStretch();
    buttons->addWidget(fechar);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    onSignal(fechar, &QPushButton::clicked, this, &TFormAjuAcesso::BitBtn1Click);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void TFormAjuAcesso::BitBtn1Click() { close(); }
