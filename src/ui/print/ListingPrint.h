#pragma once

#include "paint/ListingPainter.h"

class QPrinter;
class QWidget;

// Lays the listing out for the printer and prints its pages, copies times
// over, in one document named after the configuration. A listing without
// pages starts no document. With a parent, a progress dialog over it follows
// the pages, and its Cancel stops the print after the page being drawn.
ListingPrintResult PrintListing(QPrinter &printer, const CListingJob &job, int copies = 1,
                                QWidget *parent = nullptr);
