#pragma once

// Word lists name the faces of Japanese Windows, which a system may not
// have: map them to the Japanese faces it does have (Windows' newer ones,
// else the IPA fonts), so their text keeps its look.
namespace FontSubstitutes {
void install();
}
