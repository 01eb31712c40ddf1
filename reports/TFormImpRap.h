#pragma once

#include "reports/ReportWindow.h"
#include "reports/WorkTable.h"

#include <functional>

class QComboBox;
class QRadioButton;

// Rows of the current stock position, built from the database (the print
// steps after the stored columns are cleared): the products of one group (or
// all), each with its stock over every movement ever recorded, ordered by
// classe and nome. groupCode is the code as the group list shows it, empty
// for all groups.
namespace StockPosition {

WorkTable makeTable();
QString productsSql(const QString &groupCode);
// "0012 - FERRAGENS" gives "0012"; codes above 9999 come whole.
QString groupCodeOf(const QString &listText);
void build(WorkTable &table, const QString &groupCode, bool onlyWithStock,
           const std::function<void(int recNo, int recordCount)> &progress = {});

} // namespace StockPosition

// ".: Estoque Atual - Impressão Rapida :.": the stock position report's selection window.
class TFormImpRap : public ReportWindow
{
    Q_OBJECT
public:
    explicit TFormImpRap(QWidget *parent = nullptr);

    const WorkTable &workTable() const { return m_table; }

    void BitBtn1Click();

private:
    QComboBox *m_group;
    QRadioButton *m_cost;
    QRadioButton *m_sale;
    QRadioButton *m_all;
    QRadioButton *m_withStock;
    WorkTable m_table;
};
