#pragma once

#include "paint/ListingPainter.h"

class QPrinter;

// Lays the listing out for the printer and prints its pages, copies times
// over, in one document named after the configuration. A listing without
// pages starts no document.
ListingPrintResult PrintListing(QPrinter &printer, const CListingJob &job, int copies = 1);
