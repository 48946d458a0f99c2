#include "print/PageGeometry.h"

#include <algorithm>

CPageGeometry CPageGeometry::ForPage(int pageWidth, int pageHeight, int lineHeight)
{
    CPageGeometry geometry;
    geometry.lineHeight = lineHeight;
    geometry.pageWidth = pageWidth;
    geometry.pageHeight = pageHeight;
    geometry.unit = pageWidth / 30;
    geometry.left = geometry.unit;
    geometry.right = geometry.unit * 29;
    geometry.top = lineHeight * 6;
    geometry.bottom = pageHeight - lineHeight * 8;
    geometry.lineSpacing = lineHeight + lineHeight / 5;
    // A page too small for its header and footer still takes one line, so
    // that the listing always ends.
    geometry.linesPerPage =
        geometry.lineSpacing > 0
            ? std::max(1, (geometry.bottom - geometry.top) / geometry.lineSpacing)
            : 1;
    geometry.valueColumn = geometry.unit * 18;
    return geometry;
}
