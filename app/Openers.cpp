#include "app/Openers.h"

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
    };
    return table;
}
