#include "app/ui/tformmain.h"

#include "app/clock.h"
#include "app/dbhouse.h"
#include "app/login.h"
#include "app/menucatalogue.h"
#include "app/opener.h"
#include "app/operatorcontext.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/ui/supportdialog.h"
#include "app/ui/tloginfm.h"
#include "app/ui/windowcatalogue.h"
#include "data/textformat.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The client area with its background picture, stretched over the whole area.
class FrameArea : public QMdiArea
{
public:
    explicit FrameArea(QWidget *parent = nullptr) : QMdiArea(parent) {}

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QMdiArea::resizeEvent(event);
        setBackground(QBrush(picture(viewport()->size())));
    }

private:
    static QPixmap picture(const QSize &size)
    {
        QPixmap pixmap(size.expandedTo(QSize(1, 1)));
        QPainter painter(&pixmap);
        QLinearGradient gradient(0, 0, size.width(), size.height());
        gradient.setColorAt(0, QColor(0x2f, 0x5d, 0x8a));
        gradient.setColorAt(1, QColor(0xa9, 0xc8, 0xe2));
        painter.fillRect(pixmap.rect(), gradient);
        QFont font = painter.font();
        font.setPixelSize(qMax(18, size.height() / 14));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255, 90));
        painter.drawText(pixmap.rect().adjusted(0, 0, -40, -40), Qt::AlignRight | Qt::AlignBottom, applicationTitle());
        return pixmap;
    }
};

} // namespace

TFormmain::TFormmain(Tdbhouse &data, TGlobal *settings, QWidget *parent)
    : QMainWindow(parent), m_data(data), m_settings(settings)
{
    setObjectName(QStringLiteral("Formmain"));
    setWindowTitle(applicationTitle());
    // Minimise and maximise, no close button: the program ends through "退出".
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);

    m_area = new FrameArea(this);
    m_area->setObjectName(QStringLiteral("clientArea"));
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildNavigationPanel());
    layout->addWidget(m_area, 1);
    setCentralWidget(central);

    buildMenu();
    buildStatusBar();

    m_loginTimer.setSingleShot(true);
    m_loginTimer.setInterval(1000);
    connect(&m_loginTimer, &QTimer::timeout, this, &TFormmain::runLogin);
    m_expiryTimer.setSingleShot(true);
    m_expiryTimer.setInterval(1500);
    connect(&m_expiryTimer, &QTimer::timeout, this, [this] { runAction(windowcatalogue::ExpiryAfterLoginKey); });
}

void TFormmain::buildMenu()
{
    for (const MenuDefinition &definition : menuCatalogue()) {
        QMenu *menu = menuBar()->addMenu(definition.caption);
        menu->setObjectName(definition.name);
        menu->menuAction()->setObjectName(definition.name);
        for (const MenuEntryDefinition &entry : definition.entries) {
            QAction *action = entry.separator ? menu->addSeparator() : menu->addAction(entry.caption);
            action->setObjectName(entry.name);
            action->setVisible(!entry.hidden);
            if (!entry.shortcut.isEmpty())
                action->setShortcut(QKeySequence(entry.shortcut));
            // Entries are enabled by the login; the help menu is always usable.
            action->setEnabled(!definition.grantable && !entry.separator);
            const QString name = entry.name;
            connect(action, &QAction::triggered, this, [this, name] { menuEntryChosen(name); });
        }
    }
}

