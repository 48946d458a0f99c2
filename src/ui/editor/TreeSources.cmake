set(PROVANA_TREE_SOURCES
    RowColors.cpp RowColors.h
    SettingsRowDelegate.cpp SettingsRowDelegate.h
    SettingsTreeCtrl.cpp SettingsTreeCtrl.h
    SettingsTreeModel.cpp SettingsTreeModel.h
    TreeIconIds.h
    TreeIcons.cpp TreeIcons.h
    TreeRowLayout.cpp TreeRowLayout.h)
