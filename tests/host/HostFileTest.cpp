#include "PlugInFixture.h"

#include "orvenet/host/HostWindow.h"
#include "platform/registry/Registry.h"

#include <QAbstractItemModel>
#include <QProcess>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

namespace {

using HostFileTest = PlugInFixture;

// A configuration whose one access point has this name.
QString WriteConfiguration(const QTemporaryDir &folder, const QString &accessPoint)
{
    const QString path = folder.filePath(accessPoint + ".xml");
    const QString provana = QCoreApplication::applicationDirPath() + "/provana";
    for (const QStringList &arguments :
         {QStringList{"new", path}, QStringList{"add", path, "IAPSettings", accessPoint}}) {
        QProcess process;
        process.start(provana, arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return QString();
    }
    return path;
}

bool Shows(const QAbstractItemModel *model, const QString &text, const QModelIndex &parent = {})
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString().contains(text) || Shows(model, text, index))
            return true;
    }
    return false;
}

TEST_F(HostFileTest, AFileOpenedFromTheDesktopOpensInTheViewAtStartAndWhileItRuns)
{
    QTemporaryDir folder;
    const QString office = WriteConfiguration(folder, "Office");
    const QString home = WriteConfiguration(folder, "Home");
    ASSERT_FALSE(office.isEmpty() || home.isEmpty());

    CHostWindow window;
    window.OpenConfigurationFile(office);
    ASSERT_EQ(window.LoadPlugIns(), 1);
    const auto *tree = window.findChild<QTreeView *>(QStringLiteral("id10150"));
    ASSERT_TRUE(tree);
    EXPECT_TRUE(Shows(tree->model(), "Office"));

    window.OpenConfigurationFile(home);
    EXPECT_TRUE(Shows(tree->model(), "Home"));
    EXPECT_FALSE(Shows(tree->model(), "Office"));
    EXPECT_EQ(CRegistry().GetValue("HKEY_CURRENT_USER\\Software\\Talvik\\Provana", "RequestFile"),
              std::nullopt);
    // Activated anew, not twice: one toolbar.
    QCoreApplication::processEvents();
    int shown = 0;
    for (const QToolBar *toolbar : window.findChildren<QToolBar *>())
        shown += toolbar->isVisibleTo(&window) ? 1 : 0;
    EXPECT_EQ(shown, 1);
}

} // namespace
