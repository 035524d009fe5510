#pragma once

class Program;

// The Click of series button K (1..5): stores K and the series' 50 pairs,
// then loads and shows the worksheet.
void chooseSeries(Program& program, int K);
