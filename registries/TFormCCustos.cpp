#include "registries/TFormCCustos.h"

TFormCCustos::TFormCCustos(QWidget *parent) : CodeRegister(parent, config()) {}

CodeRegister::Config TFormCCustos::config()
{
    Config c;
    c.objectName = QStringLiteral("FormCCustos");
    c.table = QStringLiteral("genero");
    c.caption = QStringLiteral(".: Centro de Custo :.");
    c.band = QStringLiteral("Centro de Custo");
    c.columns = {{QStringLiteral("CODIGO"), QStringLiteral("CODIGO"), QString(), 70},
                 {QStringLiteral("GENERO"), QStringLiteral("Nomde do Centro de Custo"), QString(), 0}};
    c.nameField = QStringLiteral("GENERO");
    c.nameLength = 20;
    c.gridKey = QStringLiteral("atualiza");
    c.gridSql = QStringLiteral("select * from genero order by codigo");
    c.selectSql = QStringLiteral("select * from genero where codigo = ");
    c.insertSql = QStringLiteral("insert into genero (ID,CODIGO,GENERO) values (GEN_ID(GENERO,1),");
    c.updateSql = QStringLiteral("update genero set genero = ");
    c.updateWhere = QStringLiteral(" where codigo  = ");
    c.deleteSql = QStringLiteral("delete from genero where id = ");
    c.insertCut = 20;
    c.rereadAfterNo = true;
    c.closeSharedQueries = true;
    return c;
}
