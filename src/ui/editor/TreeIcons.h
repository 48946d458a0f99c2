#pragma once

#include <QByteArray>
#include <QIcon>

#include <functional>
#include <map>

// The settings tree's icons, read once from the language library: each icon
// holds its 16- and its 32-pixel image, so it stays sharp on dense screens.
class CTreeIcons
{
public:
    // The encoded image with an identifier; empty when there is none.
    using ImageLoader = std::function<QByteArray(unsigned id)>;

    CTreeIcons() = default;
    explicit CTreeIcons(const ImageLoader &loadImage);

    // A null icon when the library had no image for the identifier.
    QIcon Icon(unsigned id) const;

private:
    std::map<unsigned, QIcon> m_icons;
};
