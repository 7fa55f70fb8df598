#include "app/window/language.h"

#include "app/window/startup.h"
#include "chart/ini_file.h"

#include <QAction>
#include <QCoreApplication>
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
        const QString code = value ? QString::fromStdString(*value).toLower() : QString();
        if (code == QLatin1String("ja")) return Language::Japanese;
        if (code == QLatin1String("en")) return Language::English;
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
    // The sources hold the Japanese texts: Japanese needs only Qt's own translation.
    QTranslator* program = nullptr;
    if (language == Language::English) {
        program = new QTranslator();
        if (!program->load(QStringLiteral(":/i18n/vortan_en.qm"))) {
            delete program;
            return false;
        }
    }
    Remove(programTranslator);
    Remove(qtTranslator);
    current = language;
    if (program) {
        programTranslator = program;
        QCoreApplication::installTranslator(program);
        return true;
    }
    // Qt's own Japanese is a nicety: without it the buttons of its dialogs stay English.
    qtTranslator = InstallQtJapanese(QCoreApplication::instance());
    return true;
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