const QList<TFormmain::NavigationButton> &TFormmain::navigationButtons()
{
    static const QList<NavigationButton> buttons = {
        {"房间信息管理", QStringLiteral("s_fjxxgl"), QStringLiteral("s_fjxxgl")},
        {"出租续租管理", QStringLiteral("s_czxzgl"), QStringLiteral("s_czxzgl")},
        {"房客信息登记", QStringLiteral("s_fkxxdj"), QStringLiteral("s_fkxxdj")},
        {"收费名称设置", QStringLiteral("s_sfmcsz"), QStringLiteral("s_sfmcsz")},
        {"到期报警信息", QStringLiteral("s_bjxx"), windowcatalogue::ExpiryByWarningDateKey},
        {"收费汇总查询", QStringLiteral("s_sfhzcx"), QStringLiteral("s_sfhzcx")},
        {"收费明细查询", QStringLiteral("s_sfmxcx"), QStringLiteral("s_sfmxcx")},
        {"房间出租情况", QStringLiteral("s_fjczqkcx"), QStringLiteral("s_fjczqkcx")},
        {"房间出租历史", QStringLiteral("s_fjczlscx"), QStringLiteral("s_fjczlscx")},
        {"水电费查询", QStringLiteral("s_sdcx"), QStringLiteral("s_sdcx")},
        {"财务收支管理", QString(), windowcatalogue::FinanceKey},
        {"欠费明细查询", QString(), windowcatalogue::ArrearsKey},
    };
    return buttons;
}

QWidget *TFormmain::buildNavigationPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("navigationPanel"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto *header = new QToolButton(panel);
    header->setObjectName(QStringLiteral("navigationHeader"));
    header->setText(QStringLiteral("导航向导"));
    header->setCheckable(true);
    header->setChecked(true);
    header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header->setArrowType(Qt::DownArrow);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(header);

    auto *body = new QWidget(panel);
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(6);
    for (const NavigationButton &definition : navigationButtons()) {
        const QString caption = QString::fromUtf8(definition.caption);
        auto *button = new QPushButton(caption, body);
        button->setObjectName(QStringLiteral("nav_") + definition.key);
        button->setMinimumHeight(40);
        button->setMinimumWidth(130);
        connect(button, &QPushButton::clicked, this, [this, caption] { pressNavigationButton(caption); });
        bodyLayout->addWidget(button);
    }
    layout->addWidget(body);
    layout->addStretch();
    connect(header, &QToolButton::toggled, this, [header, body](bool open) {
        body->setVisible(open);
        header->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    });
    return panel;
}

void TFormmain::buildStatusBar()
{
    auto add = [this](const QString &name, const QString &text, int minimumWidth) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        label->setMinimumWidth(minimumWidth);
        statusBar()->addWidget(label);
        return label;
    };
    add(QStringLiteral("statusOperatorCaption"), QStringLiteral("当前操作员："), 0);
    m_operatorLabel = add(QStringLiteral("statusOperator"), QString(), 120);
    add(QStringLiteral("statusDateCaption"), QStringLiteral("日期："), 0);
    m_dateLabel = add(QStringLiteral("statusDate"), QString(), 120);
}

QString TFormmain::statusOperator() const
{
    return m_operatorLabel->text();
}

QString TFormmain::statusDate() const
{
    return m_dateLabel->text();
}

void TFormmain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    QTimer::singleShot(0, this, &TFormmain::startUp);
}

void TFormmain::startUp()
{
    if (!openLocalDatabases()) {
        close();
        return;
    }
    m_loginTimer.start();
}

bool TFormmain::openLocalDatabases()
{
    QString error;
    const QString file = localDatabasePath();
    if (!m_data.openLocal(file, &error)) {
        qCInfo(lcPrompt).noquote() << "local database" << file << error;
        showMessage(QStringLiteral("ACCESS数据库出错"));
        return false;
    }
    if (!m_data.openMainOnLocal(file, &error)) {
        qCInfo(lcPrompt).noquote() << "local database" << file << error;
        showMessage(QStringLiteral("data error"));
        return false;
    }
    return true;
}

void TFormmain::runLogin()
{
    m_loginTimer.stop();
    Tloginfm login(m_data, m_settings, this);
    connect(&login, &Tloginfm::operatorChecked, this, [this] {
        applyPermissions(LoginService::grantedFunctions(m_data.adoacccon(), currentOperator().OperatorCode));
    });
    connect(&login, &Tloginfm::attemptFinished, this, &TFormmain::afterLoginAttempt);
    QTimer::singleShot(0, this, &TFormmain::loginShown);
    login.exec();
    if (!currentOperator().LoginOk)
        close();
}

