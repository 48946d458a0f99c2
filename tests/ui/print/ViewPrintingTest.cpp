#include "ui/print/ViewPrinting.h"

#include "support/ModalAnswers.h"
#include "ui/editor/SettingsTreeFixture.h"
#include "ui/print/CustomPrint.h"
#include "ui/print/ListingPrint.h"
#include "ui/print/ViewPrintPreview.h"

#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class ViewPrintingTest : public CSettingsTreeTest
{
protected:
    void SetUp() override
    {
        CSettingsTreeTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_folder.isValid());
        // The access point goes into the configuration; the mailbox does not.
        ASSERT_TRUE(m_document.SetIncluded(Field(IAPPhoneNumber), true));
        m_printing = std::make_unique<CViewPrinting>(&m_test.Application(), &m_view, m_ctrl.get(),
                                                     [] { return QStringLiteral("office.xml"); });
        UsePdf(m_printing->Printer(), "printed.pdf");
    }

    void TearDown() override
    {
        m_printing.reset();
        CSettingsTreeTest::TearDown();
    }

    void UsePdf(QPrinter &printer, const char *name)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder.filePath(name));
    }

    // The pages of a PDF written by the printer; -1 when there is none.
    int PdfPages(const char *name) const
    {
        QFile file(m_folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        return static_cast<int>(file.readAll().count("/Type /Page\n"));
    }

    CListingJob Job(int range)
    {
        CListingJob job;
        job.application = &m_test.Application();
        job.root = Root();
        job.rangeMode = range;
        job.font = m_ctrl->font();
        job.documentTitle = QStringLiteral("office.xml");
        return job;
    }

    // Answers the next print dialog: picks a range by its control, then
    // accepts or cancels.
    void AnswerPrint(int rangeId, bool accept, int *openedWith = nullptr)
    {
        m_answers.Expect<CCustomPrint>([=](CCustomPrint *dialog) {
            QCoreApplication::processEvents();
            if (openedWith)
                *openedWith = dialog->RangeOption();
            if (rangeId)
                dialog->findChild<QRadioButton *>(QStringLiteral("id%1").arg(rangeId))->click();
            if (accept)
                dialog->accept();
        });
    }

    QWidget m_view;
    QTemporaryDir m_folder;
    CModalAnswers m_answers;
    std::unique_ptr<CViewPrinting> m_printing;
};

TEST_F(ViewPrintingTest, ListingsPrintTheirPagesPerCopyAndNothingWhenEmpty)
{
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, "all.pdf");
    ASSERT_EQ(PrintListing(printer, Job(PrintRange::All)), ListingPrintResult::Printed);
    const int allPages = PdfPages("all.pdf");
    EXPECT_GE(allPages, 2);

    UsePdf(printer, "included.pdf");
    ASSERT_EQ(PrintListing(printer, Job(PrintRange::Included), 2), ListingPrintResult::Printed);
    const int twoCopies = PdfPages("included.pdf");
    EXPECT_EQ(twoCopies % 2, 0);
    EXPECT_LT(twoCopies / 2, allPages);

    // Nothing selected: no document is started, so no file.
    UsePdf(printer, "selected.pdf");
    CListingJob selected = Job(PrintRange::Selected);
    selected.selected = [](const CSettingNode *) {
        return false;
    };
    EXPECT_EQ(PrintListing(printer, selected), ListingPrintResult::NothingToPrint);
    EXPECT_EQ(PdfPages("selected.pdf"), -1);
}

