// Times the editor's whole-list operations on the largest list it holds:
// sort by question and shuffle (target under 100 ms each) and one full search
// pass without a match (target under 50 ms). Prints one table row per run.
#include <QCollator>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "editor/item_operations.h"
#include "editor/list_search.h"
#include "startup/random_source.h"

namespace {

constexpr int kItems = ItemOperations::kMaxItems;
constexpr int kRuns = 5;

// Words of mixed case, length and script, like a real vocabulary list.
void fillList(QStringList& questions, QStringList& answers) {
  static const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのりんご");
  RandomSource random;
  random.seed(12345);
  questions.clear();
  answers.clear();
  for (int i = 0; i < kItems; ++i) {
    QString question;
    const int length = 3 + random.choose(10);
    for (int k = 0; k < length; ++k) {
      const char16_t letter = char16_t((random.choose(2) ? u'a' : u'A') + random.choose(26));
      question += QChar(letter);
    }
    QString answer;
    for (int k = 0; k < 2 + random.choose(6); ++k) answer += kana.at(random.choose(int(kana.size())));
    questions << question;
    answers << answer;
  }
}

struct Row {
  const char* name;
  const char* locale;
  double targetMs;
  std::function<void(QStringList&, QStringList&)> run;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList questions;
  QStringList answers;

  auto collatorFor = [](const char* name) {
    QCollator collator{QLocale(QString::fromLatin1(name))};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
  };
  RandomSource random;
  random.seed(99);

  const std::vector<Row> rows = {
      {"sort by question", "C", 100,
       [&](QStringList& q, QStringList& a) { ItemOperations::sortByQuestion(q, a, collatorFor("C")); }},
      {"sort by question", "en_US", 100,
       [&](QStringList& q, QStringList& a) { ItemOperations::sortByQuestion(q, a, collatorFor("en_US")); }},
      {"sort by question", "ja_JP", 100,
       [&](QStringList& q, QStringList& a) { ItemOperations::sortByQuestion(q, a, collatorFor("ja_JP")); }},
      {"shuffle", "-", 100, [&](QStringList& q, QStringList& a) { ItemOperations::shuffle(q, a, random); }},
      {"search pass, no match", "-", 50,
       [&](QStringList& q, QStringList& a) {
         ListSearch search;
         const auto match = ListSearchProcedure::findNext(search, QStringLiteral("absent-text"), q, a, GridPosition{});
         if (match) std::printf("unexpected match\n");
       }},
      {"search, match in last item", "-", 50,
       [&](QStringList& q, QStringList& a) {
         q.last() = QStringLiteral("the Needle");
         ListSearch search;
         const auto match = ListSearchProcedure::findNext(search, QStringLiteral("needle"), q, a, GridPosition{});
         if (!match || match->item != kItems) std::printf("search missed the last item\n");
       }},
  };

  std::printf("%d items, best and median of %d runs\n", kItems, kRuns);
  std::printf("%-28s %-7s %10s %10s %10s  %s\n", "operation", "locale", "best ms", "median ms", "target ms",
              "result");
  bool allMet = true;
  for (const Row& row : rows) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
      fillList(questions, answers);
      QElapsedTimer timer;
      timer.start();
      row.run(questions, answers);
      times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const bool met = median < row.targetMs;
    allMet = allMet && met;
    std::printf("%-28s %-7s %10.2f %10.2f %10.0f  %s\n", row.name, row.locale, times.front(), median, row.targetMs,
                met ? "ok" : "SLOW");
  }
  return allMet ? 0 : 1;
}
