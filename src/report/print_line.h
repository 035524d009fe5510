#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

// What a printed line is made of, apart from any printer.

// Moves the print position to character column n (1 = the left edge), one
// column being the current font's average character width.
struct Tab {
    int16_t column;
    friend bool operator==(const Tab&, const Tab&) = default;
};

// A 16-bit value printed as a number: sign blank (or "-"), digits, one blank.
struct PrintedInteger {
    int16_t value;
    friend bool operator==(const PrintedInteger&, const PrintedInteger&) = default;
};

// Text prints unchanged; a date in the system's short-date format.
using PrintItem = std::variant<Tab, QString, PrintedInteger, QDate>;
using PrintLine = std::vector<PrintItem>;

// The characters an item puts on paper; a Tab puts none.
QString printedText(const PrintItem& item);
