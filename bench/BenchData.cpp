#include "bench/BenchData.h"

#include "ui/Errors.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

void run(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(q.lastError().databaseText() + QStringLiteral("\n") + sql.left(300));
}

// One loop in the engine: a client insert per row would cost ten times more.
void loop(QSqlDatabase &db, int count, const QString &body)
{
    run(db, QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN %2 I = I + 1; END END")
                .arg(count)
                .arg(body));
}

} // namespace

void fillBenchData(QSqlDatabase &db, const BenchSizes &s)
{
    loop(db, s.families, QStringLiteral(
        "INSERT INTO TIPOS (ID, CODIGO, NOME, QUANT, VALOR) VALUES (:I, :I, 'FAMILIA ' || :I, 0, 0);"));
    loop(db, s.suppliers, QStringLiteral(
        "INSERT INTO FORNECEDOR (ID, CODIGO, NOME, ENDERECO, CIDADE, ESTADO, CEP, FONE, CNPJ) VALUES "
        "(:I, :I, 'FORNECEDOR ' || :I, 'RUA ' || :I, 'SALVADOR', 'BA', '40000-000', '(71) 3333-0000', '00.000.000/0001-00');"));
    loop(db, s.customers, QStringLiteral(
        "INSERT INTO CLIENTES (ID, CODIGO, NOME, ENDERECO, CIDADE, ESTADO, CEP, FAX, CNPJ) VALUES "
        "(:I, :I, 'CLIENTE ' || :I, 'AVENIDA ' || :I, 'FEIRA DE SANTANA', 'BA', '44000-000', '(75) 3222-0000', '000.000.000-00');"));
    loop(db, s.centres, QStringLiteral(
        "INSERT INTO GENERO (ID, CODIGO, GENERO) VALUES (:I, :I, 'CENTRO ' || :I);"));
    loop(db, s.products, QStringLiteral(
        "INSERT INTO PRODUTOS (ID, CODIGO, NOME, CLASSE, VALOR, UNIDADE, CUSTO, MEDIO, FORNECEDOR, MINIMO, "
        "LOCACAO, IPI, ESTOQUE, ENTRADA, SAIDA, ESTGERAL) VALUES "
        "(:I, LPAD(:I, 6, '0'), 'PRODUTO ' || :I, MOD(:I, %1) + 1, 10 + MOD(:I, 90), 'PC', "
        "5 + MOD(:I, 40), 5 + MOD(:I, 40), MOD(:I, %2) + 1, MOD(:I, 7), 'A-' || MOD(:I, 100), 0, 0, 0, 0, 0);")
        .arg(s.families).arg(s.suppliers));
    loop(db, s.kits, QStringLiteral(
        "INSERT INTO KITMASTER (ID, CODIGO, NOME, VALOT) VALUES (:I, 'KIT' || :I, 'KIT NUMERO ' || :I, 0); "
        "INSERT INTO KITPROD (ID, CODIGO, CODPROD, NOME, QUANT) VALUES (3 * :I - 2, 'KIT' || :I, LPAD(MOD(:I * 7, %1) + 1, 6, '0'), 'COMPONENTE A', 1); "
        "INSERT INTO KITPROD (ID, CODIGO, CODPROD, NOME, QUANT) VALUES (3 * :I - 1, 'KIT' || :I, LPAD(MOD(:I * 11, %1) + 1, 6, '0'), 'COMPONENTE B', 2); "
        "INSERT INTO KITPROD (ID, CODIGO, CODPROD, NOME, QUANT) VALUES (3 * :I, 'KIT' || :I, LPAD(MOD(:I * 13, %1) + 1, 6, '0'), 'COMPONENTE C', 3);")
        .arg(s.products));

    // The ledger: five years back from today, entries three times in ten,
    // exits charged to customers and cost centres, a share of kit rows.
    const QDate start = QDate::currentDate().addYears(-s.years);
    const int days = int(start.daysTo(QDate::currentDate()));
    loop(db, s.rows, QStringLiteral(
        "INSERT INTO ESTFIC (ID, CODIGO, DATA, HISTORICO, ENTRADA, SAIDA, NFISCAL, PEDIDO, VENDEDOR, VALOR, CLIENTE, CCUSTO, SDATA) VALUES "
        "(:I, LPAD(MOD(:I * 7919, %1) + 1, 6, '0'), DATEADD(MOD(:I * 104729, %2) DAY TO DATE '%3'), "
        "IIF(MOD(:I, 50) = 0, 'KIT KIT' || MOD(:I, %4), IIF(MOD(:I, 10) < 3, 'ENTRADA NF ' || :I, 'SAIDA PEDIDO ' || :I)), "
        "IIF(MOD(:I, 10) < 3, 5 + MOD(:I, 20), 0), IIF(MOD(:I, 10) < 3, 0, 1 + MOD(:I, 4)), "
        "MOD(:I, 100000), IIF(MOD(:I, 10) < 3, MOD(:I, %5) + 1, 0), 0, 5 + MOD(:I, 40), "
        "IIF(MOD(:I, 10) < 3, 0, MOD(:I, %6) + 1), IIF(MOD(:I, 10) < 3, 0, MOD(:I, %7) + 1), '0');")
        .arg(s.products).arg(qMax(1, days)).arg(start.toString(QStringLiteral("yyyy-MM-dd")))
        .arg(qMax(1, s.kits)).arg(s.suppliers).arg(s.customers).arg(s.centres));

    const struct { const char *gen; int value; } generators[] = {
        {"OUTROS", s.families}, {"FORNE", s.suppliers}, {"CLIENTE", s.customers}, {"GENERO", s.centres},
        {"PRODUTO", s.products}, {"KITMASTER", s.kits}, {"KITPROD", 3 * s.kits}, {"ESTFIC", s.rows}};
    for (const auto &g : generators)
        run(db, QStringLiteral("SET GENERATOR %1 TO %2").arg(QString::fromLatin1(g.gen)).arg(g.value));
}
