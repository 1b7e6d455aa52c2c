#pragma once

// Word lists made on Japanese Windows name fonts that Linux does not have;
// map them to the IPA fonts so their text keeps its look.
namespace FontSubstitutes {
void install();
}
