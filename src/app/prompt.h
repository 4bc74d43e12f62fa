#pragma once

#include <QLoggingCategory>
#include <QString>
#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcPrompt)

// Every message box, yes/no question and input box of the program goes through the installed Prompt, so
// that tests see the exact text and title and give the answer. Each one is also logged to lanting.prompt.
class Prompt
{
public:
    enum class Kind { Message, Warning, Question, Input };

    virtual ~Prompt() = default;
    virtual void message(const QString &title, const QString &text, Kind kind) = 0;
    virtual bool question(const QString &title, const QString &text) = 0;
    virtual std::optional<QString> input(const QString &title, const QString &label, const QString &initial,
                                         bool password) = 0;

    static Prompt &current();
    // Installs a prompt (not owned); nullptr returns to the default one, which writes to standard error.
    static void install(Prompt *prompt);
};

QString applicationTitle();

// A plain message box titled with the application title.
void showMessage(const QString &text);
// A message box with a title of its own, such as "提示".
void showMessage(const QString &title, const QString &text);
void showWarning(const QString &text);
// A yes/no question with the question icon; "询问" unless told otherwise.
bool askYesNo(const QString &text, const QString &title = QStringLiteral("询问"));
std::optional<QString> askText(const QString &title, const QString &label, const QString &initial = QString(),
                               bool password = false);
