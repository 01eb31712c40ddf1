#include "data/TFormCalender.h"

void OpenCalendar() {}
