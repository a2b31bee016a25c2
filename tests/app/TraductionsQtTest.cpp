// Qt's own windows speak the interface language: the words of the file dialogs and of the
// printer set-up come from Qt's translations for it, from the start and after a change of
// language from the menu; and neither the printer set-up's title nor its confirm button says it
// prints.
#include "app/FixtureFenetrePrincipale.h"
#include "app/DialoguesFichiersQt.h"
#include "app/TraductionsQt.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

TEST(LocaleQtDeLangue, EachLanguageFileHasItsLocale)
{
    const std::pair<const char*, const char*> cas[] = {
        {"English", "en"},          {"Francais", "fr"}, {"Fran\xE7" "ais", "fr"}, {"Fran\xC3\xA7" "ais", "fr"},
        {"FRANCAIS", "fr"},         {"Deutsch", "de"},  {"Klingon", ""},          {"", ""},
    };
    for (const auto& [langue, locale] : cas)
        EXPECT_EQ(LocaleQtDeLangue(langue), QString::fromLatin1(locale)) << langue;
}

// The application owns the translator and deletes it when it ends, before the next one starts
// (as it deletes any child of its own at any time): the next change of language finds it gone,
// instead of removing and deleting it a second time.
TEST(SuivreLangueQt, ATranslatorTheApplicationDeletedIsNotDeletedAgain)
{
    ASSERT_TRUE(SuivreLangueQt("Francais"));
    const QList<QTranslator*> traducteurs = qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(traducteurs.size(), 1);
    delete traducteurs.front();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));

    EXPECT_TRUE(SuivreLangueQt("Francais"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Voir dans :"));
    EXPECT_TRUE(SuivreLangueQt("English"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_TRUE(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly).isEmpty());
}

class TraductionsQt : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        PreparerProgramme("Francais");
        OuvrirFenetre();
    }

    void TearDown() override
    {
        TDialoguesFichiers::DefinirExecution({});
        FermerFenetre();
        SuivreLangueQt("English");
    }

    void ChoisirLangue(const char* debut)
    {
        const auto l = std::find_if(ListeLangues.begin(), ListeLangues.end(),
                                    [&](const std::string& nom) { return nom.rfind(debut, 0) == 0; });
        ASSERT_NE(l, ListeLangues.end()) << debut;
        fenetre_->Mn_Options_LangueLogNClick(static_cast<int>(l - ListeLangues.begin()));
    }

    // The words of the Open dialog, by the name of the control that shows them.
    std::map<std::string, QString> MotsDialogueOuvrir()
    {
        std::map<std::string, QString> mots;
        TDialoguesFichiers::DefinirExecution([&](QFileDialog& d) -> std::optional<QString> {
            for (const char* nom : {"lookInLabel", "fileTypeLabel"})
                if (const auto* l = d.findChild<QLabel*>(QString::fromLatin1(nom)))
                    mots[nom] = l->text();
            if (const auto* boutons = d.findChild<QDialogButtonBox*>())
                if (const QPushButton* annuler = boutons->button(QDialogButtonBox::Cancel))
                    mots["cancel"] = annuler->text();
            return std::nullopt;
        });
        fenetre_->findChild<QAction*>(QStringLiteral("Mn_Fichier_Ouvrir"))->trigger();
        QCoreApplication::processEvents();
        return mots;
    }
};

TEST_F(TraductionsQt, TheFileDialogsSpeakTheInterfaceLanguageAndFollowItsChange)
{
    const std::map<std::string, QString> francais{{"lookInLabel", QStringLiteral("Voir dans :")},
                                                  {"fileTypeLabel", QStringLiteral("Fichiers de type :")},
                                                  {"cancel", QStringLiteral("Annuler")}};
    const std::map<std::string, QString> anglais{{"lookInLabel", QStringLiteral("Look in:")},
                                                 {"fileTypeLabel", QStringLiteral("Files of type:")},
                                                 {"cancel", QStringLiteral("Cancel")}};
    EXPECT_EQ(MotsDialogueOuvrir(), francais);
    ChoisirLangue("English");
    EXPECT_EQ(MotsDialogueOuvrir(), anglais);
    ChoisirLangue("Fran");
    EXPECT_EQ(MotsDialogueOuvrir(), francais);
}

TEST_F(TraductionsQt, ThePrinterSetUpIsInTheInterfaceLanguageAndDoesNotSayPrint)
{
    QString confirmer;
    QString titre;
    QStringList boutons;
    bool vu = false;
    QTimer repondeur;
    QObject::connect(&repondeur, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        vu = true;
        titre = d->windowTitle();
        for (const QPushButton* b : d->findChildren<QPushButton*>())
            boutons << QString(b->text()).remove(QLatin1Char('&'));
        if (const auto* boite = d->findChild<QDialogButtonBox*>())
            confirmer = boite->button(QDialogButtonBox::Ok)->text();
        d->reject();
    });
    repondeur.start(10);
    fenetre_->findChild<QAction*>(QStringLiteral("Mn_Fichier_ConfigImp"))->trigger();
    repondeur.stop();
    ASSERT_TRUE(vu);
    EXPECT_EQ(titre, QStringLiteral("Configuration de l'imprimante"));
    EXPECT_EQ(QString(confirmer).remove(QLatin1Char('&')), QStringLiteral("OK"));
    EXPECT_TRUE(boutons.contains(QStringLiteral("Annuler"))) << boutons.join(QLatin1Char('|')).toStdString();
    for (const QString& b : boutons) {
        EXPECT_FALSE(b.contains(QStringLiteral("Print"))) << b.toStdString();
        EXPECT_FALSE(b.contains(QStringLiteral("Imprimer"))) << b.toStdString();
    }
}

} // namespace
