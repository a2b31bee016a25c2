#pragma once
// Qt's own windows and texts (the file dialogs, the printer's set-up, the standard buttons and
// context menus) speak the interface language: the translations Qt ships for it, as the
// distribution packages them, follow the language file in force, at the start and whenever the
// user picks another one.
#include <QString>

#include <string>

// The Qt locale name of a language file ("Francais" -> "fr", "Deutsch" -> "de", "English" ->
// "en"), its cedilla in either encoding; empty for a language Qt is not told of.
QString LocaleQtDeLangue(const std::string& langue);

// Qt's translations for `langue` installed in place of those of the language before; none for
// English or a language without them, which leaves Qt's own English. False when the language
// has a locale but Qt's translations for it cannot be found.
bool SuivreLangueQt(const std::string& langue);
