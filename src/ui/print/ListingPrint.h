#pragma once

#include "print/PrintListing.h"

#include <QFont>
#include <QString>

class CApplication;
class CSettingNode;
class QPrinter;

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

enum class ListingPrintResult { Printed, NothingToPrint, Failed };

// Lays the listing out for the printer and prints its pages, copies times
// over, in one document named after the configuration. A listing without
// pages starts no document.
ListingPrintResult PrintListing(QPrinter &printer, const CListingJob &job, int copies = 1);
