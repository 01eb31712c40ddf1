#pragma once

#include "reports/ReportEngine.h"
#include "reports/WorkTable.h"

#include <QHash>
#include <QSet>
#include <QString>

namespace KitCost {

// CUSTO of each of these products, read on the shared query "pesquisa" with
// "select codigo, custo from produtos where codigo in (...)". A code with no
// product is left out (it costs 0); a null cost is 0.
QHash<QString, double> unitCosts(const QSet<QString> &codes);

} // namespace KitCost

// Technical sheet of one kit ("FICHA TÉCNICA"): its components with quantity,
// unit cost and total, and the kit's cost against its stored value. Letter
// portrait.
//
// It prints the items the kit window has just selected on the shared query
// "kitprod"; each component's unit cost is the CUSTO of its product, read
// with one query for all of them. A component whose product no longer
// exists costs 0.
class TFormImpPratoQui : public Report
{
public:
    TFormImpPratoQui();

    // kit code + " / " + kit name.
    void setProductLine(const QString &text);
    // The kit's stored value (KitMaster.VALOT) as it prints under "Custo Total".
    void setStoredTotal(const QString &text);

    const WorkTable &workTable() const { return m_table; }

private:
    void readItems();

    WorkTable m_table;
    double m_total = 0;
};
