#include "registries/TFormLcPro.h"

namespace {

PickDesign productDesign()
{
    PickDesign d;
    d.objectName = QStringLiteral("FormLcPro");
    d.caption = QStringLiteral("Localiza Produto");
    d.band = QStringLiteral("Pesquisa Produtos");
    d.queryKey = QStringLiteral("pesquisa");
    d.table = QStringLiteral("PRODUTOS");
    d.opening = {QStringLiteral("Select  first 20 * from Produtos "), QStringLiteral("order by nome")};
    d.columns = {{QStringLiteral("CODIGO"), QStringLiteral("CODIGO"), QString(), 120},
                 {QStringLiteral("NOME"), QStringLiteral("NOME"), QString(), 340},
                 {QStringLiteral("VALOR"), QStringLiteral("VALOR"), QStringLiteral("0.00"), 0}};
    d.label = QStringLiteral("Digite");
    d.kindsCaption = QStringLiteral("| Localiza Produto |");
    d.kinds = {{QStringLiteral("Nome"), QStringLiteral("SELECT first 25 * FROM PRODUTOS WHERE NOME LIKE ")},
               {QStringLiteral("Codigo"), QStringLiteral("SELECT first 25 * FROM PRODUTOS WHERE CODIGO LIKE ")}};
    d.kindEmptiesBox = true;
    // A search that fails leaves the list as it was; the operator just types on.
    d.quietFailures = true;
    d.showCurrent = true;
    d.closeListOnClose = true;
    return d;
}

} // namespace

TFormLcPro::TFormLcPro(QWidget *parent) : PickWindow(parent, productDesign()) {}
