#pragma once

#include "report/print_line.h"

#include <QString>

#include <cstdint>
#include <memory>

// The printer object: one document at a time, printed line by line in the
// classic way (a font state, a vertical print position, Tab columns).

// The font state lines print in; the face is always the printer's default.
struct PrintFont {
    double size = 10; // points
    bool bold = false;
    bool underline = false;
    friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

enum class PrintOutcome {
    Printed,   // the whole document went to the printer
    NoPrinter, // there is no printer to print on
    Failed,    // the document could not begin, be painted or be handed over
};

class Printer {
public:
    virtual ~Printer() = default;

    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool on) = 0;
    virtual void setFontUnderline(bool on) = 0;
    // Twips down from the top of the printable area of the current page.
    virtual void setCurrentY(double twips) = 0;
    // Two integer printer settings the report sets at fixed points. Nothing
    // printed depends on them, so they are accepted and change nothing.
    virtual void setSetting16(int16_t value) = 0;
    virtual void setSetting32(int32_t value) = 0;

    // Prints the items from the left edge of the printable area and ends the
    // line; no items make an empty line. A line that would pass the bottom of
    // the page goes on a new page, a Tab left of the print position goes to
    // its column on the next line, and text that would run past the right
    // edge goes on at the left edge of the next line.
    virtual void Print(const PrintLine& items) = 0;

    // Ends the document, lays it out and hands it to the printer: portrait,
    // unless portrait cannot hold the columns of a line and landscape holds
    // those of more lines. A line's columns are held when each of its Tab
    // columns, and the item printed first at each, measured from the column,
    // ends within the right edge; text that follows other text (a name after
    // its label) goes on at the next line without turning the page. Anything
    // but Printed means nothing was handed over; the next Print begins a new
    // document.
    virtual PrintOutcome EndDoc() = 0;
};

// The system's default printer, looked up anew for every document; each
// document is laid out on that printer's default paper and its printable area
// in the orientation chosen, the margins turned with the page.
std::unique_ptr<Printer> defaultPrinter();

// Paints every document into one PDF file and hands it to no one: the same
// pages the default printer gets, for looking at them without a spooler.
std::unique_ptr<Printer> pdfFilePrinter(const QString& path);
