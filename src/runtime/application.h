#pragma once

// What every QApplication showing the forms needs before the first form: the
// Fusion style, stand-ins for the classic font faces, and no quitting when the
// last window closes (a program stops only by End). Safe to call again.
void setUpApplication();
