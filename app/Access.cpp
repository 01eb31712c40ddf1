#include "app/Access.h"

bool checkAccess(Guard, int)
{
    return true;
}
