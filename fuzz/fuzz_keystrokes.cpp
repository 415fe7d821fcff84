// The keystroke import on any bytes: it never crashes, a refused file adds
// nothing, an accepted one adds at most what it read, and what the store then
// holds exports to a file that imports again to the same keystrokes.
#include <QCoreApplication>
#include <cstdint>

#include "FuzzCheck.h"
#include "KeystrokeStore.h"
#include "LearningReport.h"

namespace {

std::vector<learning::Keystroke> everything(KeystrokeStore& store) {
    std::vector<learning::Keystroke> all;
    FUZZ_CHECK(store.forEach([&](const learning::Keystroke& k) {
        all.push_back(k);
        return true;
    }));
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);  // the SQL driver is a plugin
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KeystrokeStore store(QStringLiteral(":memory:"));
    FUZZ_CHECK(store.open());
    QString error;
    const auto result =
        learning::importKeystrokes(store, QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    const auto stored = everything(store);
    if (!result) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(stored.empty());
        return 0;
    }
    FUZZ_CHECK(result->added <= result->read);
    FUZZ_CHECK(qint64(stored.size()) == result->added);

    const auto exported = learning::keystrokesExport(store, learning::Format::Json);
    FUZZ_CHECK(exported);
    KeystrokeStore again(QStringLiteral(":memory:"));
    FUZZ_CHECK(again.open());
    const auto back = learning::importKeystrokes(again, *exported, &error);
    FUZZ_CHECK(back && back->read == result->added && back->added == result->added);
    FUZZ_CHECK(everything(again) == stored);
    return 0;
}
