#pragma once

#include "app/MenuTable.h"

// The check made before a protected function opens; false means it was
// refused (the operator has already been told).
bool checkAccess(Guard guard, int bit);
