#pragma once

#include <QString>

// Where the saver keeps DrifStt, DEFAULT.dgl and DEFAULT.jpg.
struct HomeFolderInputs {
  QString optionHome;        // --home DIR
  QString environmentHome;   // DRIFTGLYPH_HOME
  QString executableFolder;  // folder of the running executable
  QString userHome;          // the per-user home (see UserFolders::home)
  QString dataFolder;        // the default list and picture as installed (or built in)
};


namespace HomeFolder {
// Where the default list and picture come from: the executable's folder when
// it holds them (the build tree, a portable install), else the data folder
// when it holds them, else the copies built into the program.
QString defaultsSource(const HomeFolderInputs& inputs);

// --home, then DRIFTGLYPH_HOME, then the executable's folder when it holds
// the default list and a file can be made there (a portable install), else
// the per-user home. Nothing is made or changed but the probe that is
// created and removed again: for modes that only read.
QString locate(const HomeFolderInputs& inputs);

// The folder `locate` chooses, created and given the default list and
// picture where it lacks them (a portable install is left as it is).
QString resolve(const HomeFolderInputs& inputs);

// Why nothing can be saved in `folder` (in Japanese, for the settings
// dialog); empty when a file can be made there.
QString whyNotWritable(const QString& folder);

// Copies DEFAULT.dgl and DEFAULT.jpg from `dataFolder` into `home` where
// missing; each that `dataFolder` lacks comes from the program's built-in copy.
void seed(const QString& home, const QString& dataFolder);

}  // namespace HomeFolder
