#include "app/TraductionsQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <cctype>
#include <memory>

QString LocaleQtDeLangue(const std::string& langue)
{
    std::string nom;
    for (std::size_t i = 0; i < langue.size(); ++i) {
        const auto c = static_cast<unsigned char>(langue[i]);
        if (c == 0xE7 || c == 0xC7) { // Windows-1252 c cedilla
            nom += 'c';
        } else if (c == 0xC3 && i + 1 < langue.size()
                   && (static_cast<unsigned char>(langue[i + 1]) == 0xA7
                       || static_cast<unsigned char>(langue[i + 1]) == 0x87)) { // the same in UTF-8
            nom += 'c';
            ++i;
        } else {
            nom += static_cast<char>(std::tolower(c));
        }
    }
    if (nom == "francais" || nom == "french")
        return QStringLiteral("fr");
    if (nom == "deutsch" || nom == "german")
        return QStringLiteral("de");
    if (nom == "english")
        return QStringLiteral("en");
    return {};
}

bool SuivreLangueQt(const std::string& langue)
{
    auto* application = QCoreApplication::instance();
    if (!application)
        return false;
    // The translator of the language in force, replaced at each change. The application owns
    // it and deletes it when it ends, and this pointer outlives it: guarded, it is found empty
    // then instead of naming a translator already deleted, which would be removed and deleted
    // a second time at the next change under a new application.
    static QPointer<QTranslator> traducteur;
    if (traducteur) {
        QCoreApplication::removeTranslator(traducteur);
        delete traducteur;
    }
    const QString locale = LocaleQtDeLangue(langue);
    // Qt's texts are English already.
    if (locale.isEmpty() || locale == QLatin1String("en"))
        return true;
    auto nouveau = std::make_unique<QTranslator>(application);
    // "qt_xx" gathers the translations of every Qt module the distribution installed.
    if (!nouveau->load(QLocale(locale), QStringLiteral("qt"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    traducteur = nouveau.release();
    QCoreApplication::installTranslator(traducteur);
    return true;
}
