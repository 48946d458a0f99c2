#pragma once

#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"
#include "ui/editor/SettingsTreeModel.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace NodeType;

// A fresh default configuration labelled by the real English language
// library, which also supplies the tree's icons.
class CSettingsTreeTest : public ::testing::Test
{
protected:
    CSettingsTreeTest()
    {
        auto library = CLanguageLibrary::Open(ProgramFolder() + kLanguageLibraryName);
        m_library = library.get();
        m_test.Application().SetLanguageLibrary(std::move(library));
    }

    CSettingNode *Root() const { return m_test.Root(); }

    CTestTree m_test;
    const CLanguageLibrary *m_library = nullptr;
};
