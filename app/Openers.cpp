#include "app/Openers.h"

#include "registries/TFormCCustos.h"
#include "registries/TFormTipos.h"
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
        {QStringLiteral("tipos"), modal<TFormTipos>()},
        {QStringLiteral("ccusto"), modal<TFormCCustos>()},
    };
    return table;
}
