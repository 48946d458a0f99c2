#include "ui/controls/DialogButton.h"

#include "settings/Labels.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"

#include <QPushButton>

QPushButton *MakeDialogButton(const CApplication *application, unsigned text, int id,
                              QWidget *parent)
{
    auto *button = new QPushButton(ShownLabel(application, text), parent);
    button->setObjectName(ControlObjectName(id));
    button->setAutoDefault(false);
    return button;
}

void ChainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}
