#include "ui/print/ViewPrintPreview.h"

CViewPrintPreview::CViewPrintPreview(QPrinter *printer, const QString &title, QWidget *parent)
    : QPrintPreviewDialog(printer, parent, Qt::Window)
{
    setObjectName(QStringLiteral("provixPrintPreview"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
}
