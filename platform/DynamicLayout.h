#pragma once

#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>

#include "res/ControlTemplate.h"

class QWidget;

// Moves and sizes the controls of a resizable dialog as it grows past its template size:
// each control by its template layout's share of the growth, from where the template put it.
class DynamicLayout : public QObject {
public:
    // Follows the resizes of `dialog`, whose template size is its size now.
    explicit DynamicLayout(QWidget* dialog);

    // Takes `control` at its present geometry, which stands for the template size.
    void Add(QWidget* control, const res::ControlLayout& layout);

    // The layout that follows `dialog`'s resizes; nothing for a dialog of fixed size.
    static DynamicLayout* Of(const QWidget* dialog);

    // Keeps a change that the dialog's own code made to `control`'s geometry (a field widened
    // at set-up to fit its text) as the dialog grows, as if the template had asked for it.
    void Moved(QWidget* control);

    // Where a control of template geometry `start` goes when the dialog has grown by `growth`.
    static QRect Place(const QRect& start, const res::ControlLayout& layout, const QSize& growth);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> control;
        QRect start;
        res::ControlLayout layout;
    };

    void Apply();

    QWidget* m_dialog;
    QSize m_base;
    // The growth that the controls were last placed for.
    QSize m_placed{0, 0};
    std::vector<Item> m_items;
};
