#pragma once

#include "paint/PrinterMeasure.h"
#include "print/PrintListing.h"

#include <QFont>
#include <QPageSize>
#include <QString>

#include <functional>

class CApplication;
class CSettingNode;
class QPagedPaintDevice;

// What a printed listing shows and how.
struct CListingJob
{
    const CApplication *application = nullptr;
    const CSettingNode *root = nullptr;
    int rangeMode = PrintRange::Included;
    CPrintListing::SelectedTest selected;
    // The listing prints this font's family at 10 points.
    QFont font;
    QString documentTitle;
};

enum class ListingPrintResult { Printed, NothingToPrint, Failed, Cancelled };

// The paper a listing is laid out on until the user picks another: Letter
// where the default locale measures in inches, A4 elsewhere.
QPageSize LocalePageSize();

// Paints the listing with a QPainter on a paged device: a printer for the
// view, a PDF writer for provana print. The listing is laid out for the
// device when made.
class CListingPainter
{
public:
    CListingPainter(QPagedPaintDevice &device, const CListingJob &job);

    int PageCount() const { return m_listing.PageCount(); }
    // The name the listing's document carries.
    QString DocumentName() const;
    // Told after each page is drawn: how many of all are.
    using PageDone = std::function<void(int drawn, int total)>;
    // Paints every page, copies times over, in one document. abort runs when a
    // new page cannot be started or the print was cancelled, while the
    // painter is still active.
    ListingPrintResult Paint(int copies = 1, const std::function<void()> &abort = {},
                             const PageDone &pageDone = {});
    // Sets the listing's abort flag: a paint under way stops after the page
    // being drawn and gives Cancelled.
    void Abort() { m_listing.Abort(); }

private:
    QPagedPaintDevice &m_device;
    const CListingJob &m_job;
    CPrinterMeasure m_measure;
    CPrintListing m_listing;
};
