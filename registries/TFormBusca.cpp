#include "registries/TFormBusca.h"

namespace {

PickDesign customerDesign()
{
    PickDesign d;
    d.objectName = QStringLiteral("FormBusca");
    d.caption = QStringLiteral("Busca");
    d.band = QStringLiteral("Pesquisa Cliente");
    d.queryKey = QStringLiteral("clientes");
    d.table = QStringLiteral("CLIENTES");
    d.opening = {QStringLiteral("Select First 20 * from clientes  order by nome")};
    d.columns = {{QStringLiteral("CODIGO"), QStringLiteral("CODIGO"), QString(), 70},
                 {QStringLiteral("NOME"), QStringLiteral("NOME"), QString(), 220},
                 {QStringLiteral("ENDERECO"), QStringLiteral("ENDERECO"), QString(), 200},
                 {QStringLiteral("CNPJ"), QStringLiteral("CNPJ"), QString(), 0}};
    d.label = QStringLiteral("Digite Pesquisar");
    d.hint = QStringLiteral("Digite o nome ou somente parte dele");
    d.kindsCaption = QStringLiteral("| Tipo de Busca |");
    d.kinds = {{QStringLiteral("Nome"), QStringLiteral("SELECT first 25 * FROM Clientes WHERE NOME LIKE ")},
               {QStringLiteral("Endereço"), QStringLiteral("SELECT first 25 * FROM clientes WHERE Endereco LIKE ")}};
    return d;
}

} // namespace

TFormBusca::TFormBusca(QWidget *parent) : PickWindow(parent, customerDesign()) {}
