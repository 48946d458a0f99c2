#pragma once

#include "ui/controls/ControlIds.h"

#include <QPrintDialog>

class CApplication;
class QRadioButton;

// The print dialog with a third range choice beside all settings and the
// tree's selected rows: the included settings, the default. The choice the
// dialog opens with is the one printed if the user leaves it alone.
class CCustomPrint : public QPrintDialog
{
    Q_OBJECT

public:
    enum RangeChoice : int {
        AllId = ControlId::PrintAll,
        SelectionId = ControlId::PrintSelection,
        IncludedId = ControlId::PrintIncluded,
    };

    CCustomPrint(const CApplication *application, QPrinter *printer, int rangeOption,
                 QWidget *parent = nullptr);

    // 0 all settings, 1 the selected rows, 2 the included settings.
    int RangeOption() const { return m_rangeOption; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CheckRangeButton();
    QRadioButton *Button(int option) const;

    QRadioButton *m_all = nullptr;
    QRadioButton *m_selection = nullptr;
    QRadioButton *m_included = nullptr;
    int m_rangeOption;
};
