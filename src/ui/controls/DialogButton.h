#pragma once

#include <initializer_list>

class CApplication;
class QPushButton;
class QWidget;

// A push button of a list dialog: its text from the language library, its
// control identifier as its object name, and no taking of Enter from the
// dialog's default button.
QPushButton *MakeDialogButton(const CApplication *application, unsigned text, int id,
                              QWidget *parent);

// Tab goes through widgets in this order (the dialogs follow their fields
// from the top, whatever order the widgets were made in).
void ChainTabOrder(std::initializer_list<QWidget *> widgets);
