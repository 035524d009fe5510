#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

// Reading back a printed PDF with poppler's pdftotext.

struct PdfWord {
    double x; // left edge, points from the page's left
    double y; // top, points from the page's top
    QString text;
    double right = 0;  // right edge, points from the page's left
    double bottom = 0; // points from the page's top
};
using PdfLine = std::vector<PdfWord>;
using PdfPage = std::vector<PdfLine>;

// Runs a tool to its end and returns what it wrote; a failure is a test warning.
QString runTool(const QString& program, const QStringList& arguments);

// Each page's lines top-down, each line's words left to right.
std::vector<PdfPage> pdfPages(const QString& path);

// Every word of the pages in reading order, blanks left out, ligatures such
// as "ff" read as their letters.
QString printedCharacters(const std::vector<PdfPage>& pages);

// The text with every blank, tab and line break taken out.
QString withoutBlanks(QString text);

// The same for sheets onto which the spooler turned a landscape page a quarter
// to the left, its top along the sheet's left edge: the words are read as they
// stand on the landscape page, in its points.
std::vector<PdfPage> pdfPagesTurnedBack(const QString& path);

// Width and height of each page, in points.
std::vector<QSizeF> pdfPageSizes(const QString& path);

// The names of the fonts the document uses, as pdffonts lists them.
QStringList pdfFontNames(const QString& path);
