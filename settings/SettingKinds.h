#pragma once
#include <QString>
#include <cstdint>

// The kinds of settings key listed in SettingsTable.h: each names the C++
// type its value is kept in. How a kind is read, checked and written is in
// basParam.cpp.
namespace setting {
struct Int16 {
    using type = int16_t;
};
struct Int32 {
    using type = int32_t;
};
struct Either {
    using type = int16_t;
};
struct Size {
    using type = int32_t;
};
struct Text {
    using type = QString;
};
struct Name {
    using type = QString;
};
struct Color {
    using type = QString;
};
struct Flag {
    using type = bool;
};
}  // namespace setting
