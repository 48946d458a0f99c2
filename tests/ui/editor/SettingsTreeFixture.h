#pragma once

#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/BulkLoad.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"
#include "ui/editor/SettingsTreeModel.h"
#include "ui/editor/TreeIcons.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

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
    CRecordingMessages &Messages() { return m_test.Messages(); }
    bool HasLibrary() const { return m_library != nullptr; }

    CTreeIcons::ImageLoader Images() const
    {
        const CLanguageLibrary *library = m_library;
        return [library](unsigned id) {
            return library ? library->LoadImage(id) : QByteArray();
        };
    }

    // Names n access points as the editor does, with the reference refresh
    // run once at the end.
    void AddAccessPoints(int n)
    {
        CBulkLoad bulk;
        for (int i = 0; i < n; ++i)
            AddAccessPoint(Root(), QStringLiteral("AP %1").arg(i, 5, 10, QLatin1Char('0')));
        bulk.Finish();
    }

private:
    CTestTree m_test;
    const CLanguageLibrary *m_library = nullptr;
};

// Counts the warnings that QAbstractItemModelTester reports.
class CModelWarnings
{
public:
    CModelWarnings()
    {
        s_count = 0;
        m_previous = qInstallMessageHandler(&Handle);
    }
    ~CModelWarnings() { qInstallMessageHandler(m_previous); }
    int Count() const { return s_count; }

private:
    static void Handle(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg) {
            ++s_count;
            ADD_FAILURE() << message.toStdString();
        }
    }

    static inline int s_count = 0;
    QtMessageHandler m_previous;
};
