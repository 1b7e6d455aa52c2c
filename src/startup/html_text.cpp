#include "startup/html_text.h"

#include <QRegularExpression>

#include "startup/control_characters.h"
#include "startup/html_entities.h"

namespace HtmlText {

namespace {

// Tags that separate words when a browser lays them out.
bool breaksWords(QStringView name) {
  static const char* const kBreaking[] = {"br", "div", "p", "li", "tr", "td", "th", "hr", "h1", "h2", "h3",
                                          "h4", "h5", "h6", "ul", "ol", "table", "blockquote"};
  for (const char* breaking : kBreaking)
    if (name.compare(QLatin1String(breaking), Qt::CaseInsensitive) == 0) return true;
  return false;
}

// The text an entity stands for; nullopt for an unknown one, which stays as written.
std::optional<QString> entity(QStringView name) {
  if (name.startsWith(u'#')) {
    bool ok = false;
    const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
    const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    const auto character = char32_t(code);
    return QString::fromUcs4(&character, 1);
  }
  // A no-break space lays out as a space: the label's words stay apart.
  if (name == QLatin1String("nbsp")) return QStringLiteral(" ");
  return HtmlEntities::named(name);
}

// Skips what a script or style element holds; returns where its end tag ends.
qsizetype afterElement(const QString& html, qsizetype from, QStringView name) {
  const qsizetype end = html.indexOf(QStringLiteral("</") + name.toString(), from, Qt::CaseInsensitive);
  if (end < 0) return html.size();
  const qsizetype close = html.indexOf(u'>', end);
  return close < 0 ? html.size() : close + 1;
}

QString dropTagsAndEntities(const QString& html) {
  QString out;
  out.reserve(html.size());
  const qsizetype size = html.size();
  for (qsizetype i = 0; i < size;) {
    const QChar c = html.at(i);
    const QChar next = i + 1 < size ? html.at(i + 1) : QChar();
    if (c == u'<' && (next.isLetter() || next == u'/' || next == u'!')) {
      const qsizetype close = html.indexOf(u'>', i + 1);
      if (close < 0) break;  // a tag cut off at the end: nothing after it is text
      qsizetype nameStart = i + 1 + (next == u'/' ? 1 : 0);
      qsizetype nameEnd = nameStart;
      while (nameEnd < close && html.at(nameEnd).isLetterOrNumber()) ++nameEnd;
      const QStringView name = QStringView(html).mid(nameStart, nameEnd - nameStart);
      if (breaksWords(name)) out += u' ';
      const bool hidden = name.compare(u"script", Qt::CaseInsensitive) == 0 ||
                          name.compare(u"style", Qt::CaseInsensitive) == 0;
      i = hidden && next != u'/' ? afterElement(html, close + 1, name) : close + 1;
      continue;
    }
    if (c == u'&') {
      const qsizetype semicolon = html.indexOf(u';', i + 1);
      if (semicolon > i && semicolon - i <= HtmlEntities::kLongestName + 1) {
        if (const std::optional<QString> decoded = entity(QStringView(html).mid(i + 1, semicolon - i - 1))) {
          out += *decoded;
          i = semicolon + 1;
          continue;
        }
      }
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

QString toPlain(const QString& html) {
  static const QRegularExpression sound(QStringLiteral("\\[sound:[^\\]]*\\]"));
  // Text to be read aloud is shown; its markers are not (nor taken for furigana).
  static const QRegularExpression speech(QStringLiteral("\\[/?anki:tts[^\\]]*\\]"));
  // Furigana as flashcard fields write it: an optional space, the base text, the reading in brackets.
  static const QRegularExpression furigana(QStringLiteral(" ?([^ \\[\\]]+?)\\[[^\\[\\]]*\\]"));
  QString text = dropTagsAndEntities(html);
  text.remove(sound);
  text.remove(speech);
  text.replace(furigana, QStringLiteral("\\1"));
  return ControlCharacters::removed(text).simplified();
}

}  // namespace HtmlText
