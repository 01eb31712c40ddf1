#pragma once

#include "reports/ReportEngine.h"
#include "reports/WorkTable.h"

// Rows of the kit list: one per item, each carrying its kit, in kit code
// order; a kit without items comes once, with its item fields empty and
// HasItem 0. Kits are told apart by Ordem (their place in the list), never by
// their code, which the database does not keep unique.
namespace KitList {

WorkTable makeTable();
// All kits ("select * from KitMaster order by codigo", on "KitMaster") and all
// items ("select * from KitProd order by id", on "KitProd"), paired by code.
void build(WorkTable &table);

} // namespace KitList

// "RELATÓRIO DE KITS - LISTAGEM GERAL DOS KITS": every kit with its items,
// A4 portrait. Reads the database when created.
class TFormImpKits : public Report
{
public:
    TFormImpKits();

    const WorkTable &workTable() const { return m_table; }

private:
    WorkTable m_table;
};
