#include "runtime/printer.h"

#include "runtime/design.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTextBoundaryFinder>

#include <cups/cups.h>

#include <algorithm>
#include <utility>
#include <variant>
#include <vector>

namespace {

// The PDF file's own page, as no queue reports one: A4 with 10-point margins,
// painted at 1200 dots per inch.
const QMarginsF kPdfMargins(10, 10, 10, 10);
constexpr int kPdfDotsPerInch = 1200;
// Half a device unit of slack for the rounding of advances.
constexpr double kSlack = 0.5;

// Where the pages of a document go.
class Target {
public:
    virtual ~Target() = default;
    // A fresh paint device for one document, or nullptr with the reason.
    virtual std::unique_ptr<QPagedPaintDevice> open(PrintOutcome& why) = 0;
    // After the last page: passes the painted document on.
    virtual bool handOver() = 0;
    // The document will not be handed over.
    virtual void discard() = 0;
};

// The queue's own default paper, its printable area as the queue reports it
// for that paper, portrait: the report is laid out on the sheet that comes out.
QPageLayout queueLayout(const QPrinterInfo& info)
{
    QPrinter printer(info, QPrinter::HighResolution);
    QPageSize size = info.defaultPageSize();
    if (size.isValid())
        printer.setPageSize(size);
    else
        size = printer.pageLayout().pageSize();
    QPageLayout queue = printer.pageLayout();
    queue.setUnits(QPageLayout::Point);
    const QMarginsF margins = queue.minimumMargins();
    return QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Point, margins);
}

// The system's default queue. Qt's own spooling ignores the spooler's answer,
// so a queue that refuses the job would pass for printed: the document is
// painted into a PDF file laid out on the queue's paper and handed to the
// queue here, where the job number tells whether it was taken.
class DefaultQueue final : public Target {
public:
    std::unique_ptr<QPagedPaintDevice> open(PrintOutcome& why) override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            why = PrintOutcome::NoPrinter;
            return nullptr;
        }
        file_ = std::make_unique<QTemporaryFile>();
        if (!file_->open()) {
            why = PrintOutcome::Failed;
            file_.reset();
            return nullptr;
        }
        queue_ = info.printerName();
        auto writer = std::make_unique<QPdfWriter>(file_->fileName());
        writer->setResolution(1200);
        writer->setTitle(QCoreApplication::applicationName());
        writer->setPageLayout(queueLayout(info));
        return writer;
    }

    bool handOver() override
    {
        // The spooler's library is loaded when a report is printed, not at
        // start-up: it brings a score of libraries a pupil who does not print
        // never needs.
        static QLibrary cups(QStringLiteral("cups"), 2);
        const auto printFile = reinterpret_cast<decltype(&cupsPrintFile)>(cups.resolve("cupsPrintFile"));
        const QByteArray title = QCoreApplication::applicationName().toLocal8Bit();
        const int job = printFile ? printFile(queue_.toLocal8Bit().constData(),
                                              QFile::encodeName(file_->fileName()).constData(),
                                              title.constData(), 0, nullptr)
                                  : 0;
        file_.reset();
        return job > 0;
    }

    void discard() override { file_.reset(); }

private:
    QString queue_;
    std::unique_ptr<QTemporaryFile> file_;
};

class PdfFile final : public Target {
public:
    explicit PdfFile(QString path) : path_(std::move(path)) {}

    std::unique_ptr<QPagedPaintDevice> open(PrintOutcome&) override
    {
        auto writer = std::make_unique<QPdfWriter>(path_);
        writer->setResolution(kPdfDotsPerInch);
        writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          kPdfMargins, QPageLayout::Point));
        return writer;
    }
    bool handOver() override { return true; }
    void discard() override { QFile::remove(path_); }

private:
    QString path_;
};

// Keeps the lines of one document as they are printed and paints the whole
// document at EndDoc, when the orientation can be chosen for all of it.
class PagePrinter final : public Printer {
public:
    explicit PagePrinter(std::unique_ptr<Target> target) : target_(std::move(target))
    {
        const QFont start;
        font_.size = start.pointSizeF() > 0 ? start.pointSizeF() : 10;
    }

