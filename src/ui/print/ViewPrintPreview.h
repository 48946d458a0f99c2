#pragma once

#include <QPrintPreviewDialog>

// The preview window of the listing: the platform's print preview with its
// page navigation, zoom and printing, opened maximised beside the host.
class CViewPrintPreview : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    CViewPrintPreview(QPrinter *printer, const QString &title, QWidget *parent = nullptr);
};
