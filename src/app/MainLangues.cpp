// The interface and help languages: their menu items, their checks, and a language chosen.
#include "app/Main.h"

#include "app/Programme.h"
#include "dialogs/Services.h"
#include "document/ConfigFichier.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "platform/Cp1252.h"
#include "platform/Sablier.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QVariant>
#include <string>

// ---- Languages --------------------------------------------------------------------------------

void TForm1::CocherLangueAide()
{
    for (QAction* item : menuLangueAide_->actions()) {
        const QSignalBlocker b(item);
        item->setChecked(item->property("Tag").toInt() == LangueAide);
    }
}

void TForm1::CocherLangueLogiciel()
{
    for (QAction* item : menuLangueLog_->actions()) {
        const QSignalBlocker b(item);
        item->setChecked(item->property("Langue").toString().toStdString() == LangueCourante);
    }
}

void TForm1::ConstruireMenuLangues()
{
    menuLangueLog_->clear();
    for (std::size_t i = 0; i < ListeLangues.size(); ++i) {
        const QString nom = QString::fromStdString(ListeLangues[i]);
        // The name as it is: no accelerator, and an "&" of the name shown as such.
        QAction* item = menuLangueLog_->addAction(QString(nom).replace('&', "&&"));
        item->setObjectName(QString("Mn_Options_LangueLog%1").arg(i));
        item->setProperty("Tag", static_cast<int>(i));
        item->setProperty("Langue", nom);
        item->setCheckable(true);
        const int index = static_cast<int>(i);
        connect(item, &QAction::triggered, this, [this, index] { Mn_Options_LangueLogNClick(index); });
    }
    CocherLangueLogiciel();
}

void TForm1::Mn_Options_LangueLogNClick(int index)
{
    if (index < 0 || index >= static_cast<int>(ListeLangues.size())) {
        CocherLangueLogiciel();
        return;
    }
    platform::Sablier sablier;
    const std::string langue = ListeLangues[static_cast<std::size_t>(index)];
    if (!ChargerLangue(RepertoireProgramme, langue)) {
        // The file went away or became unreadable: the language loaded before stays.
        sablier.Terminer();
        AfficherMessage(Traduire("Dlg-Erreur"),
                        FormaterMessage1(Traduire("Fichier-Introuvable"), platform::Utf8VersCp1252(langue + ".lxl")),
                        IconeErreur, BoutonOK, DefautOK, PlacementCentre);
        CocherLangueLogiciel();
        return;
    }
    LangueCourante = langue;

    // Every window that lives as long as the program takes the new words.
    AppliquerLegendes();
    Saisie().DynaForm->Traduire();
    Saisie().Sais_Partition->Traduire();
    Saisie().SelMIDIForm->AppliquerTextes();
    Saisie().Assistant_Bat_Form->Traduire();

    AfficherTitreSansNom();

    // The three languages with a help file of their own take it along.
    int aide = 0;
    // (A file name with a cedilla may come in either encoding.)
    if (LangueCourante == "Fran\xE7" "ais" || LangueCourante == "Fran\xC3\xA7" "ais")
        aide = 1;
    else if (LangueCourante == "English")
        aide = 2;
    else if (LangueCourante == "Deutsch")
        aide = 3;
    if (aide != 0) {
        LangueAide = aide;
        DefinirFichierAide();
        CocherLangueAide();
    }
    CocherLangueLogiciel();
}

void TForm1::Ac_Options_LangueAide1Click(int langue)
{
    LangueAide = langue;
    DefinirFichierAide();
    CocherLangueAide();
}
