#include "registries/TFormAjuKits.h"

#include "ui/Guard.h"
#include "ui/Look.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const HelpText =
    "COMPOSIÇÃO DE PRATOS / DRINKS\n"
    "\n"
    "Uma composição (kit) reúne os produtos usados para fazer um prato, um drink "
    "ou qualquer outro item vendido como uma unidade.\n"
    "\n"
    "CÓDIGO DA COMPOSIÇÃO\n"
    "O código pode ser formado por números ou por palavras, com até 10 caracteres. "
    "Exemplos: ALM001 para o almoço número 1, CAIPIRINHA para a caipirinha.\n"
    "\n"
    "CRIANDO UMA COMPOSIÇÃO\n"
    "Clique em \"Novo Kit\", digite o código e tecle Enter. Informe o nome e o valor "
    "de venda e clique em \"Confirma\". Deixar o código em branco fecha a janela.\n"
    "\n"
    "PRODUTOS DA COMPOSIÇÃO\n"
    "Clique em \"Incluir/Alterar Composição\" (ou dê um duplo clique na composição). "
    "Para cada produto clique em \"Novo Prod\", digite o código do produto (ou "
    "localize-o pelo botão ao lado) e a quantidade usada em uma composição, e clique "
    "em \"Confirma\". O custo da composição é a soma do custo de cada produto "
    "vezes a sua quantidade.\n"
    "\n"
    "SAÍDA DO ESTOQUE\n"
    "Essas quantidades saem do estoque à medida que as composições são usadas: na "
    "movimentação de estoque digite \"/\" seguido do código da composição (por "
    "exemplo /ALM001) e a quantidade de composições; cada produto sai na sua "
    "quantidade vezes a quantidade informada.\n";

} // namespace

TFormAjuKits::TFormAjuKits(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAjuKits"));
    setWindowTitle(QStringLiteral("Ajuda - Como utilizar a composição de Pratos / drinks"));
    setModal(true);
    Look::setFace(this);

    auto *layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setReadOnly(true);
    m_text->setPlainText(QString::fromUtf8(HelpText));
    m_text->setMinimumSize(520, 380);
    layout->addWidget(m_text, 1);

    auto *buttons = new QHBoxLayout;
    auto *retornar = new QPushButton(QStringLiteral("Retornar"), this);
    retornar->setObjectName(QStringLiteral("BitBtn1"));
    retornar->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(retornar);
    layout->addLayout(buttons);

    onSignal(retornar, &QPushButton::clicked, this, &TFormAjuKits::BitBtn1Click);
}

QString TFormAjuKits::helpText() const { return m_text->toPlainText(); }

void TFormAjuKits::BitBtn1Click() { accept(); }
