#pragma once
// Conversion between the program's Windows-1252 texts and QString, used only at the Qt boundary.

#include <QString>

#include <string>
#include <string_view>

namespace wickly::ui {

QString toQ(std::string_view cp1252);
// Characters Windows-1252 cannot store become "?".
std::string fromQ(const QString& text);

} // namespace wickly::ui
