#pragma once

#include <QIcon>
#include <QPixmap>

#include <array>

namespace dorvel {

// The question list's image list: 0 a collapsed set, 1 an expanded set,
// 2 a question, 3 the selected question. Drawn, so no picture file is needed.
class TreeIcons {
public:
    static constexpr int kSize = 16;

    TreeIcons();
    const QPixmap& pixmap(int index) const;
    // The icon of a node whose model icon index is `index`: questions carry
    // picture 3 for their selected state.
    QIcon icon(int index) const;

private:
    std::array<QPixmap, 4> m_pixmaps;
};

}  // namespace dorvel
