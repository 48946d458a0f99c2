#include "ui/print/ListingPrint.h"

#include "settings/Labels.h"
#include "settings/StringIds.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace {

// A print that ends sooner shows no progress.
constexpr int kProgressDelayMs = 300;

QString PageText(const CApplication *application, int page, int total)
{
    return FormatLabel(application, StringId::PrintingPage,
                       {QString::number(page), QString::number(total)});
}

} // namespace

ListingPrintResult PrintListing(QPrinter &printer, const CListingJob &job, int copies,
                                QWidget *parent)
{
    CListingPainter painter(printer, job);
    if (painter.PageCount() == 0)
        return ListingPrintResult::NothingToPrint;
    printer.setDocName(painter.DocumentName());
    const auto abort = [&printer] {
        printer.abort();
    };
    if (!parent)
        return painter.Paint(copies, abort);
    const int total = painter.PageCount() * std::max(copies, 1);
    QProgressDialog progress(PageText(job.application, 1, total),
                             LoadLabel(job.application, StringId::ButtonCancel, true), 0, total,
                             parent);
    progress.setWindowTitle(LoadLabel(job.application, StringId::ViewName, true));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoReset(false);
    return painter.Paint(copies, abort, [&](int drawn, int all) {
        if (drawn < all)
            progress.setLabelText(PageText(job.application, drawn + 1, all));
        progress.setValue(drawn);
        // Cancel is pressed between pages.
        QCoreApplication::processEvents();
        if (progress.wasCanceled())
            painter.Abort();
    });
}
