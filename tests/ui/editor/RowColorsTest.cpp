#include "ui/editor/RowColors.h"

#include "platform/LanguageLibrary.h"
#include "ui/editor/TreeIconIds.h"

#include <QApplication>
#include <QImage>
#include <QPalette>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// A dark desktop palette as the common dark themes make it: derived from a
// dark button colour, whose mid tone is close to the base.
QPalette DarkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x5a, 0x5a, 0x5a));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

// Two colours this far apart are told apart at a glance.
constexpr double kDistinct = 1.5;

struct NamedPalette
{
    const char *name;
    QPalette palette;
};

std::vector<NamedPalette> Palettes()
{
    return {{"light", QApplication::palette()}, {"dark", DarkPalette()}};
}

} // namespace

TEST(RowColors, ContrastRatiosAsTheFormulaGives)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::red, Qt::red), 1.0);
    // A colour that already stands out stays; another moves only as far as needed.
    EXPECT_EQ(Readable(Qt::black, Qt::white, kTextContrast), QColor(Qt::black));
    const QColor grey = Readable(QColor(0xc0, 0xc0, 0xc0), Qt::white, kTextContrast);
    EXPECT_GE(ContrastRatio(grey, Qt::white), kTextContrast);
    EXPECT_LT(ContrastRatio(grey, Qt::white), 6.0);
    EXPECT_GE(ContrastRatio(Readable(QColor(0x40, 0x40, 0x40), Qt::black, 3.0), Qt::black), 3.0);
}

// Every row's text reads on its band, in a light and in a dark palette, and
// a disabled row still looks unlike an enabled one.
TEST(RowColors, TextAndLinesReadInLightAndDarkPalettes)
{
    for (const NamedPalette &named : Palettes()) {
        SCOPED_TRACE(named.name);
        const QPalette &palette = named.palette;
        for (const bool selected : {false, true}) {
            for (const bool focus : {false, true}) {
                const CRowColors enabled = RowColors(palette, false, selected, focus);
                const CRowColors disabled = RowColors(palette, true, selected, focus);
                const auto under = [&palette](const CRowColors &colours) {
                    return colours.background.isValid() ? colours.background
                                                        : palette.color(QPalette::Base);
                };
                EXPECT_GE(ContrastRatio(enabled.text, under(enabled)), kTextContrast)
                    << selected << focus;
                EXPECT_GE(ContrastRatio(disabled.text, under(disabled)), kTextContrast)
                    << selected << focus;
                // Unlike to the eye: the text or the band differs clearly.
                EXPECT_GE(std::max(ContrastRatio(disabled.text, enabled.text),
                                   ContrastRatio(under(disabled), under(enabled))),
                          kDistinct)
                    << selected << focus;
            }
        }
        EXPECT_GE(ContrastRatio(TreeLineColor(palette), palette.color(QPalette::Base)),
                  kGraphicContrast);
    }
}

// The check icons come with their own box; its outline (the frame, or the
// light fill on a dark base) stands out from the row, and a check mark from
// the box.
TEST(RowColors, CheckIconsStandOutOnLightAndDarkRows)
{
    const auto library = CLanguageLibrary::Open(QCoreApplication::applicationDirPath() +
                                                QStringLiteral("/ProvixLang.so"));
    ASSERT_NE(library, nullptr);
    const std::pair<unsigned, bool> icons[] = {
        {TreeIconId::Unchecked, false},         {TreeIconId::Checked, true},
        {TreeIconId::UncheckedDisabled, false}, {TreeIconId::CheckedDisabled, true},
        {TreeIconId::MandatoryChecked, true},
    };
    for (const auto &[id, checked] : icons) {
        const QImage image = QImage::fromData(library->LoadImage(id));
        ASSERT_EQ(image.width(), 16) << id;
        const QColor frame = image.pixelColor(1, 1);
        const QColor fill = image.pixelColor(3, 12);
        for (const NamedPalette &named : Palettes()) {
            const QColor base = named.palette.color(QPalette::Base);
            EXPECT_GE(std::max(ContrastRatio(frame, base), ContrastRatio(fill, base)),
                      kGraphicContrast)
                << id << ' ' << named.name;
        }
        if (!checked)
            continue;
        // The darkest pixel inside the box is the check mark's.
        QColor mark = fill;
        for (int y = 3; y < 13; ++y) {
            for (int x = 3; x < 13; ++x) {
                if (image.pixelColor(x, y).lightness() < mark.lightness())
                    mark = image.pixelColor(x, y);
            }
        }
        EXPECT_GE(ContrastRatio(mark, fill), kGraphicContrast) << id;
    }
}
