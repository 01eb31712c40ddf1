#include "reports/TFormImpKits.h"

#include "data/Format.h"
#include "data/TLOGON.h"
#include "reports/ReportCommon.h"
#include "ui/Errors.h"

#include <QHash>
#include <QtMath>

namespace KitList {

WorkTable makeTable()
{
    using T = WorkTable::Type;
    return WorkTable({{QStringLiteral("Ordem"), T::Integer},
                      {QStringLiteral("Codigo"), T::Text, 10},
                      {QStringLiteral("Nome"), T::Text, 30},
                      {QStringLiteral("Valot"), T::Float},
                      {QStringLiteral("HasItem"), T::Integer},
                      {QStringLiteral("CodProd"), T::Text, 14},
                      {QStringLiteral("NomeProd"), T::Text, 25},
                      {QStringLiteral("Quant"), T::Float}});
}

void build(WorkTable &table)
{
    table.recreate();
    LOGON->RunOnQuery(QStringLiteral("KitMaster"), QStringLiteral("select * from KitMaster order by codigo"),
                      QStringLiteral("open"));
    LOGON->RunOnQuery(QStringLiteral("KitProd"), QStringLiteral("select * from KitProd order by id"),
                      QStringLiteral("open"));

    // Items by kit code in one pass, so the list costs two queries however
    // many kits there are.
    const SharedQuery &items = LOGON->KitProd;
    QHash<QString, QList<int>> itemsOf;
    for (int i = 0; i < items.count(); ++i) {
        const QVariant code = items.valueAt(i, QStringLiteral("CODIGO"));
        if (!code.isNull())
            itemsOf[code.toString()].append(i);
    }

    const SharedQuery &kits = LOGON->KitMaster;
    for (int k = 0; k < kits.count(); ++k) {
        const QVariant code = kits.valueAt(k, QStringLiteral("CODIGO"));
        const QList<int> own = code.isNull() ? QList<int>() : itemsOf.value(code.toString());
        auto addRow = [&](int item) {
            const int row = table.append();
            auto put = [&](const QString &field, const QVariant &value) {
                try {
                    table.set(row, field, value);
                } catch (const AppError &) {
                    // an unreadable value prints empty; the row is still listed
                }
            };
            put(QStringLiteral("Ordem"), k);
            put(QStringLiteral("Codigo"), code);
            put(QStringLiteral("Nome"), kits.valueAt(k, QStringLiteral("NOME")));
            put(QStringLiteral("Valot"), kits.valueAt(k, QStringLiteral("VALOT")));
            put(QStringLiteral("HasItem"), item >= 0 ? 1 : 0);
            if (item >= 0) {
                put(QStringLiteral("CodProd"), items.valueAt(item, QStringLiteral("CODPROD")));
                put(QStringLiteral("NomeProd"), items.valueAt(item, QStringLiteral("NOME")));
                put(QStringLiteral("Quant"), items.valueAt(item, QStringLiteral("QUANT")));
            }
        };
        if (own.isEmpty())
            addRow(-1); // the kit's band still prints
        for (int item : own)
            addRow(item);
    }
}

} // namespace KitList

namespace {

// A4 between 10 mm margins.
const qreal Width = qFloor(mmToPx(190));

struct Column
{
    qreal x, width;
};
constexpr Column KitCode{0, 90};
constexpr Column KitName{100, 400};
const Column KitValue{Width - 160, 160};
constexpr Column ItemCode{30, 95};
constexpr Column ItemName{130, 280};
constexpr Column ItemQuant{420, 120};

} // namespace

