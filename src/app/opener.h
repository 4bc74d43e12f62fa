#pragma once

#include <QString>

// Opens a document with the program the desktop associates with its type (exported workbooks, help).
class Opener
{
public:
    virtual ~Opener() = default;
    // True when some program is associated with the file's type.
    virtual bool hasHandler(const QString &path) const;
    // Starts that program on the file; false when it could not be started.
    virtual bool open(const QString &path);

    static Opener &current();
    // Installs an opener (not owned); nullptr returns to the desktop's own (xdg-open).
    static void install(Opener *opener);
};
