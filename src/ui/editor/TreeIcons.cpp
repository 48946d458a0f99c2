#include "ui/editor/TreeIcons.h"

#include "ui/editor/TreeIconIds.h"

#include <QPixmap>

CTreeIcons::CTreeIcons(const ImageLoader &loadImage)
{
    if (!loadImage)
        return;
    for (unsigned id : TreeIconId::kAll) {
        QIcon icon;
        for (unsigned imageId : {id, id + TreeIconId::kDoubleSizeOffset}) {
            QPixmap image;
            if (image.loadFromData(loadImage(imageId), "PNG"))
                icon.addPixmap(image);
        }
        if (!icon.isNull())
            m_icons[id] = icon;
    }
}

QIcon CTreeIcons::Icon(unsigned id) const
{
    const auto found = m_icons.find(id);
    return found != m_icons.end() ? found->second : QIcon();
}
