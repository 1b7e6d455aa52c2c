#include "anki/cloze.h"

#include <optional>
#include <set>

#include "startup/html_text.h"

namespace Cloze {

namespace {

// Text, or a deletion (number > 0) holding parts of its own.
struct Part {
  int number = 0;
  QString text;
  QList<Part> inner;
  std::optional<QString> hint;
};

class Parser {
 public:
  explicit Parser(const QString& html) : s_(html) {}

  QList<Part> parse() {
    QList<Part> parts;
    parseInto(parts, nullptr);
    return parts;
  }

 private:
  // Reads parts up to the end, or inside a deletion up to its "}}"; the
  // deletion's first "::" at its own level starts its hint.
  void parseInto(QList<Part>& parts, Part* deletion) {
    while (i_ < s_.size()) {
      if (const int number = depth_ < kMaxDepth ? openingAt() : 0; number > 0) {
        Part inner{number, {}, {}, {}};
        ++depth_;
        parseInto(inner.inner, &inner);
        --depth_;
        parts.append(std::move(inner));
        continue;
      }
      if (deletion && s_.mid(i_, 2) == QLatin1String("}}")) {
        i_ += 2;
        return;
      }
      if (deletion && !deletion->hint && s_.mid(i_, 2) == QLatin1String("::")) {
        const qsizetype close = s_.indexOf(QLatin1String("}}"), i_ + 2);
        const qsizetype end = close < 0 ? s_.size() : close;
        deletion->hint = s_.mid(i_ + 2, end - i_ - 2);
        i_ = close < 0 ? end : end + 2;
        return;
      }
      if (parts.isEmpty() || parts.last().number != 0) parts.append(Part{});
      parts.last().text += s_.at(i_++);
    }
  }

  // The number of a "{{cN::" at the reading position (which it passes), else 0.
  int openingAt() {
    if (!QStringView(s_).mid(i_).startsWith(QLatin1String("{{c"), Qt::CaseInsensitive)) return 0;
    qsizetype j = i_ + 3;
    while (j < s_.size() && j - i_ < 9 && s_.at(j).isDigit()) ++j;
    if (j == i_ + 3 || s_.mid(j, 2) != QLatin1String("::")) return 0;
    const int number = s_.mid(i_ + 3, j - i_ - 3).toInt();
    if (number <= 0) return 0;
    i_ = j + 2;
    return number;
  }

  // Deeper nesting is read as text: no note nests so far, and the parts are walked recursively.
  static constexpr int kMaxDepth = 32;

  const QString& s_;
  qsizetype i_ = 0;
  int depth_ = 0;
};

// Every deletion shown as its text.
QString shown(const QList<Part>& parts) {
  QString out;
  for (const Part& part : parts) out += part.number ? shown(part.inner) : part.text;
  return out;
}

// The placeholder of the k-th hidden deletion: a private-use character, so
// that the HTML is made plain before the brackets join it (brackets after a
// word would read as furigana).
QChar marker(qsizetype k) { return QChar(char16_t(0xE000 + k)); }

void hide(const QList<Part>& parts, int n, QString& question, QStringList& hints, QStringList& answers) {
  for (const Part& part : parts) {
    if (part.number == 0) {
      question += part.text;
    } else if (part.number == n) {
      question += marker(hints.size());
      hints.append(part.hint ? HtmlText::toPlain(*part.hint) : QString());
      answers.append(HtmlText::toPlain(shown(part.inner)));
    } else {
      hide(part.inner, n, question, hints, answers);
    }
  }
}

void collectNumbers(const QList<Part>& parts, std::set<int>& into) {
  for (const Part& part : parts)
    if (part.number) {
      into.insert(part.number);
      collectNumbers(part.inner, into);
    }
}

bool anyOcclusion(const QList<Part>& parts) {
  for (const Part& part : parts)
    if (part.number && (shown(part.inner).trimmed().startsWith(QLatin1String("image-occlusion:")) || anyOcclusion(part.inner)))
      return true;
  return false;
}

// Deletions past this many in one note are not cards anyone learns; their
// markers would leave the private-use area.
constexpr qsizetype kMaxHidden = 6000;

}  // namespace

QList<int> numbers(const QString& html) {
  std::set<int> found;
  collectNumbers(Parser(html).parse(), found);
  return QList<int>(found.begin(), found.end());
}

Card card(const QString& html, int n) {
  QString source = html;
  source.removeIf([](QChar c) { return c.unicode() >= 0xE000 && c.unicode() < 0xE000 + kMaxHidden; });
  QString question;
  QStringList hints;
  QStringList answers;
  hide(Parser(source).parse(), n, question, hints, answers);
  if (hints.size() > kMaxHidden) return {};
  QString shownQuestion;
  for (const QChar c : HtmlText::toPlain(question)) {
    const qsizetype k = c.unicode() - 0xE000;
    if (k < 0 || k >= hints.size()) {
      shownQuestion += c;
      continue;
    }
    shownQuestion += u'[' + (hints.at(k).isEmpty() ? QStringLiteral("...") : hints.at(k)) + u']';
  }
  answers.removeAll(QString());
  return {shownQuestion, answers.join(QStringLiteral(" / "))};
}

bool isImageOcclusion(const QString& html) { return anyOcclusion(Parser(html).parse()); }

}  // namespace Cloze
