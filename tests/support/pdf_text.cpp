#include "pdf_text.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtDebug>

#include <algorithm>

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qWarning() << program << arguments << "failed:" << p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

namespace {

std::vector<PdfPage> readPages(const QString& path, bool turnBack)
{
    static const QRegularExpression wordTag(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    const QString bbox =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression heightAttribute(QStringLiteral("height=\"([0-9.]+)\""));
    std::vector<PdfPage> pages;
    const QStringList pageTexts = bbox.split(QStringLiteral("<page "));
    for (qsizetype i = 1; i < pageTexts.size(); ++i) {
        const double sheetHeight = heightAttribute.match(pageTexts[i]).captured(1).toDouble();
        std::vector<PdfWord> words;
        for (auto m = wordTag.globalMatch(pageTexts[i]); m.hasNext();) {
            const auto w = m.next();
            QString text = w.captured(5);
            text.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&quot;"), QLatin1String("\""))
                .replace(QLatin1String("&apos;"), QLatin1String("'"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            const double xMin = w.captured(1).toDouble(), yMin = w.captured(2).toDouble();
            const double xMax = w.captured(3).toDouble(), yMax = w.captured(4).toDouble();
            // Turned back, the sheet's bottom edge is the page's left edge.
            if (turnBack)
                words.push_back({sheetHeight - yMax, xMin, text, sheetHeight - yMin, xMax});
            else
                words.push_back({xMin, yMin, text, xMax, yMax});
        }
        // The words come in drawing order: sort them into lines by their tops.
        std::stable_sort(words.begin(), words.end(),
                         [](const PdfWord& a, const PdfWord& b) { return a.y < b.y; });
        PdfPage page;
        for (const PdfWord& w : words) {
            if (page.empty() || w.y - page.back().front().y > 1.0)
                page.emplace_back();
            page.back().push_back(w);
        }
        for (PdfLine& line : page)
            std::sort(line.begin(), line.end(),
                      [](const PdfWord& a, const PdfWord& b) { return a.x < b.x; });
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace

std::vector<PdfPage> pdfPages(const QString& path) { return readPages(path, false); }

std::vector<PdfPage> pdfPagesTurnedBack(const QString& path) { return readPages(path, true); }

QString printedCharacters(const std::vector<PdfPage>& pages)
{
    QString all;
    for (const PdfPage& page : pages)
        for (const PdfLine& line : page)
            for (const PdfWord& word : line)
                all += word.text;
    return all.normalized(QString::NormalizationForm_KC);
}

QString withoutBlanks(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

std::vector<QSizeF> pdfPageSizes(const QString& path)
{
    static const QRegularExpression pageTag(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    const QString bbox =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    std::vector<QSizeF> sizes;
    for (auto m = pageTag.globalMatch(bbox); m.hasNext();) {
        const auto p = m.next();
        sizes.emplace_back(p.captured(1).toDouble(), p.captured(2).toDouble());
    }
    return sizes;
}

QStringList pdfFontNames(const QString& path)
{
    // Two heading lines, then one font a line, its name first.
    const QStringList lines =
        runTool(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList names;
    for (qsizetype i = 2; i < lines.size(); ++i)
        names << lines[i].section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    return names;
}
