#pragma once

#include <cstdint>

// The class box's key rule: true for the codes it refuses with a message.
// Backspace (8), Enter (13), the digits 2 to 6 and every code below 0 or
// above 256 pass.
bool ClassKeyRejected(int16_t KeyAscii);
