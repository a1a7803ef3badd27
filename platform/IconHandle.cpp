#include "platform/IconHandle.h"

#include <map>
#include <memory>

#include "res/IconTable.h"

HICON IconHandle::Load(int id) {
    static std::map<int, std::unique_ptr<IconHandle>> loaded;
    std::unique_ptr<IconHandle>& icon = loaded[id];
    if (!icon) {
        const QStringList files = res::IconTable::Files(id);
        if (files.isEmpty())
            return nullptr;
        QIcon images;
        for (const QString& file : files)
            images.addFile(file);
        icon = std::make_unique<IconHandle>(images);
    }
    return icon.get();
}
