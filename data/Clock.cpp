#include "data/Clock.h"

namespace Clock {
namespace {
QDateTime &fixed()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime now() { return fixed().isValid() ? fixed() : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
void setFixed(const QDateTime &moment) { fixed() = moment; }

} // namespace Clock
