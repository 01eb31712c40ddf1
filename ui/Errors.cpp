#include "ui/Errors.h"

QString errorText(const std::exception &e)
{
    if (auto app = dynamic_cast<const AppError *>(&e))
        return app->message();
    return QString::fromLocal8Bit(e.what());
}
