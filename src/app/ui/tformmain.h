#pragma once

#include <QMainWindow>
#include <QTimer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class TGlobal;
class Tdbhouse;
class Tloginfm;

// The frame of every function: main menu, navigation panel "导航向导", status bar and the child windows.
class TFormmain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormmain(Tdbhouse &data, TGlobal *settings, QWidget *parent = nullptr);

    // Opens both connections on the local database; false (after the message) when that fails.
    bool openLocalDatabases();
    void runLogin();
    // Enables the menu entries named by the operator's grants.
    void applyPermissions(const QStringList &grantedFunctions);

    // A menu entry or navigation key: closes the other windows, then opens a fresh instance.
    void openWindow(const QString &key);
    void closeOtherWindows();
    // Places a child window at the top-left of the client area; the expiry warning keeps the others open.
    QMdiSubWindow *showChild(QWidget *window, bool closeOthers = true);
    // The navigation button by caption, as the operator presses it.
    void pressNavigationButton(const QString &caption);
    bool isPermitted(const QString &menuEntryName) const;
    void showHelp();

    QMdiArea *clientArea() const { return m_area; }
    QTimer &loginTimer() { return m_loginTimer; }
    QTimer &expiryTimer() { return m_expiryTimer; }
    QString statusOperator() const;
    QString statusDate() const;

signals:
    // The login window is on screen (used to measure the start-up time).
    void loginShown();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct NavigationButton
    {
        const char *caption;
        QString permission; // menu entry that must be enabled; empty: none, or the admin test
        QString key;        // what it opens
    };
    static const QList<NavigationButton> &navigationButtons();

    void buildMenu();
    QWidget *buildNavigationPanel();
    void buildStatusBar();
    void startUp();
    void afterLoginAttempt();
    void menuEntryChosen(const QString &name);
    void runAction(const QString &key);
    QList<QMenu *> grantableMenus() const;

    Tdbhouse &m_data;
    TGlobal *m_settings;
    QMdiArea *m_area = nullptr;
    QLabel *m_operatorLabel = nullptr;
    QLabel *m_dateLabel = nullptr;
    QTimer m_loginTimer;
    QTimer m_expiryTimer;
    bool m_started = false;
};
