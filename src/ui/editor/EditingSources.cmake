set(PROVANA_EDITING_SOURCES
    CharacterSetEdit.cpp CharacterSetEdit.h
    ChoiceListEdit.cpp ChoiceListEdit.h
    InPlaceEditing.cpp InPlaceEditing.h
    InPlaceLineEdit.cpp InPlaceLineEdit.h
    MultilineTextDlg.cpp MultilineTextDlg.h
    NumberEdit.cpp NumberEdit.h
    TextValueEdit.cpp TextValueEdit.h)
