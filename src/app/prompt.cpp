#include "app/prompt.h"

#include <cstdio>

Q_LOGGING_CATEGORY(lcPrompt, "lanting.prompt", QtWarningMsg)

namespace {

// Without a window system (the headless set-up commands) messages go to standard error.
class ConsolePrompt : public Prompt
{
public:
    void message(const QString &title, const QString &text, Kind) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool question(const QString &title, const QString &text) override
    {
        message(title, text, Kind::Question);
        return false;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &, bool) override
    {
        return std::nullopt;
    }
};

Prompt *s_prompt = nullptr;

} // namespace

Prompt &Prompt::current()
{
    static ConsolePrompt console;
    return s_prompt ? *s_prompt : console;
}

void Prompt::install(Prompt *prompt)
{
    s_prompt = prompt;
}

QString applicationTitle()
{
    return QStringLiteral("澜庭房屋出租管理系统网络版");
}

void showMessage(const QString &text)
{
    showMessage(applicationTitle(), text);
}

void showMessage(const QString &title, const QString &text)
{
    qCInfo(lcPrompt).noquote() << "message" << title << text;
    Prompt::current().message(title, text, Prompt::Kind::Message);
}

void showWarning(const QString &text)
{
    qCInfo(lcPrompt).noquote() << "warning" << applicationTitle() << text;
    Prompt::current().message(applicationTitle(), text, Prompt::Kind::Warning);
}

bool askYesNo(const QString &text, const QString &title)
{
    const bool yes = Prompt::current().question(title, text);
    qCInfo(lcPrompt).noquote() << "question" << title << text << (yes ? "-> yes" : "-> no");
    return yes;
}

std::optional<QString> askText(const QString &title, const QString &label, const QString &initial, bool password)
{
    const std::optional<QString> answer = Prompt::current().input(title, label, initial, password);
    qCInfo(lcPrompt).noquote() << "input" << title << label << (answer ? "-> answered" : "-> cancelled");
    return answer;
}
