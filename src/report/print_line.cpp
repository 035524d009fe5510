#include "report/print_line.h"

#include <QLocale>

QString printedText(const PrintItem& item)
{
    if (const auto* text = std::get_if<QString>(&item))
        return *text;
    if (const auto* number = std::get_if<PrintedInteger>(&item)) {
        const QString digits = QString::number(number->value);
        return (number->value < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' ');
    }
    if (const auto* date = std::get_if<QDate>(&item))
        return QLocale::system().toString(*date, QLocale::ShortFormat);
    return {};
}
