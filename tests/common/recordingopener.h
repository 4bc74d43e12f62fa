#pragma once

#include "app/opener.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

// Stands in for the desktop while it lives: says whether a program takes the file (hasProgram) and whether
// it starts (startsProgram), and records every path it was asked about and asked to open, with whether the
// wait cursor was showing at that moment. Header only, for the window tests (it needs Qt Gui).
class RecordingOpener : public Opener
{
public:
    RecordingOpener() { Opener::install(this); }
    ~RecordingOpener() override { Opener::install(nullptr); }
    RecordingOpener(const RecordingOpener &) = delete;
    RecordingOpener &operator=(const RecordingOpener &) = delete;

    bool hasHandler(const QString &path) const override
    {
        probes.append(path);
        probeWasWorkbook = path.endsWith(QLatin1String(".xls")) && QFileInfo(path).size() > 0;
        waitCursorWhileProbing = waitCursorShown();
        return hasProgram;
    }
    bool open(const QString &path) override
    {
        opened.append(path);
        waitCursorWhileOpening = waitCursorShown();
        return startsProgram;
    }

    bool hasProgram = true;
    bool startsProgram = true;
    mutable QStringList probes;
    // Whether the last path asked about was a written .xls file.
    mutable bool probeWasWorkbook = false;
    mutable bool waitCursorWhileProbing = false;
    QStringList opened;
    bool waitCursorWhileOpening = false;

private:
    static bool waitCursorShown()
    {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::WaitCursor;
    }
};
