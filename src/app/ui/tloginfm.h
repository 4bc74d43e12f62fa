#pragma once

#include "app/login.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

// The login window "用户登录": operator code, password and database server.
class Tloginfm : public QDialog
{
    Q_OBJECT
public:
    explicit Tloginfm(Tdbhouse &data, TGlobal *settings, QWidget *parent = nullptr);

    // One login attempt, as "登录" or Enter in the password field runs it.
    void login();

    QLineEdit *codeField() const { return m_code; }
    QLineEdit *passwordField() const { return m_password; }
    QLineEdit *serverField() const { return m_server; }
    QLabel *hintLabel() const { return m_hint; }
    QLabel *secondHintLabel() const { return m_secondHint; }
    QTimer &focusTimer() { return m_focusTimer; }
    bool connectionFailed() const { return m_connectionFailed; }

signals:
    // The operator check has run (failed or not): the permissions are to be applied now.
    void operatorChecked();
    // After the window has decided whether to close: the status bar and the expiry timer follow.
    void attemptFinished();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void prepareForShowing();
    void serverEntered();
    void codeEntered();
    void passwordEntered();
    void quit();

    Tdbhouse &m_data;
    TGlobal *m_settings;
    LoginService m_service;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_server = nullptr;
    QLabel *m_hint = nullptr;
    QLabel *m_secondHint = nullptr;
    QPushButton *m_loginButton = nullptr;
    QPushButton *m_quitButton = nullptr;
    QTimer m_focusTimer;
    bool m_connectionFailed = false;
};
