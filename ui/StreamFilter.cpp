#include "ui/StreamFilter.h"

#include "res/Tr.h"

std::wstring StreamFilter::Text() {
    // Only the descriptions are translated: a translation cannot break the patterns.
    return res::Tr("StreamFilter", "MTS Files (*.mts)") + L"|*.mts|" +
           res::Tr("StreamFilter", "All Files (*.*)") + L"|*.*||";
}
