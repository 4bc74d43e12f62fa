#pragma once

#include "app/prompt.h"

#include <QList>
#include <QStringList>

// Records every message and question and answers from a script. Installed for its lifetime.
class ScriptedPrompt : public Prompt
{
public:
    struct Shown
    {
        Kind kind;
        QString title;
        QString text;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    void message(const QString &title, const QString &text, Kind kind) override;
    bool question(const QString &title, const QString &text) override;
    std::optional<QString> input(const QString &title, const QString &label, const QString &initial,
                                 bool password) override;

    // Answers for the next questions, in order; a question without an answer is answered "no".
    void answer(std::initializer_list<bool> answers);
    void answerInput(const std::optional<QString> &text);

    QStringList texts() const;
    QString lastText() const;
    const QList<Shown> &shown() const { return m_shown; }
    int unansweredQuestions() const { return m_unanswered; }
    void clear();

private:
    QList<Shown> m_shown;
    QList<bool> m_answers;
    QList<std::optional<QString>> m_inputs;
    int m_unanswered = 0;
};
