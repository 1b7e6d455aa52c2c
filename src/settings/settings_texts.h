#pragma once

#include <QString>

// The settings dialog's messages and texts that are not captions of its
// controls (those stay where the controls are built); the companion's
// conversation is in companion_messages.
namespace SettingsTexts {

// OK could not write the settings; the reason follows on the next line.
inline const QString kSaveFailed = QStringLiteral("設定を保存できませんでした。\n");

// The background name label's tool tip; a chosen picture's whole path follows on a second line.
inline const QString kBackgroundNameTip = QStringLiteral("背景の名前");

// Said when the chosen file is no picture that can be read; the choice stays.
inline const QString kNotAPicture = QStringLiteral("このﾌｧｲﾙは画像として読み込めません。") + QStringLiteral("\r\n") +
                                    QStringLiteral("背景は前のままです。");

// The name of the picture chooser's filter, before its patterns.
inline const QString kPictureFilterName = QStringLiteral("画像ﾌｧｲﾙ");

// The flashcard link's deck box: every deck of the profile.
inline const QString kAllDecks = QStringLiteral("すべてのデッキ");

}  // namespace SettingsTexts
