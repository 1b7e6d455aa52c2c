#pragma once

#include <QString>
#include <QStringList>

// Private temporary folders that a termination signal (SIGINT, SIGTERM,
// SIGHUP) must not leave behind when it ends a run that has no event loop to
// end it in order (a conversion on the command line). While a folder is
// registered, the signal removes the files named and the folder, then ends
// the process as it would have. A process that handles the signals itself
// (TerminationSignals) is left to do so; its folders go when their owners do.
namespace RemovalOnSignal {

// A slot to give back with release(), or -1 when none is free (the folder
// is then only removed by its owner).
int hold(const QString& folder, const QStringList& fileNames);
void release(int slot);

}  // namespace RemovalOnSignal
