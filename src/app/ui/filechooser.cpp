#include "app/ui/filechooser.h"

#include <QFileDialog>
#include <optional>

namespace {
std::optional<QString> s_nextName;
}

QString FileChooser::saveFileName(QWidget *parent, const QString &title, const QString &filter)
{
    if (s_nextName) {
        const QString name = *s_nextName;
        s_nextName.reset();
        return name;
    }
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The overwrite question is the program's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void FileChooser::setNextFileName(const QString &name)
{
    s_nextName = name;
}

bool FileChooser::hasNextFileName()
{
    return s_nextName.has_value();
}
