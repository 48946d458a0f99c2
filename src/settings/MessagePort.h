#pragma once

#include <QString>

// How the core shows a message box. The user interface implements it; tests
// record what would have been shown.
class IMessagePort
{
public:
    // SaveDiscardCancel answers ResultYes for Save and ResultNo for Discard.
    enum Buttons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
    enum Icon { Information, Warning, Error, Question };
    enum Result { ResultOk, ResultCancel, ResultYes, ResultNo };

    virtual ~IMessagePort() = default;
    virtual Result ShowMessage(const QString &text, Buttons buttons, Icon icon) = 0;
};
