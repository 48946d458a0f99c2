#pragma once

#include <QWidget>

class CApplication;
class CProblemsModel;
class CSettingNode;
class QLabel;
class QRadioButton;
class QTreeView;

// The pane beside the settings tree that lists every setting failing its
// check (see CProblemsModel), with a choice between the included settings
// and all of them and a status line with their count. Enter or a double
// click on a row asks for its setting to be shown and edited.
class CProblemsPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CProblemsPanel(const CApplication *application, QWidget *parent = nullptr);

    // The model observes the document; the panel's owner registers it.
    CProblemsModel *Model() const { return m_model; }
    QTreeView *List() const { return m_list; }
    void SetOnlyIncluded(bool onlyIncluded);
    // Shows the included settings with node's row current, the first row
    // when node has none; the focus stays where it is.
    void OpenOn(const CSettingNode *node);
    // The status line's text.
    QString CountText() const;

signals:
    void settingActivated(const CSettingNode *node);
    void hideRequested();

protected:
    // The columns share the list's width anew as it changes; a cut text
    // shows whole in its tooltip.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowCount(int count);

    const CApplication *m_application;
    CProblemsModel *m_model;
    QRadioButton *m_included;
    QRadioButton *m_all;
    QTreeView *m_list;
    QLabel *m_count;
};
