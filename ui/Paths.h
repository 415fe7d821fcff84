#pragma once
#include <QString>

// A folder path as the program keeps it: ending in "/", so that a file name
// can be appended directly.
inline QString withTrailingSlash(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}
