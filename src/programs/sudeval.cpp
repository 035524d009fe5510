// Sudeval: the division tables.
#include "forms/program.h"

int main() { return runProgram(Variant::sudeval()); }
