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

// Paints lines of items top-down on the pages of one document at a time.
// Positions are in device units from the top-left of the printable area.
class PagePrinter final : public Printer {
public:
    explicit PagePrinter(std::unique_ptr<Target> target) : target_(std::move(target))
    {
        const QFont start;
        font_.size = start.pointSizeF() > 0 ? start.pointSizeF() : 10;
    }

    ~PagePrinter() override
    {
        if (painter_.isActive())
            painter_.end();
        if (device_)
            target_->discard();
    }

    void setFontSize(double points) override { font_.size = points; }
    void setFontBold(bool on) override { font_.bold = on; }
    void setFontUnderline(bool on) override { font_.underline = on; }
    void setSetting16(int16_t) override {}
    void setSetting32(int32_t) override {}

    void setCurrentY(double twips) override
    {
        if (begin())
            y_ = twips * device_->logicalDpiY() / double(design::kTwipsPerInch);
    }

    void Print(const PrintLine& items) override
    {
        if (!begin())
            return;
        painter_.setFont(qtFont());
        const QFontMetricsF fm(painter_.font(), device_.get());
        keepLineOnPage(fm);
        for (const PrintItem& item : items) {
            if (failure_ != PrintOutcome::Printed)
                return;
            if (const auto* tab = std::get_if<Tab>(&item)) {
                const double column = (std::max<int>(tab->column, 1) - 1) * fm.averageCharWidth();
                if (x_ > column + kSlack)
                    newLineOnPage(fm);
                x_ = column;
                continue;
            }
            printWrapped(printedText(item), fm);
        }
        nextLine(fm);
    }

    PrintOutcome EndDoc() override
    {
        if (!device_ && failure_ == PrintOutcome::Printed)
            return PrintOutcome::Printed; // nothing was printed
        PrintOutcome outcome = failure_;
        if (painter_.isActive() && !painter_.end() && outcome == PrintOutcome::Printed)
            outcome = PrintOutcome::Failed;
        if (device_) {
            if (outcome == PrintOutcome::Printed) {
                // The file is complete once the painter has ended.
                device_.reset();
                if (!target_->handOver())
                    outcome = PrintOutcome::Failed;
            } else {
                device_.reset();
                target_->discard();
            }
        }
        failure_ = PrintOutcome::Printed;
        x_ = y_ = 0;
        return outcome;
    }

private:
    // Opens the document at its first output; after a failure the rest of the
    // document is skipped until EndDoc reports it.
    bool begin()
    {
        if (failure_ != PrintOutcome::Printed)
            return false;
        if (device_)
            return true;
        PrintOutcome why = PrintOutcome::Failed;
        device_ = target_->open(why);
        if (!device_) {
            failure_ = why;
            return false;
        }
        if (!painter_.begin(device_.get())) {
            failure_ = PrintOutcome::Failed;
            return false;
        }
        x_ = y_ = 0;
        return true;
    }

    QFont qtFont() const
    {
        // The face is never chosen: the default one is used throughout.
        QFont f;
        f.setPointSizeF(font_.size);
        f.setBold(font_.bold);
        f.setUnderline(font_.underline);
        return f;
    }

    // Text that would run past the right edge of the printable area goes on
    // at the left edge of the next line, so nothing is lost: a text that fits
    // on a line of its own moves there whole, a longer one is broken where
    // the edge cuts it. Blanks at its end may run past the edge unseen.
    void printWrapped(QString text, const QFontMetricsF& fm)
    {
        const double right = device_->width();
        while (!text.isEmpty() && failure_ == PrintOutcome::Printed) {
            if (x_ + visibleWidth(text, fm) <= right + kSlack) {
                painter_.drawText(QPointF(x_, y_ + fm.ascent()), text);
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
            painter_.drawText(QPointF(x_, y_ + fm.ascent()), text.left(n));
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
        if (y_ <= 0 || y_ + fm.lineSpacing() <= device_->height())
            return;
        if (!device_->newPage()) {
            failure_ = PrintOutcome::Failed;
            return;
        }
        y_ = 0;
    }

    std::unique_ptr<Target> target_;
    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    PrintFont font_;
    PrintOutcome failure_ = PrintOutcome::Printed;
    double x_ = 0;
    double y_ = 0;
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
