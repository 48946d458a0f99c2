#pragma once

#include "ui/controls/InPlaceEditor.h"

#include <QLineEdit>

// A single-line editor over a row's value column; Enter, Escape and losing
// the focus end it as every in-place editor does.
class CInPlaceLineEdit : public QLineEdit, public CInPlaceEditor
{
    Q_OBJECT

public:
    explicit CInPlaceLineEdit(QWidget *parent = nullptr);
    ~CInPlaceLineEdit() override;

signals:
    void commitRequested();
    void editDropped();
    // The editor dropped c, typed or pasted at position, as its rule says.
    void characterRefused(QChar c, qsizetype position);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void EmitCommitRequested() override { emit commitRequested(); }
    void EmitEditDropped() override { emit editDropped(); }
};
