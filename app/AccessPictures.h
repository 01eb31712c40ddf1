#pragma once

#include <QPixmap>

// The program carries its own pictures for the login and supervisor windows,
// drawn at run time so no image file has to travel with it.

// A closed padlock, for the windows that ask for a name and password.
QPixmap padlockPicture(int side);
// A stack of crates, the stock the login protects.
QPixmap cratesPicture(int width, int height);
// A question mark in a circle, for the caption-less help button.
QPixmap helpPicture(int side);
