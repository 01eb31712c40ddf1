#include "app/Login.h"

bool RunLogin()
{
    return false;
}
