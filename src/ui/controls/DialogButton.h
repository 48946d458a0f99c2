#pragma once

class CApplication;
class QPushButton;
class QWidget;

// A push button of a list dialog: its text from the language library, its
// control identifier as its object name, and no taking of Enter from the
// dialog's default button.
QPushButton *MakeDialogButton(const CApplication *application, unsigned text, int id,
                              QWidget *parent);
