#include "PlugInFixture.h"

#include "orvenet/host/HostWindow.h"

#include <QTest>

namespace {

using HostFocusTest = PlugInFixture;

TEST_F(HostFocusTest, TheShownViewsTreeHasTheKeyboardAtStart)
{
    CHostWindow window;
    ASSERT_EQ(window.LoadPlugIns(), 1);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QWidget *tree = window.findChild<QWidget *>(QStringLiteral("id10150"));
    ASSERT_TRUE(tree);
    EXPECT_EQ(QApplication::focusWidget(), tree);
}

} // namespace
