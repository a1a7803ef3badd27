#pragma once

#include <QDialog>

class CDialog;

// The Qt window of a running CDialog. It turns the keyboard, closing, painting, the context
// menu and file drops into the dialog's Win32 messages, and passes the keys pressed in its
// controls to the dialog's PreTranslateMessage.
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
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PressEnter();
    QWidget* ControlOf(QWidget* widget) const;

    CDialog* m_owner;
};
