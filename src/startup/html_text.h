#pragma once

#include <QString>

// Field text kept as HTML (flashcard notes, exports marked "#html:true")
// made into the plain text a label shows: tags dropped (<img …> with them),
// line breaks, <div> and <p> made one space, entities decoded (every named
// one of HTML), [sound:…] dropped, the text of [anki:tts …]…[/anki:tts]
// kept without its markers, furigana "漢字[かんじ]" reduced to its base
// "漢字", control characters dropped (see ControlCharacters), runs of blanks
// made one space, the ends trimmed. Linear in the text's length.
namespace HtmlText {

QString toPlain(const QString& html);

}  // namespace HtmlText
