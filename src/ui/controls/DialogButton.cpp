#include "ui/controls/DialogButton.h"

#include "settings/Labels.h"
#include "ui/controls/ControlIds.h"

#include <QPushButton>

QPushButton *MakeDialogButton(const CApplication *application, unsigned text, int id,
                              QWidget *parent)
{
    auto *button = new QPushButton(LoadLabel(application, text, true), parent);
    button->setObjectName(ControlObjectName(id));
    button->setAutoDefault(false);
    return button;
}
