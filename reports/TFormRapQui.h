#pragma once

#include "reports/ReportEngine.h"

class WorkTable;

// Layout of the current stock position: one line per product, grouped by
// product group, with the stock valued at the chosen price.
class TFormRapQui : public Report
{
public:
    // The work table of TFormImpRap, already ordered by classe and nome.
    explicit TFormRapQui(const WorkTable &table);

    // "VENDA" or "CUSTO": the price column's title, which also picks the price.
    void setPriceTitle(const QString &title);
    QString priceTitle() const;

private:
    void detailBeforePrint(ReportBand &band);

    const WorkTable &m_table;
    double m_rowValue = 0;
    double m_groupTotal = 0;
    double m_grandTotal = 0;
};
