#pragma once

#include <QStringList>

namespace res {

// The images of the icon resources, as Qt resource paths, smallest first.
class IconTable {
public:
    // The images of icon `id`; empty when there is no such icon.
    static QStringList Files(int id);
};

} // namespace res
