// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/FixedLook.h"

#include "ui/skin/BoldText.h"
#include "ui/skin/SkinFont.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace fixedLook {

QPalette palette()
{
    // The designed style's own light palette, copied role by role: a copy made so counts
    // every colour as set, and an application palette with every colour set is never
    // completed from a platform theme's.
    static const QPalette fixed = [] {
        const std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(boldText::kDesignedStyle)));
        const QPalette standard = style ? style->standardPalette() : QPalette(Qt::lightGray);
        QPalette all;
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            const auto g = QPalette::ColorGroup(group);
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto r = QPalette::ColorRole(role);
                all.setBrush(g, r, standard.brush(g, r));
            }
        }
        return all;
    }();
    return fixed;
}

void install()
{
    boldText::install();
    QApplication::setPalette(palette());
    // What is given no font of its own (a text box's first layout before it gets its
    // font, the screen reader's announcements) uses the controls' face too: the toolkit's
    // default face would be loaded for that alone.
    QApplication::setFont(SkinFont().toQFont());
}

} // namespace fixedLook