void TFormmain::afterLoginAttempt()
{
    m_expiryTimer.start();
    m_operatorLabel->setText(currentOperator().OperatorCode);
    m_dateLabel->setText(textformat::date(today()));
}

QList<QMenu *> TFormmain::grantableMenus() const
{
    QList<QMenu *> menus;
    const QList<QAction *> actions = menuBar()->actions();
    for (int i = 0; i + 1 < actions.size(); ++i) { // every menu but the last one, "帮助"
        if (QMenu *menu = actions.at(i)->menu())
            menus << menu;
    }
    return menus;
}

void TFormmain::applyPermissions(const QStringList &grantedFunctions)
{
    // Every entry is disabled first, even when the operator holds no grant at all: otherwise the grants
    // applied after a failed attempt with another operator's code would stay with the next operator.
    const QList<QMenu *> menus = grantableMenus();
    for (QMenu *menu : menus) {
        for (QAction *entry : menu->actions())
            entry->setEnabled(false);
    }
    for (const QString &function : grantedFunctions) {
        for (QMenu *menu : menus) {
            if (function == menu->objectName())
                menu->menuAction()->setEnabled(true);
            for (QAction *entry : menu->actions()) {
                if (!entry->isSeparator() && function == entry->objectName())
                    entry->setEnabled(true);
            }
        }
    }
}

bool TFormmain::isPermitted(const QString &menuEntryName) const
{
    const QAction *entry = menuBar()->findChild<QAction *>(menuEntryName);
    return entry && entry->isEnabled();
}

void TFormmain::menuEntryChosen(const QString &name)
{
    if (name == QLatin1String("N9")) {
        showHelp();
    } else if (name == QLatin1String("N4")) {
        SupportDialog dialog(this);
        dialog.exec();
    } else if (name == QLatin1String("N2")) {
        close();
    } else if (name == windowcatalogue::ExpiryMenuKey) {
        runAction(windowcatalogue::ExpiryMenuKey);
    } else {
        openWindow(name);
    }
}

void TFormmain::pressNavigationButton(const QString &caption)
{
    for (const NavigationButton &button : navigationButtons()) {
        if (caption != QString::fromUtf8(button.caption))
            continue;
        if (button.key == windowcatalogue::FinanceKey) {
            if (!currentOperator().isAdmin()) {
                showMessage(QStringLiteral("您不是admin用户没有此权限！"));
                return;
            }
        } else if (!button.permission.isEmpty() && !isPermitted(button.permission)) {
            showMessage(QStringLiteral("您没有此操作权限"));
            return;
        }
        if (button.key == windowcatalogue::ExpiryByWarningDateKey)
            runAction(button.key);
        else
            openWindow(button.key);
        return;
    }
}

void TFormmain::runAction(const QString &key)
{
    if (const windowcatalogue::Action action = windowcatalogue::action(key))
        action(*this);
}

void TFormmain::closeOtherWindows()
{
    for (QMdiSubWindow *window : m_area->subWindowList()) {
        // Closed windows are gone at once, so that the next one is always a fresh instance.
        if (window->close())
            delete window;
    }
}

void TFormmain::openWindow(const QString &key)
{
    const windowcatalogue::WindowFactory factory = windowcatalogue::window(key);
    if (!factory)
        return;
    closeOtherWindows();
    showChild(factory(), false);
}

QMdiSubWindow *TFormmain::showChild(QWidget *window, bool closeOthers)
{
    if (closeOthers)
        closeOtherWindows();
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow *sub = m_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->move(0, 0);
    sub->show();
    // A sub-window maximises only once it is shown.
    if (window->property("openMaximized").toBool())
        sub->showMaximized();
    return sub;
}

void TFormmain::showHelp()
{
    const QString help = QDir(programFolder()).filePath(QStringLiteral("help.mht"));
    if (!QFileInfo::exists(help)) {
        showMessage(QStringLiteral("帮助文件不存在：%1").arg(help));
        return;
    }
    if (!Opener::current().open(help))
        showMessage(QStringLiteral("无法打开帮助文件：%1").arg(help));
}
