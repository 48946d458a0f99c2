#include "ui/print/ViewPrinting.h"

#include "paint/ListingPainter.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ShownLabel.h"
#include "ui/controls/WaitCursorGuard.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/editor/SettingsTreeModel.h"
#include "ui/print/CustomPrint.h"
#include "ui/print/ListingPrint.h"
#include "ui/print/ViewPrintPreview.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>

CViewPrinting::CViewPrinting(const CApplication *application, QWidget *view,
                             CSettingsTreeCtrl *tree, std::function<QString()> documentTitle)
    : m_application(application)
    , m_view(view)
    , m_tree(tree)
    , m_documentTitle(std::move(documentTitle))
{}

CViewPrinting::~CViewPrinting()
{
    delete m_preview;
}

bool CViewPrinting::IsPreviewOpen() const
{
    return !m_preview.isNull();
}

CViewPrintPreview *CViewPrinting::PreviewWindow() const
{
    return m_preview;
}

QPrinter &CViewPrinting::Printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Names the document, and so the file a print to PDF proposes.
        m_printer->setDocName(ShownLabel(m_application, StringId::PrintDocumentName));
        m_printer->setPageSize(LocalePageSize());
    }
    return *m_printer;
}

void CViewPrinting::Print(bool frameworkCommand)
{
    if (frameworkCommand)
        m_rangeOption = PrintRange::Included;
    else
        m_tree->CommitEdit();
    QPrinter &printer = Printer();
    CCustomPrint dialog(m_application, &printer, m_rangeOption, m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_tree->repaint();
    const CWaitCursorGuard wait;
    // Printers that make copies themselves get the document once.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    PrintListing(printer, Job(dialog.RangeOption()), copies, m_view);
    m_rangeOption = dialog.RangeOption();
}

void CViewPrinting::PrintSetup()
{
    m_tree->CommitEdit();
    QPageSetupDialog dialog(&Printer(), m_view);
    dialog.exec();
}

void CViewPrinting::Preview()
{
    if (m_preview) {
        m_preview->raise();
        m_preview->activateWindow();
        return;
    }
    m_tree->CommitEdit();
    const CWaitCursorGuard wait;
    // A window of its own: disabling the view must not disable the preview.
    m_preview =
        new CViewPrintPreview(&Printer(), ShownLabel(m_application, StringId::PreviewTitle));
    connect(m_preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *printer) { PrintListing(*printer, Job(PrintRange::Included)); });
    connect(m_preview, &QDialog::finished, this, &CViewPrinting::ClosePreview);
    m_view->setEnabled(false);
    m_tree->SetHelpOverride(true);
    // The whole screen also where no window manager maximises windows.
    if (const QScreen *screen = m_view->screen())
        m_preview->setGeometry(screen->availableGeometry());
    m_preview->showMaximized();
}

void CViewPrinting::ClosePreview()
{
    if (!m_preview)
        return;
    CViewPrintPreview *preview = m_preview;
    m_preview = nullptr;
    preview->disconnect(this);
    preview->close();
    preview->deleteLater();
    m_tree->SetHelpOverride(false);
    m_view->setEnabled(true);
    if (QWidget *host = m_view->window()) {
        host->show();
        host->activateWindow();
    }
}

CListingJob CViewPrinting::Job(int rangeMode) const
{
    CListingJob job;
    job.application = m_application;
    job.root = m_tree->Model()->Root();
    job.rangeMode = rangeMode;
    CSettingsTreeCtrl *tree = m_tree;
    job.selected = [tree](const CSettingNode *node) {
        const QModelIndex index = tree->IndexOf(node);
        return index.isValid() && tree->selectionModel()->isSelected(index);
    };
    job.font = m_tree->font();
    job.documentTitle = m_documentTitle();
    return job;
}
