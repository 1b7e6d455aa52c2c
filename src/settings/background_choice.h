#pragma once

#include <QString>
#include <optional>

#include "desktop/user_dialogs.h"

class QuorlSaver;

// What the background part of the settings dialog shows.
struct BackgroundView {
  QString picturePath;          // the file to preview; empty: nothing to show
  QString name;                 // the file name, or "DEFAULT"
  bool defaultEnabled = false;  // whether DEFAULT can be pressed
  bool operator==(const BackgroundView&) const = default;
};

// The choice of the display's background picture: a path in backgroundPath,
// or the word "DEFAULT" for the default picture in the home folder.
namespace BackgroundChoice {

// The file dialog's filter: every picture format this build reads, of PNG,
// JPEG, BMP, GIF and WebP.
QString filter();

// The view when the dialog opens.
BackgroundView initial(const QuorlSaver& saver);

// The file dialog of CHANGE: it opens where the current picture lies, or in
// the home folder while the default picture is chosen.
UserDialogs::FileRequest changeRequest(const QuorlSaver& saver);

// CHANGE: asks for a picture and records it. A cancelled dialog, or a file
// that is no readable picture (said in a message), keeps the previous choice
// and gives nullopt.
std::optional<BackgroundView> change(QuorlSaver& saver, UserDialogs& dialogs);

// DEFAULT: back to the default picture.
BackgroundView restoreDefault(QuorlSaver& saver);

}  // namespace BackgroundChoice
