#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The named character references of HTML ("&eacute;", "&hellip;", …): the
// text a name (without "&" and ";") stands for, or nullopt for no such name.
namespace HtmlEntities {

// The longest name in the table: a longer one is no reference.
inline constexpr qsizetype kLongestName = 31;

std::optional<QString> named(QStringView name);

}  // namespace HtmlEntities
