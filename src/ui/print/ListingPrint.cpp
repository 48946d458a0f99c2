#include "ui/print/ListingPrint.h"

#include "settings/Labels.h"
#include "ui/print/PainterCanvas.h"
#include "ui/print/PrinterMeasure.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr unsigned kDocumentNameLabel = 316;

} // namespace

ListingPrintResult PrintListing(QPrinter &printer, const CListingJob &job, int copies)
{
    const CPrinterMeasure measure(job.font, &printer);
    CPrintListing listing;
    listing.Build(job.root, job.rangeMode, printer.width(), printer.height(), measure,
                  job.selected);
    const int pages = listing.PageCount();
    if (pages == 0)
        return ListingPrintResult::NothingToPrint;

    printer.setDocName(LoadLabel(job.application, kDocumentNameLabel, true));
    QPainter painter;
    if (!painter.begin(&printer))
        return ListingPrintResult::Failed;
    const CPageTexts texts =
        CPageTexts::ForDocument(job.application, job.documentTitle,
                                QLocale().toString(QDate::currentDate(), QLocale::LongFormat));
    CPainterCanvas canvas(painter, measure, printer.width());
    bool failed = false;
    bool first = true;
    for (int copy = 0; copy < copies && !failed; ++copy) {
        for (int page = 1; page <= pages; ++page) {
            if (!std::exchange(first, false) && !printer.newPage()) {
                failed = true;
                break;
            }
            painter.save();
            listing.DrawPage(page, canvas, texts);
            painter.restore();
        }
    }
    if (failed) {
        printer.abort();
        return ListingPrintResult::Failed;
    }
    return painter.end() ? ListingPrintResult::Printed : ListingPrintResult::Failed;
}
