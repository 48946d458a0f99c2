// Paints the ten icons of the settings tree and the host toolbar's strip of
// five button faces at 16 and 32 pixels. Every shape is laid out on a 16-unit
// grid with one-unit lines on half units, so the doubled size lands on whole
// pixels too and both stay sharp.
#include "ui/editor/TreeIconIds.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <iterator>

namespace {

// The icons are drawn on the tree's base colour, light or dark, so every box
// brings its own light fill.
struct BoxStyle
{
    QColor frame;
    QColor fillTop;
    QColor fillBottom;
};

const BoxStyle kNormalBox{QColor(0x4a, 0x66, 0x85), QColor(0xff, 0xff, 0xff),
                          QColor(0xe2, 0xea, 0xf3)};
const BoxStyle kPressedBox{QColor(0x2c, 0x4a, 0x6c), QColor(0xa9, 0xbf, 0xd8),
                           QColor(0xc8, 0xd7, 0xe8)};
// Greyed, yet with a frame that stands out 3:1 on white and on a dark base.
const BoxStyle kDisabledBox{QColor(0x7c, 0x82, 0x88), QColor(0xf2, 0xf2, 0xf2),
                            QColor(0xe4, 0xe4, 0xe4)};
const BoxStyle kMandatoryBox{QColor(0x8a, 0x5c, 0x00), QColor(0xff, 0xf6, 0xdc),
                             QColor(0xfb, 0xe1, 0x9a)};
const BoxStyle kMandatoryPressedBox{QColor(0x6b, 0x45, 0x00), QColor(0xe3, 0xb9, 0x55),
                                    QColor(0xf0, 0xcf, 0x80)};
const BoxStyle kExpandBox{QColor(0x7b, 0x8a, 0x9a), QColor(0xff, 0xff, 0xff),
                          QColor(0xe8, 0xec, 0xf0)};

const QColor kCheckColour(0x17, 0x4a, 0x86);
const QColor kDisabledCheckColour(0x6a, 0x6a, 0x6a);
const QColor kMandatoryCheckColour(0x6e, 0x3a, 0x00);
const QColor kGlyphColour(0x22, 0x2a, 0x33);

void DrawBox(QPainter &painter, const QRectF &outline, const BoxStyle &style)
{
    QLinearGradient fill(outline.topLeft(), outline.bottomLeft());
    fill.setColorAt(0, style.fillTop);
    fill.setColorAt(1, style.fillBottom);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(style.frame, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(fill);
    painter.drawRect(outline);
}

void DrawCheck(QPainter &painter, const QColor &colour)
{
    QPainterPath tick;
    tick.moveTo(4.0, 8.0);
    tick.lineTo(6.75, 10.75);
    tick.lineTo(12.0, 5.0);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
}

const QRectF kCheckBox(1.5, 1.5, 13, 13);

// The check icons: a box, and a check mark in the given colour when set.
struct CheckFace
{
    unsigned id;
    const BoxStyle &box;
    const QColor *check;
};
const CheckFace kCheckFaces[] = {
    {TreeIconId::Unchecked, kNormalBox, nullptr},
    {TreeIconId::Checked, kNormalBox, &kCheckColour},
    {TreeIconId::Pressed, kPressedBox, nullptr},
    {TreeIconId::UncheckedDisabled, kDisabledBox, nullptr},
    {TreeIconId::CheckedDisabled, kDisabledBox, &kDisabledCheckColour},
    {TreeIconId::PartlyChecked, kNormalBox, nullptr},
    {TreeIconId::MandatoryChecked, kMandatoryBox, &kMandatoryCheckColour},
    {TreeIconId::MandatoryPressed, kMandatoryPressedBox, &kMandatoryCheckColour},
};

void PaintIcon(QPainter &painter, unsigned id)
{
    for (const CheckFace &face : kCheckFaces) {
        if (face.id != id)
            continue;
        DrawBox(painter, kCheckBox, face.box);
        if (face.check)
            DrawCheck(painter, *face.check);
    }
    if (id == TreeIconId::PartlyChecked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x5b, 0x83, 0xb5));
        painter.drawRect(QRectF(5, 5, 6, 6));
    }
    if (id == TreeIconId::Collapsed || id == TreeIconId::Expanded) {
        DrawBox(painter, QRectF(4.5, 4.5, 8, 8), kExpandBox);
        painter.setPen(QPen(kGlyphColour, 1, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(6, 8.5), QPointF(11, 8.5));
        if (id == TreeIconId::Collapsed)
            painter.drawLine(QPointF(8.5, 6), QPointF(8.5, 11));
    }
}

// The toolbar may be light or dark, so each face has a dark outline around a
// light or saturated fill.
const QColor kOutline(0x2b, 0x33, 0x3d);
const QPen kOutlinePen(kOutline, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);

void PaintNew(QPainter &painter)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    painter.setPen(kOutlinePen);
    painter.setBrush(QColor(0xfa, 0xfb, 0xfd));
    painter.drawPath(page);
    painter.setBrush(QColor(0xc9, 0xd3, 0xdf));
    painter.drawPolygon(QPolygonF{QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)});
    painter.setPen(QPen(QColor(0x2f, 0x8a, 0x3c), 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(11, 9), QPointF(11, 15));
    painter.drawLine(QPointF(8, 12), QPointF(14, 12));
}

