#include "ui/print/CustomPrint.h"

#include "print/PrintListing.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ShownLabel.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

CCustomPrint::CCustomPrint(const CApplication *application, QPrinter *printer, int rangeOption,
                           QWidget *parent)
    : QPrintDialog(printer, parent)
    , m_rangeOption(rangeOption)
{
    setOption(QAbstractPrintDialog::PrintSelection, true);
    setOption(QAbstractPrintDialog::PrintPageRange, false);
    setOption(QAbstractPrintDialog::PrintCurrentPage, false);

    // The platform dialog's own range group gets the third choice, so that
    // the three exclude each other.
    m_all = findChild<QRadioButton *>(QStringLiteral("printAll"));
    m_selection = findChild<QRadioButton *>(QStringLiteral("printSelection"));
    QWidget *group = m_all ? m_all->parentWidget() : nullptr;
    // A listing has no page numbers to choose from before it is laid out:
    // the page choices go.
    for (const char *name :
         {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "printCurrentPage"}) {
        if (auto *choice = group ? group->findChild<QWidget *>(QLatin1String(name)) : nullptr)
            choice->hide();
    }
    if (group) {
        for (QLabel *label : group->findChildren<QLabel *>())
            label->hide();
    }
    auto *layout = group ? qobject_cast<QBoxLayout *>(group->layout()) : nullptr;
    if (layout) {
        m_included =
            new QRadioButton(ShownLabel(application, StringId::PrintIncludedSettings), group);
        const int after = m_selection ? layout->indexOf(m_selection) : layout->indexOf(m_all);
        layout->insertWidget(after + 1, m_included);
    }
    struct Choice
    {
        QRadioButton *button;
        int option;
        int id;
    };
    const Choice choices[] = {{m_all, ::PrintRange::All, AllId},
                              {m_selection, ::PrintRange::Selected, SelectionId},
                              {m_included, ::PrintRange::Included, IncludedId}};
    for (const Choice &choice : choices) {
        if (!choice.button)
            continue;
        choice.button->setObjectName(ControlObjectName(choice.id));
        connect(choice.button, &QRadioButton::clicked, this,
                [this, option = choice.option] { m_rangeOption = option; });
    }
}

void CCustomPrint::showEvent(QShowEvent *event)
{
    QPrintDialog::showEvent(event);
    // The platform dialog keeps its range group among the collapsed
    // options; the range is what this dialog is about, so it opens expanded.
    if (m_all && !m_all->isVisibleTo(this))
        QMetaObject::invokeMethod(this, "_q_collapseOrExpandDialog");
    // The platform dialog sets its own range buttons as it opens; ours is set
    // once that is done.
    QMetaObject::invokeMethod(this, &CCustomPrint::CheckRangeButton, Qt::QueuedConnection);
}

void CCustomPrint::CheckRangeButton()
{
    for (int option : {::PrintRange::All, ::PrintRange::Selected, ::PrintRange::Included}) {
        if (QRadioButton *button = Button(option)) {
            button->setAutoExclusive(false);
            button->setChecked(option == m_rangeOption);
            button->setAutoExclusive(true);
        }
    }
}

QRadioButton *CCustomPrint::Button(int option) const
{
    switch (option) {
    case ::PrintRange::All:
        return m_all;
    case ::PrintRange::Selected:
        return m_selection;
    default:
        return m_included;
    }
}
