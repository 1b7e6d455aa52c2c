#include "desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace QtTranslations {

bool installJapanese(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  // Where Qt is installed, its translations lie beside it; a program with
  // Qt linked in carries them as resources.
  for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral(":/translations")})
    if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
      return app.installTranslator(translator);
  delete translator;
  return false;
}

}  // namespace QtTranslations
