#include "app/ui/qtprompt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {
QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// The wait cursor of a long action must not stay over a message box.
class CursorPause
{
public:
    CursorPause() : m_paused(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_paused)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~CursorPause()
    {
        if (m_paused)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_paused;
};
} // namespace

void QtPrompt::message(const QString &title, const QString &text, Kind kind)
{
    CursorPause pause;
    QMessageBox box(kind == Kind::Warning ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    QMessageBox::Ok, dialogParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtPrompt::question(const QString &title, const QString &text)
{
    CursorPause pause;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompt::input(const QString &title, const QString &label, const QString &initial,
                                       bool password)
{
    CursorPause pause;
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
