#pragma once

#include <memory>

#include "platform/CFont.h"
#include "platform/CString.h"
#include "platform/WinTypes.h"

class QPainter;
class QWidget;

// A device context: the font that text is measured in and, while a window paints, the
// painter that draws on it.
class CDC {
public:
    virtual ~CDC();

    HDC GetSafeHdc() { return this; }

    // Makes `font` the context's font; returns the previous one.
    CFont* SelectObject(CFont* font);
    // Width and height in pixels of the text in the context's font.
    CSize GetTextExtent(const CString& text) const;
    // Draws the icon at its standard size (SM_CXICON by SM_CYICON) with its top left corner at
    // (x, y). FALSE outside painting.
    BOOL DrawIcon(int x, int y, HICON icon);

    QPainter* GetPainter() const { return m_painter.get(); }

protected:
    // Measures in the widget's font; with `paint`, draws on it (inside its paint event only).
    CDC(QWidget* widget, bool paint);

private:
    CFont m_windowFont;
    CFont* m_font;
    std::unique_ptr<QPainter> m_painter;
};
