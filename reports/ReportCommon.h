#pragma once

#include "reports/ReportEngine.h"

#include <QString>

// What every layout of the stock reports shares: the page header with the
// company block, the standard fonts, and the group name lookup.
namespace ReportCommon {

// The first row of Empresa, read when a layout is created.
struct Company
{
    QString empresa, endereco, cidade, estado, cnpj;
};
// Opens the data module's company dataset ("Select * from empresa").
Company readCompany();

inline const QString TitlePrefix = QStringLiteral("Controle de Estoque - ");

// Usable width of a Letter or A4 page between 10 mm margins, in pixels.
inline constexpr qreal LetterWidth = 740;

// The page header: title centred at the top, then EMPRESA, ENDEREÇO,
// CIDADE/ESTADO and CNPJ (with DATA and the current date and time when
// withDate) one per line, a rule under it. Returns the height it takes; the
// band's height is set to it. Items: "Titulo", "Empresa", "Endereco",
// "Cidade", "Estado", "Cnpj", "Data".
qreal addCompanyHeader(ReportBand &band, const QString &title, const Company &company, qreal width,
                       bool withDate = true, qreal bodyPoints = 8);

// "Pagina" and the page number at the top right of the header.
void addPageNumberTopRight(ReportBand &band, qreal width, qreal bodyPoints = 8);

// Name of a product group: "select * from tipos where codigo = " + code, on
// the shared query "Tipos"; empty when there is no such group.
QString groupName(const QString &code);

} // namespace ReportCommon
