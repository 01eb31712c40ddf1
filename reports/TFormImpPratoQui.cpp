#include "reports/TFormImpPratoQui.h"

#include "data/Format.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "reports/ReportCommon.h"
#include "ui/Errors.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace {

struct Column
{
    qreal x, width;
};
constexpr Column Codigo{0, 90};
constexpr Column Produto{100, 250};
constexpr Column Quant{355, 140};
constexpr Column Custo{500, 115};
constexpr Column Total{620, 120};
constexpr qreal Width = ReportCommon::LetterWidth;

const QString Money = QStringLiteral("#,##0.00");
const QString Quantity = QStringLiteral("#,##0.00000000");

} // namespace

TFormImpPratoQui::TFormImpPratoQui()
    : m_table({{QStringLiteral("Codigo"), WorkTable::Type::Text, 14},
               {QStringLiteral("Nome"), WorkTable::Type::Text, 25},
               {QStringLiteral("Quant"), WorkTable::Type::Float},
               {QStringLiteral("Custo"), WorkTable::Type::Float}})
{
    name = QStringLiteral("TFormImpPratoQui");
    caption = QStringLiteral("Ficha Técnica");
    page = PageSetup::letter();
    setSource(&m_table);

    const QFont table = reportFont(12);
    const QFont tableBold = reportFont(12, true);

    qreal y = ReportCommon::addCompanyHeader(pageHeader, QStringLiteral("FICHA TÉCNICA"), ReportCommon::readCompany(),
                                             Width);
    pageHeader.addText(QString(), 0, y, 60, QStringLiteral("Produto"), reportFont(10, true));
    pageHeader.addText(QStringLiteral("Produto"), 65, y, Width - 65, QString(), reportFont(10));
    y += 20;
    pageHeader.setHeight(y);

    columnHeader.setHeight(24);
    columnHeader.addText(QString(), Codigo.x, 2, Codigo.width, QStringLiteral("CODIGO"), tableBold, Qt::AlignRight);
    columnHeader.addText(QString(), Produto.x, 2, Produto.width, QStringLiteral("PRODUTO"), tableBold);
    columnHeader.addText(QString(), Quant.x, 2, Quant.width, QStringLiteral("QUANT."), tableBold, Qt::AlignRight);
    columnHeader.addText(QString(), Custo.x, 2, Custo.width, QStringLiteral("CUSTO"), tableBold, Qt::AlignRight);
    columnHeader.addText(QString(), Total.x, 2, Total.width, QStringLiteral("TOTAL"), tableBold, Qt::AlignRight);
    columnHeader.addLine(0, 22, Width, 22);

    detail.setHeight(21);
    detail.addText(QStringLiteral("Codigo"), Codigo.x, 0, Codigo.width, QString(), table, Qt::AlignRight);
    detail.addText(QStringLiteral("Nome"), Produto.x, 0, Produto.width, QString(), table);
    detail.addText(QStringLiteral("Quant"), Quant.x, 0, Quant.width, QString(), table, Qt::AlignRight);
    detail.addText(QStringLiteral("Custo"), Custo.x, 0, Custo.width, QString(), table, Qt::AlignRight);
    detail.addText(QStringLiteral("Total"), Total.x, 0, Total.width, QString(), table, Qt::AlignRight);
    detail.beforePrint = [this](ReportBand &band) {
        const int row = currentRow();
        const double quant = m_table.number(row, QStringLiteral("Quant"));
        const double cost = m_table.number(row, QStringLiteral("Custo"));
        const double total = quant * cost;
        band.setText(QStringLiteral("Codigo"), m_table.text(row, QStringLiteral("Codigo")));
        band.setText(QStringLiteral("Nome"), m_table.text(row, QStringLiteral("Nome")));
        band.setText(QStringLiteral("Quant"), Format::FormatFloat(Quantity, quant));
        band.setText(QStringLiteral("Custo"), Format::FormatFloat(Money, cost));
        band.setText(QStringLiteral("Total"), Format::FormatFloat(Money, total));
        m_total += total;
    };

    summary.setHeight(72);
    summary.addLine(0, 3, Width, 3);
    summary.addText(QString(), Custo.x - 100, 8, Custo.width + 100, QStringLiteral("TOTAL GERAL"), tableBold,
                    Qt::AlignRight);
    summary.addText(QStringLiteral("TotalGeral"), Total.x, 8, Total.width, QString(), tableBold, Qt::AlignRight);
    summary.addText(QString(), 0, 32, 200, QStringLiteral("Custo da Composição"), reportFont(10, true));
    summary.addText(QStringLiteral("CustoComposicao"), 205, 32, 120, QString(), reportFont(10), Qt::AlignRight);
    summary.addText(QString(), 0, 50, 200, QStringLiteral("Custo Total"), reportFont(10, true));
    summary.addText(QStringLiteral("CustoTotal"), 205, 50, 120, QString(), reportFont(10), Qt::AlignRight);
    summary.beforePrint = [this](ReportBand &band) {
        band.setText(QStringLiteral("TotalGeral"), Format::FormatFloat(Money, m_total));
        band.setText(QStringLiteral("CustoComposicao"), Format::FormatFloat(Money, m_total));
        m_total = 0;
    };

    readItems();
}