    void setFontSize(double points) override { font_.size = points; }
    void setFontBold(bool on) override { font_.bold = on; }
    void setFontUnderline(bool on) override { font_.underline = on; }
    void setSetting16(int16_t) override {}
    void setSetting32(int32_t) override {}

    void setCurrentY(double twips) override { document_.push_back(MoveTo{twips}); }

    void Print(const PrintLine& items) override { document_.push_back(Line{font_, items}); }

    PrintOutcome EndDoc() override
    {
        // The next Print begins a new document, whatever became of this one.
        const std::vector<Entry> document = std::exchange(document_, {});
        if (document.empty())
            return PrintOutcome::Printed; // nothing was printed
        PrintOutcome outcome = PrintOutcome::Failed;
        std::unique_ptr<QPagedPaintDevice> device = target_->open(outcome);
        if (!device)
            return outcome;
        outcome = paint(document, *device);
        // The file is complete once the painter has ended and the device is gone.
        device.reset();
        if (outcome == PrintOutcome::Printed && !target_->handOver())
            outcome = PrintOutcome::Failed;
        else if (outcome != PrintOutcome::Printed)
            target_->discard();
        return outcome;
    }

private:
    struct MoveTo {
        double twips;
    };
    struct Line {
        PrintFont font;
        PrintLine items;
    };
    using Entry = std::variant<MoveTo, Line>;

    // Portrait unless landscape holds the columns of more lines; a device
    // that cannot turn its page stays portrait.
    static PrintOutcome paint(const std::vector<Entry>& document, QPagedPaintDevice& device)
    {
        const QPageLayout portrait = device.pageLayout();
        const int notHeldInPortrait = Layout(device, nullptr).run(document);
        if (notHeldInPortrait > 0 && device.setPageLayout(turned(portrait)) &&
            Layout(device, nullptr).run(document) >= notHeldInPortrait && !device.setPageLayout(portrait))
            return PrintOutcome::Failed;
        QPainter painter;
        if (!painter.begin(&device))
            return PrintOutcome::Failed;
        Layout layout(device, &painter);
        layout.run(document);
        const bool ended = painter.end();
        return layout.failed() || !ended ? PrintOutcome::Failed : PrintOutcome::Printed;
    }

    // The same paper turned a quarter to the left, as a spooler turns a
    // landscape page onto the sheet: the margins turn with it.
    static QPageLayout turned(const QPageLayout& portrait)
    {
        const auto turn = [](const QMarginsF& m) { return QMarginsF(m.bottom(), m.left(), m.top(), m.right()); };
        return QPageLayout(portrait.pageSize(), QPageLayout::Landscape, turn(portrait.margins()),
                           portrait.units(), turn(portrait.minimumMargins()));
    }

    // One pass over a document on the device's printable area: it paints with
    // a painter, and without one only counts the lines whose columns the page
    // cannot hold. Positions are in device units from the top-left of the
    // printable area.
    class Layout {
    public:
        Layout(QPagedPaintDevice& device, QPainter* painter) : device_(device), painter_(painter) {}

        // The number of lines of which a Tab column, or the item printed first
        // at it, measured from the column, runs past the right edge. Text that
        // follows other text, such as a name after its label, may wrap
        // without turning the page.
        int run(const std::vector<Entry>& document)
        {
            for (const Entry& entry : document) {
                if (failed_)
                    break;
                if (const auto* move = std::get_if<MoveTo>(&entry))
                    y_ = move->twips * device_.logicalDpiY() / double(design::kTwipsPerInch);
                else
                    print(std::get<Line>(entry));
            }
            return notHeld_;
        }

        bool failed() const { return failed_; }

    private:
        void print(const Line& line)
        {
            const QFont font = qtFont(line.font);
            if (painter_)
                painter_->setFont(font);
            const QFontMetricsF fm(font, &device_);
            const double right = device_.width();
            bool held = true;
            bool atColumn = false;
            keepLineOnPage(fm);
            for (const PrintItem& item : line.items) {
                if (failed_)
                    return;
                if (const auto* tab = std::get_if<Tab>(&item)) {
                    const double column = (std::max<int>(tab->column, 1) - 1) * fm.averageCharWidth();
                    if (x_ > column + kSlack)
                        newLineOnPage(fm);
                    x_ = column;
                    held &= column <= right + kSlack;
                    atColumn = true;
                    continue;
                }
                const QString text = printedText(item);
                if (atColumn)
                    held &= x_ + visibleWidth(text, fm) <= right + kSlack;
                atColumn = false;
                printWrapped(text, fm);
            }
            nextLine(fm);
            notHeld_ += held ? 0 : 1;
        }

