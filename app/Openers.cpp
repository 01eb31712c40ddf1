#include "app/Openers.h"

#include "app/TFormCFG.h"
#include "app/TFormEmpresa.h"
#include "app/TFormSetupRede.h"
#include "movements/TFormMovEst2.h"
#include "registries/TFormCCustos.h"
#include "registries/TFormKit.h"
#include "registries/TFormProd.h"
#include "registries/TFormTipos.h"
#include "reports/TFormImpRap.h"
#include "ui/ShowModal.h"

namespace {
template <typename Window>
Opener modal()
{
    return [](QWidget *parent) { ShowModalForm<Window>(parent); };
}
} // namespace

const QHash<QString, Opener> &openers()
{
    static const QHash<QString, Opener> table = {
        {QStringLiteral("empresa"), modal<TFormEmpresa>()},
        {QStringLiteral("cfg"), modal<TFormCFG>()},
        {QStringLiteral("rede"), modal<TFormSetupRede>()},
        {QStringLiteral("tipos"), modal<TFormTipos>()},
        {QStringLiteral("ccusto"), modal<TFormCCustos>()},
        {QStringLiteral("movest"), modal<TFormMovEst2>()},
        {QStringLiteral("prod"), modal<TFormProd>()},
        {QStringLiteral("imprap"), modal<TFormImpRap>()},
        {QStringLiteral("kits"), modal<TFormKit>()},
    };
    return table;
}
