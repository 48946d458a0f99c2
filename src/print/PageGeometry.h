#pragma once

// Where a listing goes on a page, all in device units, derived from the
// page's printable size and the height of a line of bold text.
struct CPageGeometry
{
    int lineHeight = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int unit = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int lineSpacing = 0;
    int linesPerPage = 0;
    int valueColumn = 0;

    static CPageGeometry ForPage(int pageWidth, int pageHeight, int lineHeight);

    // Positions of the header and footer texts and rules.
    int HeaderRule() const { return lineHeight * 4; }
    int FooterRule() const { return pageHeight - lineHeight * 4; }
    int HeaderText() const { return lineHeight * 4 / 3; }
    int FooterText() const { return pageHeight - 2 * (lineHeight * 4 / 3); }
};
