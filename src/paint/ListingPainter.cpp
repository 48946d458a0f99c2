#include "paint/ListingPainter.h"

#include "paint/PainterCanvas.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"

#include <QDate>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <utility>

QPageSize LocalePageSize()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

CListingPainter::CListingPainter(QPagedPaintDevice &device, const CListingJob &job)
    : m_device(device)
    , m_job(job)
    , m_measure(job.font, &device)
{
    m_listing.Build(job.root, job.rangeMode, device.width(), device.height(), m_measure,
                    job.selected);
}

QString CListingPainter::DocumentName() const
{
    return LoadLabel(m_job.application, StringId::PrintDocumentName, true);
}

ListingPrintResult CListingPainter::Paint(int copies, const std::function<void()> &abort,
                                          const PageDone &pageDone)
{
    const int pages = m_listing.PageCount();
    if (pages == 0)
        return ListingPrintResult::NothingToPrint;
    QPainter painter;
    if (!painter.begin(&m_device))
        return ListingPrintResult::Failed;
    const CPageTexts texts =
        CPageTexts::ForDocument(m_job.application, m_job.documentTitle,
                                QLocale().toString(QDate::currentDate(), QLocale::LongFormat));
    CPainterCanvas canvas(painter, m_measure, m_device.width());
    bool first = true;
    int drawn = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = 1; page <= pages; ++page) {
            const bool cancelled = m_listing.IsAborted();
            if (cancelled || (!std::exchange(first, false) && !m_device.newPage())) {
                if (abort)
                    abort();
                return cancelled ? ListingPrintResult::Cancelled : ListingPrintResult::Failed;
            }
            painter.save();
            m_listing.DrawPage(page, canvas, texts);
            painter.restore();
            if (pageDone)
                pageDone(++drawn, pages * copies);
        }
    }
    return painter.end() ? ListingPrintResult::Printed : ListingPrintResult::Failed;
}
