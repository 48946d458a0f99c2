#pragma once

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
    enum ControlId : int { AllId = 1056, SelectionId = 1057, IncludedId = 10213 };

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
