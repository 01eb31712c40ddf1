#include "registries/TFormTipos.h"

TFormTipos::TFormTipos(QWidget *parent) : CodeRegister(parent, config()) {}

CodeRegister::Config TFormTipos::config()
{
    Config c;
    c.objectName = QStringLiteral("FormTipos");
    c.table = QStringLiteral("tipos");
    c.caption = QStringLiteral(".: CATEGORIAS DOS PRODUTOS :.");
    c.band = QStringLiteral("Cadastro de Categorias");
    c.frameTitle = QStringLiteral("| Categorias |");
    c.columns = {{QStringLiteral("CODIGO"), QStringLiteral("CODIGO"), QString(), 70},
                 {QStringLiteral("NOME"), QStringLiteral("NOME"), QString(), 0}};
    c.nameField = QStringLiteral("NOME");
    c.nameLength = 40;
    // The grid reads the data module's own Tipos query, which the product
    // window also uses for its list of families.
    c.gridKey = QStringLiteral("tipos");
    c.gridSql = QStringLiteral("select * from tipos order by codigo ");
    c.selectSql = QStringLiteral("select * from tipos where codigo = ");
    c.insertSql = QStringLiteral("insert into tipos (id,codigo,nome) values (GEN_ID(OUTROS,1),");
    c.updateSql = QStringLiteral("update tipos set nome = ");
    c.updateWhere = QStringLiteral(" where codigo  = ");
    c.deleteSql = QStringLiteral("delete from tipos where id = ");
    c.codeMask = QStringLiteral("0");
    return c;
}
