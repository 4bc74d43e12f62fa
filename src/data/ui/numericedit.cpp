#include "data/ui/numericedit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

QString allowedPart(QStringView text, NumericKeys keys, int *cursor = nullptr)
{
    QString kept;
    kept.reserve(text.size());
    int removedBeforeCursor = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!filterNumericKey(text[i], keys).isNull())
            kept.append(text[i]);
        else if (cursor && i < *cursor)
            ++removedBeforeCursor;
    }
    if (cursor)
        *cursor -= removedBeforeCursor;
    return kept;
}

// Whatever reaches the box other than by a key press (pasting, dropping, an input method's text) keeps only
// the characters of the set. Every text is acceptable, so returnPressed() is always emitted.
class NumericKeysValidator : public QValidator
{
    Q_OBJECT
public:
    NumericKeysValidator(NumericKeys keys, QObject *parent) : QValidator(parent), m_keys(keys) {}
    void setKeys(NumericKeys keys) { m_keys = keys; }

    State validate(QString &input, int &pos) const override
    {
        input = allowedPart(input, m_keys, &pos);
        return Acceptable;
    }

private:
    NumericKeys m_keys;
};

// Refused keys never reach the box. Keys that type no character (arrows, Delete, Tab, function keys) and
// shortcuts (Ctrl+C, Ctrl+V, Alt+mnemonics) are not the filter's business. Enter and Return go on to the box,
// which inserts nothing and emits returnPressed(). A refused Escape skips the box but still reaches the
// window, so that a dialog still closes on it.
class NumericKeysFilter : public QObject
{
    Q_OBJECT
public:
    NumericKeysFilter(NumericKeys keys, QLineEdit *edit) : QObject(edit), m_keys(keys) {}
    void setKeys(NumericKeys keys) { m_keys = keys; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab ||
            key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete)
            return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        if (key->key() == Qt::Key_Escape) {
            if (!filterNumericKey(QChar(27), m_keys).isNull())
                return false;
            event->ignore();
            return true;
        }
        if (text.isEmpty())
            return false;
        const QString kept = allowedPart(text, m_keys);
        if (kept == text)
            return false;
        if (!kept.isEmpty())
            static_cast<QLineEdit *>(watched)->insert(kept);
        event->accept();
        return true;
    }

private:
    NumericKeys m_keys;
};

} // namespace

void attachNumericKeys(QLineEdit *edit, NumericKeys keys)
{
    if (!edit)
        return;
    // Attaching again changes the set of the box's existing filter.
    if (auto *filter = edit->findChild<NumericKeysFilter *>(QString(), Qt::FindDirectChildrenOnly)) {
        filter->setKeys(keys);
        if (auto *validator = edit->findChild<NumericKeysValidator *>(QString(), Qt::FindDirectChildrenOnly))
            validator->setKeys(keys);
        return;
    }
    edit->installEventFilter(new NumericKeysFilter(keys, edit));
    edit->setValidator(new NumericKeysValidator(keys, edit));
}

#include "numericedit.moc"
