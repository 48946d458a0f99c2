#include "ui/problems/ProblemsPanel.h"

#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/DialogButton.h"
#include "ui/controls/ShownLabel.h"
#include "ui/problems/ProblemsModel.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Shares of the list's width for the label and the path, the message taking
// the rest; in a narrow pane no column is narrower than its minimum, and the
// list scrolls sideways instead.
constexpr int kLabelPercent = 26;
constexpr int kPathPercent = 37;
constexpr int kLabelMinChars = 16;
constexpr int kPathMinChars = 26;
constexpr int kMessageMinChars = 30;

// A path cut at its start keeps its item and its setting in sight.
class CPathDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideLeft;
    }
};

} // namespace

CProblemsPanel::CProblemsPanel(const CApplication *application, QWidget *parent)
    : QWidget(parent)
    , m_application(application)
    , m_model(new CProblemsModel(application, this))
{
    setObjectName(ControlObjectName(ControlId::ProblemsPanel));
    auto *title = new QLabel(ShownLabel(application, StringId::ProblemsTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_included = new QRadioButton(ShownLabel(application, StringId::ProblemsIncludedOnly), this);
    m_included->setObjectName(ControlObjectName(ControlId::ProblemsIncluded));
    m_all = new QRadioButton(ShownLabel(application, StringId::ProblemsAll), this);
    m_all->setObjectName(ControlObjectName(ControlId::ProblemsAll));
    auto *group = new QButtonGroup(this);
    group->addButton(m_included);
    group->addButton(m_all);
    m_included->setChecked(true);
    connect(m_all, &QRadioButton::toggled, this,
            [this](bool all) { m_model->SetOnlyIncluded(!all); });
    auto *hide =
        MakeDialogButton(application, StringId::ProblemsHide, ControlId::ProblemsHide, this);
    connect(hide, &QPushButton::clicked, this, &CProblemsPanel::hideRequested);

    m_list = new QTreeView(this);
    m_list->setObjectName(ControlObjectName(ControlId::ProblemsList));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setModel(m_model);
    m_list->header()->setStretchLastSection(false);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setItemDelegateForColumn(CProblemsModel::PathColumn, new CPathDelegate(m_list));
    m_list->viewport()->installEventFilter(this);
    // Enter and a double click both activate a row.
    connect(m_list, &QTreeView::activated, this, [this](const QModelIndex &index) {
        if (const CSettingNode *node = m_model->NodeAt(index.row()))
            emit settingActivated(node);
    });

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_count = new QLabel(status);
    m_count->setObjectName(ControlObjectName(ControlId::ProblemsCount));
    status->addWidget(m_count, 1);
    connect(m_model, &CProblemsModel::countChanged, this, &CProblemsPanel::ShowCount);
    ShowCount(0);

    auto *choices = new QHBoxLayout;
    choices->addWidget(title);
    choices->addStretch(1);
    choices->addWidget(m_included);
    choices->addWidget(m_all);
    choices->addWidget(hide);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(choices);
    layout->addWidget(m_list, 1);
    layout->addWidget(status);
    setFocusProxy(m_list);
}

void CProblemsPanel::SetOnlyIncluded(bool onlyIncluded)
{
    (onlyIncluded ? m_included : m_all)->setChecked(true);
}

void CProblemsPanel::OpenOn(const CSettingNode *node)
{
    SetOnlyIncluded(true);
    m_model->Settle();
    const int row = std::max(0, m_model->RowOf(node));
    const QModelIndex index = m_model->index(row, 0);
    if (index.isValid()) {
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    }
}

QString CProblemsPanel::CountText() const
{
    return m_count->text();
}

bool CProblemsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize) {
        const int width = m_list->viewport()->width();
        const int charWidth = m_list->fontMetrics().averageCharWidth();
        const int label = std::max(width * kLabelPercent / 100, charWidth * kLabelMinChars);
        const int path = std::max(width * kPathPercent / 100, charWidth * kPathMinChars);
        m_list->setColumnWidth(CProblemsModel::LabelColumn, label);
        m_list->setColumnWidth(CProblemsModel::PathColumn, path);
        m_list->setColumnWidth(CProblemsModel::MessageColumn,
                               std::max(width - label - path, charWidth * kMessageMinChars));
    }
    return QWidget::eventFilter(watched, event);
}

void CProblemsPanel::ShowCount(int count)
{
    m_count->setText(FormatLabel(m_application, StringId::ProblemsCount, {count}));
}
