#include "registries/TFormBuscaForne.h"

namespace {

PickDesign supplierDesign()
{
    PickDesign d;
    d.objectName = QStringLiteral("FormBuscaForne");
    d.caption = QStringLiteral("Busca");
    d.band = QStringLiteral("Pesquisa Fornecedor");
    d.queryKey = QStringLiteral("fornecedor");
    d.table = QStringLiteral("FORNECEDOR");
    d.opening = {QStringLiteral("Select First 20 * from Fornecedor  order by nome")};
    d.columns = {{QStringLiteral("CODIGO"), QStringLiteral("CODIGO"), QString(), 70},
                 {QStringLiteral("NOME"), QStringLiteral("NOME"), QString(), 220},
                 {QStringLiteral("ENDERECO"), QStringLiteral("ENDERECO"), QString(), 200},
                 {QStringLiteral("CNPJ"), QStringLiteral("CNPJ"), QString(), 0}};
    d.label = QStringLiteral("Digite Pesquisar");
    d.hint = QStringLiteral("Digite o nome ou somente parte dele");
    d.kinds = {{QStringLiteral("Nome"), QStringLiteral("SELECT first 25 * FROM fornecedor WHERE NOME LIKE ")}};
    return d;
}

} // namespace

TFormBuscaForne::TFormBuscaForne(QWidget *parent) : PickWindow(parent, supplierDesign()) {}
