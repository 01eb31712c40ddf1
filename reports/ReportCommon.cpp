#include "reports/ReportCommon.h"

#include "data/Clock.h"
#include "data/Format.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"

#include <QDateTime>
#include <QtMath>

namespace ReportCommon {

Company readCompany()
{
    LOGON->RunOnQuery(QStringLiteral("Empresa"), QStringLiteral("Select * from empresa"), QStringLiteral("open"));
    SharedQuery &q = LOGON->Empresa;
    q.first();
    Company c;
    if (q.isEmpty())
        return c;
    c.empresa = q.text(QStringLiteral("Empresa"));
    c.endereco = q.text(QStringLiteral("Endereco"));
    c.cidade = q.text(QStringLiteral("Cidade"));
    c.estado = q.text(QStringLiteral("Estado"));
    c.cnpj = q.text(QStringLiteral("CNPJ"));
    return c;
}

qreal addCompanyHeader(ReportBand &band, const QString &title, const Company &company, qreal width,
                       bool withDate, qreal bodyPoints)
{
    const QFont titleFont = reportFont(13, true);
    const QFont label = reportFont(bodyPoints, true);
    const QFont body = reportFont(bodyPoints);
    const qreal line = qCeil(bodyPoints * PixelsPerInch / 72.0 * 1.45);
    const qreal valueX = 70;
    const qreal rightLabel = width * 0.62;
    const qreal rightValue = rightLabel + 55;

    band.addText(QStringLiteral("Titulo"), 0, 0, width, title, titleFont, Qt::AlignHCenter);
    qreal y = 28;
    band.addText(QString(), 0, y, valueX, QStringLiteral("EMPRESA"), label);
    band.addText(QStringLiteral("Empresa"), valueX, y, rightLabel - valueX - 5, company.empresa, body);
    y += line;
    band.addText(QString(), 0, y, valueX, QStringLiteral("ENDEREÇO"), label);
    band.addText(QStringLiteral("Endereco"), valueX, y, rightLabel - valueX - 5, company.endereco, body);
    y += line;
    band.addText(QString(), 0, y, valueX, QStringLiteral("CIDADE"), label);
    band.addText(QStringLiteral("Cidade"), valueX, y, rightLabel - valueX - 5, company.cidade, body);
    band.addText(QString(), rightLabel, y, 52, QStringLiteral("ESTADO"), label);
    band.addText(QStringLiteral("Estado"), rightValue, y, width - rightValue, company.estado, body);
    y += line;
    band.addText(QString(), 0, y, valueX, QStringLiteral("CNPJ"), label);
    band.addText(QStringLiteral("Cnpj"), valueX, y, rightLabel - valueX - 5, company.cnpj, body);
    if (withDate) {
        const QDateTime now = Clock::now();
        band.addText(QString(), rightLabel, y, 52, QStringLiteral("DATA"), label);
        band.addText(QStringLiteral("Data"), rightValue, y, width - rightValue,
                     Format::shortDate(now.date()) + QLatin1Char(' ') + Format::longTime(now.time()), body);
    }
    y += line + 3;
    band.addLine(0, y, width, y);
    y += 4;
    band.setHeight(y);
    return y;
}

void addPageNumberTopRight(ReportBand &band, qreal width, qreal bodyPoints)
{
    band.addPageNumber(QStringLiteral("Pagina"), width - 120, 0, 120, QStringLiteral("Pagina "),
                       reportFont(bodyPoints), Qt::AlignRight);
}

QString groupName(const QString &code)
{
    LOGON->RunOnQuery(QStringLiteral("Tipos"), QStringLiteral("select * from tipos where codigo = ") + QuoteSql(code),
                      QStringLiteral("open"));
    SharedQuery &q = LOGON->Tipos;
    q.first();
    return q.isEmpty() ? QString() : q.text(QStringLiteral("nome"));
}

} // namespace ReportCommon
