#include "app/ui/printoutput.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
QString s_pdfFile;

bool renderPdf(const QString &title, const PrintOutput::Painter &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(s_pdfFile);
    printer.setDocName(title);
    paint(&printer);
    return true;
}
} // namespace

bool PrintOutput::preview(QWidget *parent, const QString &title, const Painter &paint)
{
    if (!s_pdfFile.isEmpty())
        return renderPdf(title, paint);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) { paint(target); });
    dialog.showMaximized();
    return dialog.exec() == QDialog::Accepted;
}

bool PrintOutput::print(const QString &title, const Painter &paint)
{
    if (!s_pdfFile.isEmpty())
        return renderPdf(title, paint);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    paint(&printer);
    return printer.printerState() != QPrinter::Error;
}

void PrintOutput::setPdfFile(const QString &path)
{
    s_pdfFile = path;
}

QString PrintOutput::pdfFile()
{
    return s_pdfFile;
}
