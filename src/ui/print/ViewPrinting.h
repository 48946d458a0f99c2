#pragma once

#include "ui/print/ListingPrint.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class CApplication;
class CSettingsTreeCtrl;
class CViewPrintPreview;
class QPrinter;
class QWidget;

// The view's printing: the print command with its dialog and range, print
// setup, and the preview window, during which the view is disabled and busy.
// The printer chosen last and the range are kept between commands.
class CViewPrinting : public QObject
{
    Q_OBJECT

public:
    CViewPrinting(const CApplication *application, QWidget *view, CSettingsTreeCtrl *tree,
                  std::function<QString()> documentTitle);
    ~CViewPrinting() override;

    // Commits an open edit unless the framework's own print command asks,
    // which also resets the range to the included settings, then prints
    // after the print dialog.
    void Print(bool frameworkCommand = false);
    void PrintSetup();
    // Opens the preview, or brings an open one to the front.
    void Preview();
    bool IsPreviewOpen() const;
    CViewPrintPreview *PreviewWindow() const;

    int RangeOption() const { return m_rangeOption; }
    // Created on first use, so that a view that never prints never asks the
    // platform for printers.
    QPrinter &Printer();

    // Closes the preview and gives the view back its commands.
    void ClosePreview();

private:
    CListingJob Job(int rangeMode) const;

    const CApplication *m_application;
    QWidget *m_view;
    CSettingsTreeCtrl *m_tree;
    std::function<QString()> m_documentTitle;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<CViewPrintPreview> m_preview;
    int m_rangeOption = PrintRange::Included;
};