TFormImpKits::TFormImpKits() : m_table(KitList::makeTable())
{
    name = QStringLiteral("TFormImpKits");
    caption = QStringLiteral("Relatório de Kits");
    page = PageSetup::a4();
    setSource(&m_table);

    const QFont body = reportFont(8);
    const QFont bold = reportFont(8, true);
    const ReportCommon::Company company = ReportCommon::readCompany();

    // Title, the company lines (the state follows the city), a rule, the headings.
    const qreal line = 16;
    pageHeader.addText(QStringLiteral("Titulo"), 0, 0, Width,
                       QStringLiteral("RELATÓRIO DE KITS - LISTAGEM GERAL DOS KITS"), reportFont(13, true),
                       Qt::AlignHCenter);
    qreal y = 28;
    const qreal valueX = 70;
    const struct
    {
        const char *label, *name;
        QString value;
    } lines[] = {
        {"EMPRESA", "Empresa", company.empresa},
        {"ENDEREÇO", "Endereco", company.endereco},
        {"CIDADE", "Cidade", (company.cidade.trimmed() + QLatin1Char(' ') + company.estado.trimmed()).trimmed()},
        {"CNPJ", "Cnpj", company.cnpj},
    };
    for (const auto &l : lines) {
        pageHeader.addText(QString(), 0, y, valueX, QString::fromUtf8(l.label), bold);
        pageHeader.addText(QString::fromLatin1(l.name), valueX, y, Width - valueX, l.value, body);
        y += line;
    }
    y += 3;
    pageHeader.addLine(0, y, Width, y);
    y += 4;
    pageHeader.addText(QString(), KitCode.x, y, KitCode.width, QStringLiteral("CODIGO"), bold);
    pageHeader.addText(QString(), KitName.x, y, KitName.width, QStringLiteral("DESCRIÇÃO"), bold);
    pageHeader.addText(QString(), KitValue.x, y, KitValue.width, QStringLiteral("VALOR"), bold, Qt::AlignRight);
    pageHeader.setHeight(y + line + 2);

    // One band per kit: its line, a short rule and the item headings.
    ReportGroup &kit = addGroup(QStringLiteral("Ordem"));
    kit.header.setHeight(40);
    kit.header.addText(QStringLiteral("Codigo"), KitCode.x, 4, KitCode.width, QString(), bold);
    kit.header.addText(QStringLiteral("Nome"), KitName.x, 4, KitName.width, QString(), bold);
    kit.header.addText(QStringLiteral("Valot"), KitValue.x, 4, KitValue.width, QString(), bold, Qt::AlignRight);
    kit.header.addLine(ItemCode.x, 21, ItemQuant.x + ItemQuant.width, 21);
    kit.header.addText(QString(), ItemCode.x, 23, ItemCode.width, QStringLiteral("Codigo"), body);
    kit.header.addText(QString(), ItemName.x, 23, ItemName.width, QStringLiteral("Produto"), body);
    kit.header.addText(QString(), ItemQuant.x, 23, ItemQuant.width, QStringLiteral("Quantidade"), body,
                       Qt::AlignRight);
    kit.header.beforePrint = [this](ReportBand &band) {
        const int row = currentRow();
        band.setText(QStringLiteral("Codigo"), m_table.text(row, QStringLiteral("Codigo")));
        band.setText(QStringLiteral("Nome"), m_table.text(row, QStringLiteral("Nome")));
        const QVariant value = m_table.value(row, QStringLiteral("Valot"));
        band.setText(QStringLiteral("Valot"),
                     value.isNull() ? QString() : Format::FormatFloat(QStringLiteral("0.00"), value.toDouble()));
    };

    detail.setHeight(15);
    detail.addText(QStringLiteral("CodProd"), ItemCode.x, 0, ItemCode.width, QString(), body);
    detail.addText(QStringLiteral("NomeProd"), ItemName.x, 0, ItemName.width, QString(), body);
    detail.addText(QStringLiteral("Quant"), ItemQuant.x, 0, ItemQuant.width, QString(), body, Qt::AlignRight);
    detail.beforePrint = [this](ReportBand &band) {
        const int row = currentRow();
        if (m_table.integer(row, QStringLiteral("HasItem")) == 0) {
            band.skipThisPrint();
            return;
        }
        band.setText(QStringLiteral("CodProd"), m_table.text(row, QStringLiteral("CodProd")));
        band.setText(QStringLiteral("NomeProd"), m_table.text(row, QStringLiteral("NomeProd")));
        const QVariant quant = m_table.value(row, QStringLiteral("Quant"));
        band.setText(QStringLiteral("Quant"),
                     quant.isNull() ? QString() : Format::FormatFloat(QString(), quant.toDouble()));
    };

    KitList::build(m_table);
}
