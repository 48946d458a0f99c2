#include "ui/print/ListingPrint.h"

#include <QPrinter>

ListingPrintResult PrintListing(QPrinter &printer, const CListingJob &job, int copies)
{
    CListingPainter painter(printer, job);
    if (painter.PageCount() == 0)
        return ListingPrintResult::NothingToPrint;
    printer.setDocName(painter.DocumentName());
    return painter.Paint(copies, [&printer] { printer.abort(); });
}
