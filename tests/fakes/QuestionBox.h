#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "Dialogs.h"

// Whether box is the Yes/No question a command asks before it changes
// something: this text and title, the question icon, Yes and No, and
// defaultButton (0 Yes, 1 No) as the default. A failure names every field
// that differs, with the value the box had.
inline ::testing::AssertionResult isYesNoQuestion(const MsgBoxRequest& box, const QString& text, const QString& title,
                                                  int defaultButton) {
    QStringList wrong;
    if (box.text != text) wrong << QStringLiteral("text \"%1\"").arg(box.text);
    if (box.title != title) wrong << QStringLiteral("title \"%1\"").arg(box.title);
    if (box.icon != MsgIcon::Question) wrong << QStringLiteral("icon %1").arg(static_cast<int>(box.icon));
    if (box.buttons != MsgButtons::YesNo) wrong << QStringLiteral("buttons %1").arg(static_cast<int>(box.buttons));
    if (box.defaultButton != defaultButton) wrong << QStringLiteral("default button %1").arg(box.defaultButton);
    if (wrong.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not the question asked: "
                                         << wrong.join(QStringLiteral(", ")).toStdString();
}
