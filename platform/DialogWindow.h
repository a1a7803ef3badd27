#pragma once

#include <QDialog>

class CWnd;

// The Qt window of a running CDialog. It turns the keyboard, closing, painting, the context
// menu and file drops into the dialog's Win32 messages.
class DialogWindow : public QDialog {
public:
    DialogWindow(CWnd* owner, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void PressEnter();
    QWidget* ControlOf(QWidget* widget) const;

    CWnd* m_owner;
};
