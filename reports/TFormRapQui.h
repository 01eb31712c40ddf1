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
    // The work table's fields, looked up once for all the rows.
    int m_codigo, m_nome, m_fornecedor, m_estGeral;
    // What the price title picks: Custo with "####0.00" or Valor with "###0.00".
    int m_price = 0;
    QString m_priceMask;
    double m_rowValue = 0;
    double m_groupTotal = 0;
    double m_grandTotal = 0;
};
