#pragma once
#include <QDir>
#include <QFile>
#include <vector>

#include "KeystrokeStore.h"

// The keystroke store of a learner after long practice, for the benchmarks.
namespace bench {

// A run-like stream of keys: the 47 keys in turn, one in nine a miss.
inline learning::Keystroke keyAt(qint64 i) {
    learning::Keystroke k;
    k.timeMs = 1'780'000'000'000 + i * 250;
    k.mode = 10;
    k.expectedVk = static_cast<int16_t>(48 + (i * 7) % 43);
    k.pressedVk = i % 9 == 0 ? int16_t(16) : k.expectedVk;
    k.correct = k.pressedVk == k.expectedVk;
    k.gapMs = i % 100 == 0 ? -1 : static_cast<int32_t>(150 + (i * 37) % 400);
    k.prevVk = i % 100 == 0 ? int16_t(0) : static_cast<int16_t>(48 + ((i - 1) * 7) % 43);
    return k;
}

// One million keystrokes in ten thousand runs over 40 days, kept between
// runs of the benchmarks in the temporary folder (building it takes a while).
inline QString millionKeyStore() {
    const QString path =
        QDir::tempPath() + QStringLiteral("/lumbra-bench-1m-v%1.db").arg(KeystrokeStore::kSchemaVersion);
    KeystrokeStore store(path);
    if (store.open()) {
        if (const auto f = store.figures(0); f && f->keystrokes == 1'000'000) return path;
    }
    store.close();
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    store.open();
    std::vector<learning::Keystroke> batch;
    for (qint64 i = 0; i < 1'000'000; ++i) {
        learning::Keystroke k = keyAt(i);
        k.timeMs = 1'780'000'000'000 + i * 3456;  // about 40 days
        batch.push_back(k);
        if (batch.size() == 10000) {
            store.append(batch);
            batch.clear();
        }
    }
    return path;
}

}  // namespace bench
