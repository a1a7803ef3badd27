#pragma once

#include <vector>

#include "res/ControlTemplate.h"

namespace res {

// One dialog resource: the window, its font and its controls in template order. Sizes are
// in dialog units of that font.
struct DialogTemplate {
    int id;
    const wchar_t* caption;
    short cx;
    short cy;
    DWORD style;
    DWORD exStyle;
    const wchar_t* fontFace;
    short pointSize;
    short weight;
    bool italic;
    unsigned char charset;
    std::vector<ControlTemplate> controls;

    // The template with that id, or null.
    static const DialogTemplate* Find(int id);
};

} // namespace res
