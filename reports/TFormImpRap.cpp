#include "reports/TFormImpRap.h"

#include "data/Format.h"
#include "data/Parse.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "reports/TFormRapQui.h"
#include "ui/Errors.h"
#include "ui/Guard.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace StockPosition {

WorkTable makeTable()
{
    using T = WorkTable::Type;
    return WorkTable({{QStringLiteral("Codigo"), T::Text, 15},
                      {QStringLiteral("Nome"), T::Text, 40},
                      {QStringLiteral("EstGeral"), T::Float},
                      {QStringLiteral("Custo"), T::Float},
                      {QStringLiteral("Classe"), T::Integer},
                      {QStringLiteral("fornecedor"), T::Integer},
                      {QStringLiteral("Valor"), T::Float}});
}

QString groupCodeOf(const QString &listText)
{
    const int dash = int(listText.indexOf(QLatin1String(" - ")));
    return (dash < 0 ? listText : listText.left(dash)).trimmed();
}

QString productsSql(const QString &groupCode)
{
    if (groupCode.isEmpty())
        return QStringLiteral("select * from produtos");
    QString sql = QStringLiteral("select * from produtos where classe =") + QuoteSql(groupCode);
    // The list shows the code with leading zeros (0012) while the product
    // registry stores it as typed (12): match both, or the group comes out empty.
    int number = 0;
    if (Parse::tryInteger(groupCode, &number)) {
        const QString plain = QString::number(number);
        if (plain != groupCode)
            sql += QStringLiteral(" or classe =") + QuoteSql(plain);
    }
    return sql;
}

void build(WorkTable &table, const QString &groupCode, bool onlyWithStock,
           const std::function<void(int, int)> &progress)
{
    LOGON->RunOnQuery(QStringLiteral("produtos"), productsSql(groupCode), QStringLiteral("open"));
    table.recreate();
    LOGON->RunOnQuery(QStringLiteral("pesquisa"),
                      QStringLiteral("select codigo,SUM(entrada) as eent, SUM(saida) as esai from estfic  group by codigo"),
                      QStringLiteral("open"));

    // Sums paired with products by code through a hash: one pass over each,
    // whatever the size of the ledger. Fields are looked up once, not per
    // row; one the result lacks reads as empty.
    const SharedQuery &sums = LOGON->Pesquisa;
    const int sumCode = sums.columnOf(QStringLiteral("codigo"));
    const int sumIn = sums.columnOf(QStringLiteral("eent"));
    const int sumOut = sums.columnOf(QStringLiteral("esai"));
    QHash<QString, int> sumRow;
    sumRow.reserve(sums.count());
    for (int i = 0; i < sums.count(); ++i) {
        const QVariant code = sums.cell(i, sumCode);
        if (!code.isNull())
            sumRow.insert(code.toString(), i); // grouped: one row per code
    }
    auto sum = [&](int row, int column) {
        const QVariant v = sums.cell(row, column);
        bool ok = false;
        const double d = v.toDouble(&ok);
        return v.isNull() || !ok ? 0.0 : d;
    };

    const SharedQuery &products = LOGON->Produtos;
    auto column = [&](const char *name) { return products.columnOf(QLatin1String(name)); };
    const int codeColumn = column("codigo"), nameColumn = column("nome"), costColumn = column("custo"),
              priceColumn = column("valor"), groupColumn = column("classe"), supplierColumn = column("fornecedor");
    auto field = [&](const char *name) { return table.fieldIndex(QLatin1String(name)); };
    const int codeField = field("Codigo"), nameField = field("Nome"), stockField = field("EstGeral"),
              costField = field("Custo"), priceField = field("Valor"), groupField = field("Classe"),
              supplierField = field("fornecedor");

    const int count = products.count();
    for (int i = 0; i < count; ++i) {
        const QString code = products.cell(i, codeColumn).toString();
        const QString name = products.cell(i, nameColumn).toString();
        double stock = 0;
        const auto found = sumRow.constFind(code);
        if (found != sumRow.constEnd())
            stock = sum(*found, sumIn) - sum(*found, sumOut);

        // "Somente com estoque" leaves out what would print as 0,00.
        const bool listed = !code.trimmed().isEmpty() && !name.trimmed().isEmpty()
                            && !(onlyWithStock && qAbs(stock) < 0.005);
        if (listed) {
            const int row = table.append();
            auto put = [&](int index, const QVariant &value) {
                try {
                    table.set(row, index, value);
                } catch (const AppError &) {
                    // the column stays empty; the product is still listed
                }
            };
            put(codeField, code);
            put(nameField, name);
            put(stockField, stock);
            put(costField, products.cell(i, costColumn));
            put(priceField, products.cell(i, priceColumn));
            int group = 0;
            if (!Parse::tryInteger(products.cell(i, groupColumn).toString(), &group))
                group = 0;
            put(groupField, group);
            put(supplierField, products.cell(i, supplierColumn));
        }
        if (progress)
            progress(i + 1, count);
    }
    table.setIndexFieldNames(QStringLiteral("classe;nome"));
}

} // namespace StockPosition