        static QFont qtFont(const PrintFont& state)
        {
            // The face is never chosen: the default one is used throughout.
            QFont f;
            f.setPointSizeF(state.size);
            f.setBold(state.bold);
            f.setUnderline(state.underline);
            return f;
        }

        void draw(const QString& text, const QFontMetricsF& fm)
        {
            if (painter_)
                painter_->drawText(QPointF(x_, y_ + fm.ascent()), text);
        }

        // Text that would run past the right edge of the printable area goes on
        // at the left edge of the next line, so nothing is lost: a text that fits
        // on a line of its own moves there whole, a longer one is broken where
        // the edge cuts it. Blanks at its end may run past the edge unseen.
        void printWrapped(QString text, const QFontMetricsF& fm)
        {
            const double right = device_.width();
            while (!text.isEmpty() && !failed_) {
                if (x_ + visibleWidth(text, fm) <= right + kSlack) {
                    draw(text, fm);
                    x_ += fm.horizontalAdvance(text);
                    return;
                }
                if (x_ > 0 && visibleWidth(text, fm) <= right + kSlack) {
                    newLineOnPage(fm);
                    continue;
                }
                qsizetype n = fittingLength(text, right - x_, fm);
                if (n == 0 && x_ > 0) {
                    newLineOnPage(fm);
                    continue;
                }
                if (n == 0) // not one character fits a whole line: print one anyway
                    n = std::max<qsizetype>(firstGraphemeLength(text), 1);
                draw(text.left(n), fm);
                text.remove(0, n);
                newLineOnPage(fm);
            }
        }

        static double visibleWidth(const QString& text, const QFontMetricsF& fm)
        {
            qsizetype end = text.size();
            while (end > 0 && text.at(end - 1).isSpace())
                --end;
            return fm.horizontalAdvance(text.left(end));
        }

        // The most characters from the start of text, whole graphemes, whose
        // visible part fits in room.
        static qsizetype fittingLength(const QString& text, double room, const QFontMetricsF& fm)
        {
            std::vector<qsizetype> ends;
            QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
            for (qsizetype at = graphemes.toNextBoundary(); at > 0; at = graphemes.toNextBoundary())
                ends.push_back(at);
            // Advances grow with the length: the last end that fits, by halving.
            const auto fit = std::partition_point(ends.begin(), ends.end(), [&](qsizetype end) {
                return visibleWidth(text.left(end), fm) <= room + kSlack;
            });
            return fit == ends.begin() ? 0 : *(fit - 1);
        }

        static qsizetype firstGraphemeLength(const QString& text)
        {
            QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
            return graphemes.toNextBoundary();
        }

        void newLineOnPage(const QFontMetricsF& fm)
        {
            nextLine(fm);
            keepLineOnPage(fm);
        }

        void nextLine(const QFontMetricsF& fm)
        {
            x_ = 0;
            y_ += fm.lineSpacing();
        }

        // A line that would pass the bottom of the page starts the next page.
        void keepLineOnPage(const QFontMetricsF& fm)
        {
            if (y_ <= 0 || y_ + fm.lineSpacing() <= device_.height())
                return;
            if (painter_ && !device_.newPage()) {
                failed_ = true;
                return;
            }
            y_ = 0;
        }

        QPagedPaintDevice& device_;
        QPainter* painter_;
        double x_ = 0;
        double y_ = 0;
        int notHeld_ = 0;
        bool failed_ = false;
    };

    std::unique_ptr<Target> target_;
    PrintFont font_;
    std::vector<Entry> document_;
};

} // namespace

std::unique_ptr<Printer> defaultPrinter()
{
    return std::make_unique<PagePrinter>(std::make_unique<DefaultQueue>());
}

std::unique_ptr<Printer> pdfFilePrinter(const QString& path)
{
    return std::make_unique<PagePrinter>(std::make_unique<PdfFile>(path));
}
