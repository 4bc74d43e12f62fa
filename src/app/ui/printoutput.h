#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// Where receipts and reports go: a print preview, the default printer, or (for tests) a PDF file.
class PrintOutput
{
public:
    using Painter = std::function<void(QPrinter *printer)>;

    static bool preview(QWidget *parent, const QString &title, const Painter &paint);
    static bool print(const QString &title, const Painter &paint);
    // While set, preview and print write this PDF file instead.
    static void setPdfFile(const QString &path);
    static QString pdfFile();
};
