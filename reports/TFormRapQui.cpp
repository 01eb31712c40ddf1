#include "reports/TFormRapQui.h"

#include "data/Format.h"
#include "data/Parse.h"
#include "reports/ReportCommon.h"
#include "reports/WorkTable.h"

namespace {

// Columns, left to right, in pixels from the left margin.
struct Column
{
    qreal x, width;
};
constexpr Column Codigo{0, 95};
constexpr Column Nome{100, 255};
constexpr Column Fornecedor{360, 75};
constexpr Column Atual{440, 80};
constexpr Column Preco{525, 80};
constexpr Column Total{610, 130};
constexpr qreal Width = ReportCommon::LetterWidth;

const QString Money = QStringLiteral("##,##0.00");

} // namespace

TFormRapQui::TFormRapQui(const WorkTable &table)
    : m_table(table), m_codigo(table.fieldIndex(QStringLiteral("Codigo"))),
      m_nome(table.fieldIndex(QStringLiteral("Nome"))), m_fornecedor(table.fieldIndex(QStringLiteral("fornecedor"))),
      m_estGeral(table.fieldIndex(QStringLiteral("EstGeral")))
{
    name = QStringLiteral("TFormRapQui");
    caption = QStringLiteral("Posição atual do Estoque");
    page = PageSetup::letter();
    page.marginsMm = QMarginsF(10, 10, 10, 20);
    setSource(&m_table);

    const QFont body = reportFont(8);
    const QFont bold = reportFont(8, true);

    ReportCommon::addCompanyHeader(pageHeader, ReportCommon::TitlePrefix + QStringLiteral("Estoque "),
                                   ReportCommon::readCompany(), Width);

    columnHeader.setHeight(20);
    columnHeader.addText(QString(), Codigo.x, 2, Codigo.width, QStringLiteral("CODIGO"), bold);
    columnHeader.addText(QString(), Nome.x, 2, Nome.width, QStringLiteral("PRODUTO"), bold);
    columnHeader.addText(QString(), Fornecedor.x, 2, Fornecedor.width, QStringLiteral("FORNECEDOR"), bold);
    columnHeader.addText(QString(), Atual.x, 2, Atual.width, QStringLiteral("ATUAL"), bold, Qt::AlignRight);
    columnHeader.addText(QStringLiteral("Preco"), Preco.x, 2, Preco.width, QStringLiteral("CUSTO"), bold,
                         Qt::AlignRight);
    columnHeader.addText(QString(), Total.x, 2, Total.width, QStringLiteral("TOTAL"), bold, Qt::AlignRight);
    columnHeader.addLine(0, 18, Width, 18);

    ReportGroup &group = addGroup(QStringLiteral("Classe"));
    group.header.setHeight(20);
    group.header.addText(QString(), 0, 4, 95, QStringLiteral("GRUPO/FAMILIA: "), bold);
    group.header.addText(QStringLiteral("Grupo"), 100, 4, 50, QString(), bold);
    group.header.addText(QStringLiteral("NomeGrupo"), 155, 4, 400, QString(), bold);
    group.header.beforePrint = [this](ReportBand &band) {
        const QString code = field(QStringLiteral("Classe")).toString();
        band.setText(QStringLiteral("Grupo"), code);
        band.setText(QStringLiteral("NomeGrupo"), code.isEmpty() ? QString() : ReportCommon::groupName(code));
    };

    detail.setHeight(15);
    detail.addText(QStringLiteral("Codigo"), Codigo.x, 0, Codigo.width, QString(), body);
    detail.addText(QStringLiteral("Nome"), Nome.x, 0, Nome.width, QString(), body);
    detail.addText(QStringLiteral("fornecedor"), Fornecedor.x, 0, Fornecedor.width, QString(), body);
    detail.addText(QStringLiteral("Atual"), Atual.x, 0, Atual.width, QString(), body, Qt::AlignRight);
    detail.addText(QStringLiteral("Preco"), Preco.x, 0, Preco.width, QString(), body, Qt::AlignRight);
    detail.addText(QStringLiteral("Total"), Total.x, 0, Total.width, QString(), body, Qt::AlignRight);
    detail.beforePrint = [this](ReportBand &band) { detailBeforePrint(band); };

    group.footer.setHeight(26);
    group.footer.addLine(Preco.x, 3, Width, 3);
    group.footer.addText(QString(), Preco.x, 6, Preco.width, QStringLiteral("TOTAL "), reportFont(10), Qt::AlignLeft, 18);
    group.footer.addText(QStringLiteral("TotalGrupo"), Total.x, 6, Total.width, QString(), bold, Qt::AlignRight, 18);
    group.footer.beforePrint = [this](ReportBand &band) {
        band.setText(QStringLiteral("TotalGrupo"), Format::FormatFloat(Money, m_groupTotal));
        m_groupTotal = 0;
    };

    summary.setHeight(30);
    summary.addLine(Total.x, 4, Width, 4);
    summary.addText(QString(), Atual.x, 8, Preco.x + Preco.width - Atual.x, QStringLiteral("TOTAL GERAL"),
                    reportFont(10, true), Qt::AlignRight, 18);
    summary.addText(QStringLiteral("TotalGeral"), Total.x, 8, Total.width, QString(), bold, Qt::AlignRight, 18);
    summary.beforePrint = [this](ReportBand &band) {
        band.setText(QStringLiteral("TotalGeral"), Format::FormatFloat(Money, m_grandTotal));
        m_grandTotal = 0;
    };
    setPriceTitle(QStringLiteral("CUSTO"));
}

void TFormRapQui::setPriceTitle(const QString &title)
{
    columnHeader.setText(QStringLiteral("Preco"), title);
    const bool cost = title == QLatin1String("CUSTO");
    m_price = m_table.fieldIndex(cost ? QStringLiteral("Custo") : QStringLiteral("Valor"));
    m_priceMask = cost ? QStringLiteral("####0.00") : QStringLiteral("###0.00");
}

QString TFormRapQui::priceTitle() const { return columnHeader.text(QStringLiteral("Preco")); }

void TFormRapQui::detailBeforePrint(ReportBand &band)
{
    const int row = currentRow();
    band.setText(QStringLiteral("Codigo"), m_table.text(row, m_codigo));
    band.setText(QStringLiteral("Nome"), m_table.text(row, m_nome));
    band.setText(QStringLiteral("fornecedor"), m_table.text(row, m_fornecedor));

    const double stock = m_table.number(row, m_estGeral);
    band.setText(QStringLiteral("Atual"), Format::FormatFloat(QStringLiteral("####0.00"), stock));
    const QString price = Format::FormatFloat(m_priceMask, m_table.number(row, m_price));
    band.setText(QStringLiteral("Preco"), price);

    // The value is worked out from the price as printed, rounded to cents,
    // so that the column adds up to what the reader multiplies by hand.
    double printedPrice = 0;
    if (!Parse::tryNumber(price, &printedPrice))
        printedPrice = 0;
    m_rowValue = stock * printedPrice;
    band.setText(QStringLiteral("Total"), Format::FormatFloat(Money, m_rowValue));
    m_groupTotal += m_rowValue;
    m_grandTotal += m_rowValue;
}