void TFormImpPratoQui::setProductLine(const QString &text) { pageHeader.setText(QStringLiteral("Produto"), text); }

void TFormImpPratoQui::setStoredTotal(const QString &text) { summary.setText(QStringLiteral("CustoTotal"), text); }

void TFormImpPratoQui::readItems()
{
    // Copied first: the cost query below runs on another shared query, but
    // the items must not depend on what is left on "kitprod" afterwards.
    const SharedQuery &items = LOGON->KitProd;
    m_table.recreate();
    QSet<QString> codes;
    for (int i = 0; i < items.count(); ++i) {
        const int row = m_table.append();
        auto put = [&](const QString &field, const QVariant &value) {
            try {
                m_table.set(row, field, value);
            } catch (const AppError &) {
                // an unreadable value prints as 0 or empty
            }
        };
        const QVariant code = items.valueAt(i, QStringLiteral("CODPROD"));
        put(QStringLiteral("Codigo"), code);
        put(QStringLiteral("Nome"), items.valueAt(i, QStringLiteral("NOME")));
        put(QStringLiteral("Quant"), items.valueAt(i, QStringLiteral("QUANT")));
        if (!code.isNull())
            codes.insert(code.toString());
    }
    if (codes.isEmpty())
        return;
    const QHash<QString, double> costOf = KitCost::unitCosts(codes);
    for (int r = 0; r < m_table.rowCount(); ++r)
        m_table.set(r, QStringLiteral("Custo"), costOf.value(m_table.text(r, QStringLiteral("Codigo")), 0.0));
}

namespace KitCost {

QHash<QString, double> unitCosts(const QSet<QString> &codes)
{
    QHash<QString, double> costOf;
    QStringList quoted;
    for (const QString &code : codes)
        quoted << QuoteSql(code);
    quoted.sort();
    // Firebird takes at most 1500 values in one IN list.
    constexpr int Chunk = 1000;
    for (int from = 0; from < quoted.size(); from += Chunk) {
        LOGON->RunOnQuery(QStringLiteral("pesquisa"),
                          QStringLiteral("select codigo, custo from produtos where codigo in (")
                              + quoted.mid(from, Chunk).join(QLatin1Char(',')) + QLatin1Char(')'),
                          QStringLiteral("open"));
        const SharedQuery &costs = LOGON->Pesquisa;
        for (int i = 0; i < costs.count(); ++i) {
            const QVariant code = costs.valueAt(i, QStringLiteral("codigo"));
            const QVariant cost = costs.valueAt(i, QStringLiteral("custo"));
            // Two products with one code: the first read counts, as a lookup would find it.
            if (!code.isNull() && !costOf.contains(code.toString()))
                costOf.insert(code.toString(), cost.isNull() ? 0.0 : cost.toDouble());
        }
    }
    return costOf;
}

} // namespace KitCost
