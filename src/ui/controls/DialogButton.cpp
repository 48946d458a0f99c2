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
