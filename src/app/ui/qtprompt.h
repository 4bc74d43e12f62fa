#pragma once

#include "app/prompt.h"

// Message boxes of the running program.
class QtPrompt : public Prompt
{
public:
    void message(const QString &title, const QString &text, Kind kind) override;
    bool question(const QString &title, const QString &text) override;
    std::optional<QString> input(const QString &title, const QString &label, const QString &initial,
                                 bool password) override;
};