void PaintOpen(QPainter &painter)
{
    painter.setPen(kOutlinePen);
    painter.setBrush(QColor(0xd9, 0xa4, 0x2c));
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(6.5, 4.5);
    back.lineTo(12.5, 4.5);
    back.lineTo(12.5, 13.5);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(QColor(0xf6, 0xd3, 0x6b));
    painter.drawPolygon(
        QPolygonF{QPointF(1.5, 13.5), QPointF(4.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5)});
}

void PaintSave(QPainter &painter)
{
    painter.setPen(kOutlinePen);
    painter.setBrush(QColor(0x3b, 0x6e, 0xb4));
    painter.drawPolygon(QPolygonF{QPointF(1.5, 1.5), QPointF(12.5, 1.5), QPointF(14.5, 3.5),
                                  QPointF(14.5, 14.5), QPointF(1.5, 14.5)});
    painter.setBrush(QColor(0xf4, 0xf6, 0xf9));
    painter.drawRect(QRectF(4.5, 1.5, 7, 5));
    painter.setBrush(QColor(0xd5, 0xdd, 0xe8));
    painter.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void PaintSend(QPainter &painter)
{
    QPainterPath arrow;
    arrow.moveTo(1.5, 5.5);
    arrow.lineTo(8.5, 5.5);
    arrow.lineTo(8.5, 1.5);
    arrow.lineTo(14.5, 8);
    arrow.lineTo(8.5, 14.5);
    arrow.lineTo(8.5, 10.5);
    arrow.lineTo(1.5, 10.5);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(kOutlinePen);
    painter.setBrush(QColor(0x3c, 0xa5, 0x4e));
    painter.drawPath(arrow);
}

void PaintPrint(QPainter &painter)
{
    painter.setPen(kOutlinePen);
    painter.setBrush(QColor(0xfa, 0xfb, 0xfd));
    painter.drawRect(QRectF(4.5, 1.5, 7, 5));
    painter.setBrush(QColor(0x8e, 0x98, 0xa4));
    painter.drawRect(QRectF(1.5, 6.5, 13, 6));
    painter.setBrush(QColor(0xfa, 0xfb, 0xfd));
    painter.drawRect(QRectF(4.5, 10.5, 7, 4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3c, 0xa5, 0x4e));
    painter.drawRect(QRectF(12, 8, 1, 1));
}

// In the toolbar's button order: New, Open, Save, Send, Print.
void (*const kToolbarFaces[])(QPainter &) = {PaintNew, PaintOpen, PaintSave, PaintSend, PaintPrint};
constexpr unsigned kToolbarStripId = 29090;

QImage RenderToolbarStrip(int scale)
{
    const int faces = static_cast<int>(std::size(kToolbarFaces));
    QImage image(16 * faces * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    for (int face = 0; face < faces; ++face) {
        painter.save();
        painter.translate(16 * face, 0);
        painter.setRenderHint(QPainter::Antialiasing, false);
        kToolbarFaces[face](painter);
        painter.restore();
    }
    painter.end();
    return image;
}

QImage RenderIcon(unsigned id, int scale)
{
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintIcon(painter, id);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tree_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (unsigned id : TreeIconId::kAll) {
        const struct
        {
            unsigned fileId;
            int scale;
        } variants[] = {{id, 1}, {id + TreeIconId::kDoubleSizeOffset, 2}};
        for (const auto &variant : variants) {
            const QString path = folder.filePath(QString::number(variant.fileId) + ".png");
            if (!RenderIcon(id, variant.scale).save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    for (int scale : {1, 2}) {
        const unsigned fileId = kToolbarStripId + (scale == 2 ? TreeIconId::kDoubleSizeOffset : 0);
        const QString path = folder.filePath(QString::number(fileId) + ".png");
        if (!RenderToolbarStrip(scale).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
