#pragma once

#include "print/PageGeometry.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

class CApplication;
class CReferenceNames;
class CSettingNode;
class IPrintCanvas;
class IPrintMeasure;

// Which settings a listing shows.
namespace PrintRange {
enum : int { All = 0, Selected = 1, Included = 2 };
} // namespace PrintRange

// The texts around every page: the view's name and the document title in the
// header, the date and "page n of m" in the footer.
struct CPageTexts
{
    QString viewName;
    QString documentTitle;
    QString date;
    QString pageFormat;

    // The texts for a document title and date in the application's language.
    static CPageTexts ForDocument(const CApplication *application, const QString &documentTitle,
                                  const QString &date);
};

// The printed listing of a settings tree: one line per setting with its
// label and value, indented like the tree, laid out into stored lines once
// and then drawn page by page. Printing and the preview share it.
class CPrintListing
{
public:
    using SelectedTest = std::function<bool(const CSettingNode *)>;

    // Lays out the rows below root for a page of the given printable size.
    // selected answers for the rows selected in the tree (range Selected);
    // a selected row is printed with every row below it.
    void Build(const CSettingNode *root, int rangeMode, int pageWidth, int pageHeight,
               const IPrintMeasure &measure, const SelectedTest &selected = {});

    const std::vector<QString> &Lines() const { return m_lines; }
    const CPageGeometry &Geometry() const { return m_geometry; }
    int PageCount() const;
    // Draws page 1 to PageCount().
    void DrawPage(int page, IPrintCanvas &canvas, const CPageTexts &texts) const;

    // Stops a print running over the pages; building clears it.
    void Abort() { m_aborted = true; }
    bool IsAborted() const { return m_aborted; }

private:
    // inSelection: a node above was selected (range Selected).
    void CollectItem(const CSettingNode *node, int depth, bool inSelection);
    // The shown value, with item names read once per listing.
    QString ValueOf(const CSettingNode *node) const;
    QString ChildValue(const CSettingNode *entry, int type) const;
    bool IsInRange(const CSettingNode *node) const;
    void AddItemLines(const CSettingNode *node, int x, bool hasRows);
    void AddEntryColumns(const QString &first, const QString &second, int firstX, int x);
    void AddListLines(const CSettingNode *node, int x);
    // Adds text wrapped to right at x, from line on or on new lines at the
    // end (line < 0); returns the first line used.
    int AddRun(QString text, bool bold, int x, int right, int line = -1);
    void AddBlankLine();
    void KeepHeadingOffPageFoot();
    void RemoveTrailingBlankLines();

    std::vector<QString> m_lines;
    CPageGeometry m_geometry;
    const IPrintMeasure *m_measure = nullptr;
    CReferenceNames *m_names = nullptr;
    SelectedTest m_selected;
    int m_rangeMode = PrintRange::Included;
    int m_spaceWidth = 0;
    bool m_aborted = false;
};
