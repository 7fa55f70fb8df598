#include "app/window/language.h"

#include "chart/ini_file.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

namespace {

constexpr const char* SECTION = "general";
constexpr const char* KEY = "language";

// Properties that hold an action's source text, its context and its keys.
constexpr const char* TEXT_PROPERTY = "vortanSourceText";
constexpr const char* CONTEXT_PROPERTY = "vortanTextContext";
constexpr const char* KEYS_PROPERTY = "vortanKeys";

Language current = Language::Japanese;
QTranslator* programTranslator = nullptr;
QTranslator* qtTranslator = nullptr;

void Remove(QTranslator*& translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

} // namespace

Language StoredLanguage(const std::string& iniPath, const QLocale& system) {
    IniFile ini;
    if (!iniPath.empty() && ini.Load(iniPath)) {
        const auto value = ini.Get(SECTION, KEY);
        if (value && *value == "ja") return Language::Japanese;
        if (value && *value == "en") return Language::English;
    }
    return system.language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

bool StoreLanguage(const std::string& iniPath, Language language) {
    if (iniPath.empty()) return false;
    IniFile ini;
    ini.Load(iniPath);
    ini.Set(SECTION, KEY, LanguageCode(language).toStdString());
    return ini.Save(iniPath);
}

Language CurrentLanguage() {
    return current;
}

QString LanguageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

bool ApplyLanguage(Language language) {
    auto* program = new QTranslator();
    auto* qt = new QTranslator();
    // The sources hold the Japanese texts: Japanese needs only Qt's own translation.
    const bool programLoaded =
        language == Language::Japanese || program->load(QStringLiteral(":/i18n/vortan_en.qm"));
    const bool qtLoaded =
        language == Language::English ||
        qt->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!programLoaded) {
        delete program;
        delete qt;
        return false;
    }
    Remove(programTranslator);
    Remove(qtTranslator);
    current = language;
    if (language == Language::English) {
        programTranslator = program;
        QCoreApplication::installTranslator(program);
    } else {
        delete program;
    }
    if (language == Language::Japanese && qtLoaded) {
        qtTranslator = qt;
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    return qtLoaded;
}

void SetTranslatedText(QAction* action, const char* context, const char* text,
                       const QString& keys) {
    action->setProperty(TEXT_PROPERTY, QByteArray(text));
    action->setProperty(CONTEXT_PROPERTY, QByteArray(context));
    action->setProperty(KEYS_PROPERTY, keys);
    const QString shown = QCoreApplication::translate(context, text);
    action->setText(keys.isEmpty() ? shown : shown + QLatin1Char('\t') + keys);
}

void RetranslateActions(QWidget* root) {
    if (!root) return;
    for (QAction* action : root->findChildren<QAction*>()) {
        const QByteArray text = action->property(TEXT_PROPERTY).toByteArray();
        if (text.isEmpty()) continue;
        SetTranslatedText(action, action->property(CONTEXT_PROPERTY).toByteArray().constData(),
                          text.constData(), action->property(KEYS_PROPERTY).toString());
    }
}
