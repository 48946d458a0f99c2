#include "PrintCommand.h"

#include "CliDocument.h"
#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "paint/ListingPainter.h"
#include "print/FixedPitchMeasure.h"
#include "print/PrintListing.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>

#include <cstring>

namespace Cli {
namespace {

// The page of --lines: A4 at 600 dots per inch.
constexpr int kLinesDotsPerInch = 600;
constexpr int kLinesPageWidth = 210 * kLinesDotsPerInch * 10 / 254;
constexpr int kLinesPageHeight = 297 * kLinesDotsPerInch * 10 / 254;

struct PrintOptions
{
    QString file;
    QString pdf;
    bool lines = false;
    int range = PrintRange::Included;
};

// Reads the options; an ExitCode when they are wrong.
int ReadOptions(const QStringList &arguments, PrintOptions &options)
{
    bool wrong = false;
    for (qsizetype i = 1; i < arguments.size() && !wrong; ++i) {
        const QString &option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == u"--lines" && !options.lines) {
            options.lines = true;
        } else if (option == u"--pdf" && hasValue && options.pdf.isEmpty()) {
            options.pdf = arguments[++i];
        } else if (option == u"--range" && hasValue) {
            const QString &range = arguments[++i];
            if (range != u"all" && range != u"included") {
                PrintError(Text(CliText::NotAPrintRange, {range}));
                return ExitUsage;
            }
            options.range = range == u"all" ? PrintRange::All : PrintRange::Included;
        } else {
            wrong = true;
        }
    }
    options.file = arguments.value(0);
    if (wrong || options.lines == !options.pdf.isEmpty()) {
        PrintError(
            Text(CliText::WrongArguments, {QStringLiteral("print"), QStringLiteral("print")}));
        return ExitUsage;
    }
    return ExitOk;
}

int NothingToPrint(const QString &file)
{
    PrintError(Text(CliText::NothingToPrint, {file}));
    return ExitCheckFailed;
}

int PrintLines(const CSettingsDocument &document, const PrintOptions &options)
{
    const CFixedPitchMeasure measure = CFixedPitchMeasure::TenPoint(kLinesDotsPerInch);
    CPrintListing listing;
    listing.Build(document.GetRoot(), options.range, kLinesPageWidth, kLinesPageHeight, measure);
    if (listing.Lines().empty())
        return NothingToPrint(options.file);
    for (QString line : listing.Lines())
        PrintOut(line.remove(u'\n'));
    return ExitOk;
}

int PrintPdf(const CSettingsDocument &document, const PrintOptions &options)
{
    QPdfWriter writer(options.pdf);
    writer.setPageSize(LocalePageSize());
    CListingJob job;
    job.application = Application();
    job.root = document.GetRoot();
    job.rangeMode = options.range;
    job.documentTitle = QFileInfo(options.file).fileName();
    CListingPainter painter(writer, job);
    writer.setTitle(painter.DocumentName());
    switch (painter.Paint()) {
    case ListingPrintResult::Printed:
        return ExitOk;
    case ListingPrintResult::NothingToPrint:
        return NothingToPrint(options.file);
    case ListingPrintResult::Cancelled:
    case ListingPrintResult::Failed:
        break;
    }
    PrintError(Text(CliText::PrintNotWritten, {options.pdf}));
    return ExitFile;
}

} // namespace

int CmdPrint(const QStringList &arguments)
{
    PrintOptions options;
    if (const int status = ReadOptions(arguments, options); status != ExitOk)
        return status;
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, options.file))
        return ExitFile;
    if (options.lines)
        return PrintLines(document, options);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        PrintError(Text(CliText::PrintNotWritten, {options.pdf}));
        return ExitFile;
    }
    return PrintPdf(document, options);
}

std::unique_ptr<QCoreApplication> CreateQtApplication(int &argc, char **argv)
{
    bool pdf = false;
    for (int i = 2; i < argc && argc > 1 && std::strcmp(argv[1], "print") == 0; ++i)
        pdf = pdf || std::strcmp(argv[i], "--pdf") == 0;
    if (!pdf)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace Cli