TFormImpRap::TFormImpRap(QWidget *parent)
    : ReportWindow(parent, QStringLiteral(".: Estoque Atual - Impressão Rapida :."),
                   QStringLiteral("Posição atual do Estoque")),
      m_table(StockPosition::makeTable())
{
    setObjectName(QStringLiteral("TFormImpRap"));
    closeButton()->setToolTip(QStringLiteral("Retornar ao menu principal"));

    auto *groupLabel = new QLabel(QStringLiteral("Grupo / Família"), panel());
    m_group = new QComboBox(panel());
    m_group->setObjectName(QStringLiteral("ComboBox1"));
    m_group->setMinimumWidth(320);
    groupLabel->setBuddy(m_group);
    panelLayout()->addWidget(groupLabel);
    panelLayout()->addWidget(m_group);

    addOutputChoice(QStringLiteral("| Opção |"));

    auto *prices = new QGroupBox(QStringLiteral("| Usar valores |"), panel());
    prices->setObjectName(QStringLiteral("UsarValores"));
    auto *pricesRow = new QHBoxLayout(prices);
    m_cost = new QRadioButton(QStringLiteral("Valor de custo"), prices);
    m_cost->setObjectName(QStringLiteral("RadioButton1"));
    m_sale = new QRadioButton(QStringLiteral("Valor de venda"), prices);
    m_sale->setObjectName(QStringLiteral("RadioButton2"));
    m_sale->setChecked(true);
    pricesRow->addWidget(m_cost);
    pricesRow->addWidget(m_sale);
    panelLayout()->addWidget(prices);

    addProgress();

    auto *kind = new QGroupBox(QStringLiteral("| Tipo de Relatório |"), panel());
    kind->setObjectName(QStringLiteral("TipoRelatorio"));
    auto *kindRow = new QHBoxLayout(kind);
    m_all = new QRadioButton(QStringLiteral("Todos os Prrodutos"), kind);
    m_all->setObjectName(QStringLiteral("RadioButton3"));
    m_withStock = new QRadioButton(QStringLiteral("Somente com estoque"), kind);
    m_withStock->setObjectName(QStringLiteral("RadioButton4"));
    m_all->setChecked(true);
    kindRow->addWidget(m_all);
    kindRow->addWidget(m_withStock);
    panelLayout()->addWidget(kind);

    m_group->addItem(QStringLiteral("0000 - Todos"));
    LOGON->RunOnQuery(QStringLiteral("tipos"), QStringLiteral("select * from tipos order by codigo"),
                      QStringLiteral("open"));
    SharedQuery &groups = LOGON->Tipos;
    for (groups.first(); !groups.eof(); groups.next())
        m_group->addItem(Format::FormatFloat(QStringLiteral("0000"), groups.number(QStringLiteral("codigo")))
                         + QStringLiteral(" - ") + groups.text(QStringLiteral("nome")));
    m_group->setCurrentIndex(0);

    onSignal(printButton(), &QPushButton::clicked, this, &TFormImpRap::BitBtn1Click);
}

void TFormImpRap::BitBtn1Click()
{
    printButton()->setEnabled(false);
    // A failed query must not leave the window unable to print again.
    const auto enableAgain = qScopeGuard([this] { printButton()->setEnabled(true); });
    resetProgress();

    LOGON->RunOnQuery(QStringLiteral("atualiza"),
                      QStringLiteral("update produtos set estgeral = '0',estoque = '0',entrada = '0',saida = '0'"),
                      QStringLiteral("exec"));
    const QString groupCode =
        m_group->currentIndex() <= 0 ? QString() : StockPosition::groupCodeOf(m_group->currentText());
    StockPosition::build(m_table, groupCode, m_withStock->isChecked(),
                         [this](int recNo, int count) { advanceProgress(recNo, count); });

    TFormRapQui layout(m_table);
    layout.setPriceTitle(m_sale->isChecked() ? QStringLiteral("VENDA") : QStringLiteral("CUSTO"));
    present(layout);
}
