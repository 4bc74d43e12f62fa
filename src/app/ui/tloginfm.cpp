#include "app/ui/tloginfm.h"

#include "app/dbhouse.h"
#include "app/operatorcontext.h"
#include "app/prompt.h"
#include "app/tglobal.h"
#include "data/schema.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

Tloginfm::Tloginfm(Tdbhouse &data, TGlobal *settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_data(data), m_settings(settings), m_service(data, settings)
{
    setObjectName(QStringLiteral("loginfm"));
    setWindowTitle(QStringLiteral("用户登录"));
    setModal(true);
    currentOperator().FailedLogins = 0;
    currentOperator().LoginOk = false;
    buildLayout();
    setFixedSize(sizeHint());

    m_focusTimer.setSingleShot(true);
    m_focusTimer.setInterval(500);
    connect(&m_focusTimer, &QTimer::timeout, this, [this] { m_code->setFocus(); });
    connect(m_server, &QLineEdit::returnPressed, this, &Tloginfm::serverEntered);
    connect(m_code, &QLineEdit::returnPressed, this, &Tloginfm::codeEntered);
    connect(m_password, &QLineEdit::returnPressed, this, &Tloginfm::passwordEntered);
    connect(m_loginButton, &QPushButton::clicked, this, &Tloginfm::login);
    connect(m_quitButton, &QPushButton::clicked, this, &Tloginfm::quit);
}

void Tloginfm::buildLayout()
{
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(10);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("code"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_server = new QLineEdit(this);
    m_server->setObjectName(QStringLiteral("server"));
    for (QLineEdit *field : {m_code, m_password, m_server})
        field->setMinimumWidth(220);
    form->addWidget(new QLabel(QStringLiteral("用户代码："), this), 0, 0, Qt::AlignRight);
    form->addWidget(m_code, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("口    令:"), this), 1, 0, Qt::AlignRight);
    form->addWidget(m_password, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("服务器名称或IP："), this), 2, 0, Qt::AlignRight);
    form->addWidget(m_server, 2, 1);

    m_hint = new QLabel(QStringLiteral("初始用户代码：admin    初始口令：%1").arg(QLatin1String(schema::InitialAdminPassword)),
                        this);
    m_hint->setObjectName(QStringLiteral("hint"));
    m_secondHint = new QLabel(QStringLiteral("请及时更改密码"), this);
    m_secondHint->setObjectName(QStringLiteral("secondHint"));
    m_secondHint->setStyleSheet(QStringLiteral("color: #b00000;"));

    m_loginButton = new QPushButton(QStringLiteral("登录"), this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setAutoDefault(false);
    m_quitButton = new QPushButton(QStringLiteral("退出"), this);
    m_quitButton->setObjectName(QStringLiteral("quitButton"));
    m_quitButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_loginButton);
    buttons->addWidget(m_quitButton);

    auto *title = new QLabel(applicationTitle(), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(title);
    layout->addSpacing(10);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(m_hint);
    layout->addWidget(m_secondHint);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void Tloginfm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    prepareForShowing();
}

void Tloginfm::prepareForShowing()
{
    // The main connection still points at the local database here.
    const bool initial = LoginService::adminHasInitialPassword(m_data.adoacccon());
    m_hint->setVisible(initial);
    m_secondHint->setVisible(initial);
    currentOperator().LoginByButton = false;
    if (m_settings)
        m_server->setText(m_settings->str_server);
    m_code->setFocus();
    m_focusTimer.start();
}

void Tloginfm::serverEntered()
{
    if (!m_server->text().isEmpty())
        m_code->setFocus();
}

void Tloginfm::codeEntered()
{
    if (!m_code->text().isEmpty())
        m_password->setFocus();
}

void Tloginfm::passwordEntered()
{
    if (!m_code->text().isEmpty() && !m_password->text().isEmpty())
        login();
}

void Tloginfm::quit()
{
    currentOperator().LoginOk = false;
    reject();
}

void Tloginfm::login()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const LoginOutcome outcome =
        m_service.attempt({m_server->text(), m_code->text(), m_password->text()});
    QGuiApplication::restoreOverrideCursor();

    switch (outcome) {
    case LoginOutcome::ServerEmpty:
        showMessage(LoginService::message(outcome));
        m_server->setFocus();
        return;
    case LoginOutcome::CredentialsEmpty:
        showMessage(LoginService::message(outcome));
        m_code->setFocus();
        return;
    case LoginOutcome::ConnectionFailed:
        if (!m_service.lastError().isEmpty())
            qCInfo(lcPrompt).noquote() << "server connection:" << m_service.lastError();
        showMessage(LoginService::message(outcome));
        m_connectionFailed = true;
        currentOperator().LoginOk = false;
        reject();
        return;
    case LoginOutcome::PasswordNotNumber:
        showMessage(QStringLiteral("提示"), LoginService::message(outcome));
        m_password->setFocus();
        return;
    case LoginOutcome::UnknownOperator:
    case LoginOutcome::WrongPassword:
        showMessage(LoginService::message(outcome));
        break;
    case LoginOutcome::Success:
        break;
    }

    emit operatorChecked();
    if (outcome == LoginOutcome::Success) {
        accept();
    } else if (currentOperator().FailedLogins > 2) {
        currentOperator().LoginOk = false;
        reject();
    }
    emit attemptFinished();
}
