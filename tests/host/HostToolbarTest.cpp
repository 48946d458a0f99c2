#include "PlugInFixture.h"

#include "orvenet/host/HostWindow.h"
#include "platform/LanguageLibrary.h"

#include <QAction>
#include <QImage>
#include <QToolBar>

namespace {

using HostToolbarTest = PlugInFixture;

QImage Pixels(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST_F(HostToolbarTest, TheButtonsShowTheCellsOfTheLanguageLibrarysStrip)
{
    const auto library = CLanguageLibrary::Open(QCoreApplication::applicationDirPath() +
                                                QStringLiteral("/ProvixLang.so"));
    ASSERT_TRUE(library);
    QImage strip, doubled;
    ASSERT_TRUE(strip.loadFromData(library->LoadImage(29090)));
    ASSERT_TRUE(doubled.loadFromData(library->LoadImage(129090)));
    ASSERT_EQ(strip.size(), QSize(80, 16));
    ASSERT_EQ(doubled.size(), QSize(160, 32));

    CHostWindow window;
    ASSERT_EQ(window.LoadPlugIns(), 1);
    const QToolBar *toolbar = window.findChild<QToolBar *>(QStringLiteral("toolbar1"));
    ASSERT_TRUE(toolbar);
    const QList<QAction *> buttons = toolbar->actions();
    ASSERT_EQ(buttons.size(), 5);
    for (int cell = 0; cell < 5; ++cell) {
        const QIcon icon = buttons[cell]->icon();
        ASSERT_FALSE(icon.isNull()) << cell;
        EXPECT_EQ(Pixels(icon.pixmap(QSize(16, 16)).toImage()),
                  Pixels(strip.copy(cell * 16, 0, 16, 16)))
            << cell;
        EXPECT_EQ(Pixels(icon.pixmap(QSize(32, 32)).toImage()),
                  Pixels(doubled.copy(cell * 32, 0, 32, 32)))
            << cell;
    }
    // Every face is a picture of its own.
    for (int cell = 1; cell < 5; ++cell)
        EXPECT_NE(strip.copy(cell * 16, 0, 16, 16), strip.copy(0, 0, 16, 16)) << cell;
}

} // namespace
