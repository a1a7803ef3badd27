#include "res/IconTable.h"

#include <QtGlobal>

#include "res/Resource.h"

// The resource file lives in a static library: nothing would pull its registration in.
static void InitIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace res {

QStringList IconTable::Files(int id) {
    static const bool registered = (InitIcons(), true);
    (void)registered;
    if (id != IDR_MAINFRAME)
        return {};
    return {":/icons/veldrun-16.png", ":/icons/veldrun-32.png", ":/icons/veldrun-48.png"};
}

} // namespace res
