#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// Message boxes and common dialogs. Windows and logic ask through this
// interface so that tests can script the answers and check exactly what was
// asked (text, title, icon, buttons, default button, filters).

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, RetryCancel, YesNo, YesNoCancel };
enum class MsgResult { OK, Cancel, Retry, Yes, No };

// File dialog flags, as the design gives them (bit values of the common dialog).
namespace FileFlags {
enum : int {
    OverwritePrompt = 0x2,
    HideReadOnly = 0x4,
    PathMustExist = 0x800,
    FileMustExist = 0x1000,
};
}  // namespace FileFlags

struct MsgBoxRequest {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    int defaultButton = 0;  // 0-based index into the buttons, left to right
};

struct FileDialogRequest {
    QString filter;       // "caption|pattern|caption|pattern"
    QString initialFile;  // initial file name (may be a full path)
    int flags = 0;        // FileFlags
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult msgBox(const MsgBoxRequest& request) = 0;
    MsgResult msgBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons = MsgButtons::OK,
                     int defaultButton = 0) {
        return msgBox(MsgBoxRequest{text, title, icon, buttons, defaultButton});
    }
    // The input box: std::nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // Open and save dialogs: the chosen path, or std::nullopt when cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Colour dialog opened on the colour in use (a colour value red +
    // 256*green + 65536*blue): the chosen colour, or nullopt.
    virtual std::optional<uint32_t> chooseColor(uint32_t current) = 0;
    // Font dialog limited to fonts that can show Japanese text, opened with
    // the face in use selected: the face name.
    virtual std::optional<QString> chooseFont(const QString& initialFace) = 0;
};

// Splits a "caption|pattern|caption|pattern" filter into (caption, pattern) pairs.
QList<std::pair<QString, QString>> parseFileFilter(const QString& filter);
