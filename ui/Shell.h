#pragma once
#include <QString>

// Opens a document with the desktop's default application. Returns what the
// desktop answered; callers check that the file exists before asking.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QString& path) = 0;
};
