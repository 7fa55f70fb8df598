// The language of the program's texts: Japanese (the texts as written in the sources) or English
// (the translation compiled in from translations/vortan_en.ts). The choice is kept in the settings
// file as [general] language=ja or language=en; with none stored, a Japanese system locale gives
// Japanese and any other gives English. Changing the language at run time sends every window a
// LanguageChange, and each window puts up its texts again; charts and their state are untouched.
#pragma once

#include <QLocale>
#include <QString>

#include <string>

class QAction;
class QWidget;

enum class Language { Japanese, English };

// The language read from the settings file iniPath, or the one the system locale suggests when
// none (or an unknown one) is stored.
Language StoredLanguage(const std::string& iniPath, const QLocale& system = QLocale::system());
// Writes the choice to iniPath, keeping the rest of the file. False on failure.
bool StoreLanguage(const std::string& iniPath, Language language);

// The language in use: Japanese until ApplyLanguage chooses otherwise.
Language CurrentLanguage();
// Installs the program's and Qt's own translations for language (removing those of the other).
// Returns false when the program's translation could not be loaded; the texts then stay as they
// were.
bool ApplyLanguage(Language language);

// "ja" or "en": the folder of the help pages and the value in the settings file.
QString LanguageCode(Language language);

// A menu item or menu whose text follows the language: text is the source text (marked with
// QT_TRANSLATE_NOOP in context), keys a key name shown after a tab (never translated).
void SetTranslatedText(QAction* action, const char* context, const char* text,
                       const QString& keys = QString());
// Puts up the texts of every action under root set with SetTranslatedText again, in the language
// now installed.
void RetranslateActions(QWidget* root);
