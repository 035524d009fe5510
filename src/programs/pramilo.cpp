// Pramilo: the multiplication tables.
#include "forms/program.h"

int main() { return runProgram(Variant::pramilo()); }