TEST_F(ViewPrintingTest, CancelInThePrintProgressStopsAfterThePageBeingDrawn)
{
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, "cancelled.pdf");
    // Cancel is pressed while the first page is drawn.
    int drawnWhenCancelled = -1;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *progress = m_view.findChild<QProgressDialog *>();
        ASSERT_NE(progress, nullptr);
        drawnWhenCancelled = progress->value();
        shown = progress->labelText();
        progress->cancel();
    });
    EXPECT_EQ(PrintListing(printer, Job(PrintRange::All), 1, &m_view),
              ListingPrintResult::Cancelled);
    EXPECT_EQ(drawnWhenCancelled, 1);
    EXPECT_TRUE(shown.startsWith("Printing page 2 of ")) << qPrintable(shown);

    // Without a cancel the same listing prints to its end.
    UsePdf(printer, "whole.pdf");
    EXPECT_EQ(PrintListing(printer, Job(PrintRange::All), 1, &m_view), ListingPrintResult::Printed);
    EXPECT_GE(PdfPages("whole.pdf"), 2);
}

TEST_F(ViewPrintingTest, PrintCommitsTheEditAndRemembersTheRangeOnlyWhenConfirmed)
{
    EXPECT_EQ(m_printing->RangeOption(), PrintRange::Included);
    ASSERT_TRUE(m_ctrl->BeginEdit(Row(Field(IAPPhoneNumber))));
    auto *editor = Editor<QLineEdit>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("0123 456"));

    int openedWith = -1;
    AnswerPrint(CCustomPrint::AllId, true, &openedWith);
    m_printing->Print();
    EXPECT_EQ(m_answers.Answered(), 1);
    EXPECT_EQ(Field(IAPPhoneNumber)->GetValue(), "0123 456");
    EXPECT_EQ(openedWith, PrintRange::Included);
    EXPECT_EQ(m_printing->RangeOption(), PrintRange::All);
    QPrinter all(QPrinter::HighResolution);
    UsePdf(all, "all.pdf");
    PrintListing(all, Job(PrintRange::All));
    EXPECT_EQ(PdfPages("printed.pdf"), PdfPages("all.pdf"));

    // Cancelling keeps the range; the next dialog opens on it.
    AnswerPrint(CCustomPrint::SelectionId, false, &openedWith);
    m_printing->Print();
    EXPECT_EQ(openedWith, PrintRange::All);
    EXPECT_EQ(m_printing->RangeOption(), PrintRange::All);

    // The framework's print command starts from the included settings.
    AnswerPrint(0, false, &openedWith);
    m_printing->Print(true);
    EXPECT_EQ(openedWith, PrintRange::Included);
    EXPECT_EQ(m_answers.Pending(), 0);
}

TEST_F(ViewPrintingTest, PreviewShowsTheIncludedSettingsWhileTheViewIsBusy)
{
    QPrinter included(QPrinter::HighResolution);
    UsePdf(included, "included.pdf");
    PrintListing(included, Job(PrintRange::Included));
    QPrinter all(QPrinter::HighResolution);
    UsePdf(all, "all.pdf");
    PrintListing(all, Job(PrintRange::All));
    ASSERT_NE(PdfPages("included.pdf"), PdfPages("all.pdf"));

    m_printing->Preview();
    QPointer<CViewPrintPreview> preview = m_printing->PreviewWindow();
    ASSERT_TRUE(preview);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_TRUE(m_printing->IsPreviewOpen());
    EXPECT_EQ(preview->windowTitle(), "Print preview");
    EXPECT_TRUE(preview->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(m_view.isEnabled());
    EXPECT_EQ(m_ctrl->HelpContext(), HelpContextId::PrintPreview);
    auto *pages = preview->findChild<QPrintPreviewWidget *>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->pageCount(), PdfPages("included.pdf"));

    // A second preview command only raises the open one.
    m_printing->Preview();
    EXPECT_EQ(m_printing->PreviewWindow(), preview.data());
    int previews = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        previews += qobject_cast<CViewPrintPreview *>(window) ? 1 : 0;
    EXPECT_EQ(previews, 1);

    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(preview);
    EXPECT_FALSE(m_printing->IsPreviewOpen());
    EXPECT_TRUE(m_view.isEnabled());
    EXPECT_NE(m_ctrl->HelpContext(), HelpContextId::PrintPreview);
}

} // namespace
