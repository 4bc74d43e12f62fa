#pragma once

#include <QString>

class QWidget;

// The save-file dialog. Tests queue the name the operator would choose (an empty name is a cancel).
class FileChooser
{
public:
    // filter in the dialog's own form, for instance "Excel文件(*.xls)".
    static QString saveFileName(QWidget *parent, const QString &title, const QString &filter);
    static void setNextFileName(const QString &name);
    static bool hasNextFileName();
};
