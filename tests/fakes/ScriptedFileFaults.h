#pragma once
#include <QString>
#include <map>

#include "FileFaults.h"

// Fails chosen steps of the file layer, counted from when a failure is armed:
// failNth(Read, 2) lets the next read through and fails the one after it.
// Each armed failure happens once (a transient fault), unless times says more.
class ScriptedFileFaults : public FileFaults {
public:
    QString reason = QStringLiteral("Input/output error");
    int failed = 0;  // steps failed so far

    void failNth(FileStep step, int n, int times = 1) { mArmed[step] = {n, times}; }
    void failNextOpen() { failNth(FileStep::Open, 1); }
    void failRename() { failNth(FileStep::Rename, 1); }
    void failDirSync() { failNth(FileStep::SyncDir, 1); }

    QString failure(FileStep step, const QString&) override {
        const auto it = mArmed.find(step);
        if (it == mArmed.end() || --it->second.countdown > 0) return {};
        if (--it->second.times > 0)
            it->second.countdown = 1;
        else
            mArmed.erase(it);
        ++failed;
        return reason;
    }

private:
    struct Armed {
        int countdown;
        int times;
    };
    std::map<FileStep, Armed> mArmed;
};
