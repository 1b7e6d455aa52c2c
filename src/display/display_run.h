#pragma once

// Why a display runs. Shown by the system, it reads the settings from disk
// and input ends the program; as a trial for the settings dialog it shows the
// settings in memory and input closes the display only.
enum class DisplayRun { Show, Trial };
