#include "common/scriptedprompt.h"

ScriptedPrompt::ScriptedPrompt()
{
    Prompt::install(this);
}

ScriptedPrompt::~ScriptedPrompt()
{
    Prompt::install(nullptr);
}

void ScriptedPrompt::message(const QString &title, const QString &text, Kind kind)
{
    m_shown.append({kind, title, text});
}

bool ScriptedPrompt::question(const QString &title, const QString &text)
{
    m_shown.append({Kind::Question, title, text});
    if (m_answers.isEmpty()) {
        ++m_unanswered;
        return false;
    }
    return m_answers.takeFirst();
}

std::optional<QString> ScriptedPrompt::input(const QString &title, const QString &label, const QString &, bool)
{
    m_shown.append({Kind::Input, title, label});
    if (m_inputs.isEmpty()) {
        ++m_unanswered;
        return std::nullopt;
    }
    return m_inputs.takeFirst();
}

void ScriptedPrompt::answer(std::initializer_list<bool> answers)
{
    for (bool a : answers)
        m_answers.append(a);
}

void ScriptedPrompt::answerInput(const std::optional<QString> &text)
{
    m_inputs.append(text);
}

QStringList ScriptedPrompt::texts() const
{
    QStringList list;
    for (const Shown &shown : m_shown)
        list << shown.text;
    return list;
}

QString ScriptedPrompt::lastText() const
{
    return m_shown.isEmpty() ? QString() : m_shown.constLast().text;
}

void ScriptedPrompt::clear()
{
    m_shown.clear();
    m_answers.clear();
    m_inputs.clear();
    m_unanswered = 0;
}
