#pragma once

#include <QDialog>

class CDialog;

// The Qt window of a running CDialog. It turns the keyboard, closing, painting, the context
// menu and file drops into the dialog's Win32 messages.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* owner, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void PressEnter();
    // False when there is no system menu, or it is empty.
    bool ShowSystemMenu(const QPoint& globalPos);

    CDialog* m_owner;
};
