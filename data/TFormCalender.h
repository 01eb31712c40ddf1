#pragma once

// Opens the calendar modally unless one is already showing (CalendarOpen).
void OpenCalendar();
