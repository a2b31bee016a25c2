// What a playback asks of the main window: the commands it turns off and on, its timer, the
// palettes it closes, the score-only display, and the auditions of the dialogs.
#include "app/Main.h"

#include "dialogs/Services.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/Pistes.h"
#include "editor/Scrolling.h"
#include "midi/Lecture.h"
#include "print/Services.h"

#include <QFrame>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

// ---- Playback ---------------------------------------------------------------------------------

bool TForm1::CommandeActive(const char* nom)
{
    const auto c = CommandeParNom(nom ? nom : "");
    return c ? Commandes().Enabled(*c) : true;
}

void TForm1::ActiverCommande(const char* nom, bool actif)
{
    if (const auto c = CommandeParNom(nom ? nom : ""))
        Commandes().SetEnabled(*c, actif);
}

bool TForm1::CommandeCochee(const char* nom)
{
    const auto c = CommandeParNom(nom ? nom : "");
    return c ? Commandes().Checked(*c) : false;
}

void TForm1::CocherCommande(const char* nom, bool coche)
{
    if (const auto c = CommandeParNom(nom ? nom : ""))
        Commandes().SetChecked(*c, coche);
}

namespace {
constexpr Cmd kCommandesEditionLecture[] = {Cmd::Ac_Edition_Annuler, Cmd::Ac_Edition_Couper,  Cmd::Ac_Edition_Copier,
                                            Cmd::Ac_Edition_Coller,  Cmd::Ac_Edition_Inserer, Cmd::Ac_Edition_Vider,
                                            Cmd::Ac_Ass_Solfege,     Cmd::Ac_Edition_TableMix};
}

void TForm1::DesactiverCommandesEdition()
{
    for (Cmd c : kCommandesEditionLecture)
        Commandes().SetEnabled(c, false);
    commandesEditionCoupees_ = true;
    for (QMenu* m : {menuMesure_, menuNote_, menuEffets_})
        ActiverMenu(m, false);
}

void TForm1::ReactiverCommandesEdition()
{
    for (Cmd c : kCommandesEditionLecture)
        Commandes().SetEnabled(c, true);
    commandesEditionCoupees_ = false;
    // The score-only layout keeps the Note and Effects menus off.
    ActiverMenu(menuMesure_, true);
    ActiverMenu(menuNote_, menusNoteEffetsActifs_);
    ActiverMenu(menuEffets_, menusNoteEffetsActifs_);
}

void TForm1::ActiverTimerMidi(bool actif)
{
    if (actif)
        timerMidi_->start();
    else
        timerMidi_->stop();
}

void TForm1::FermerPalettes(bool& solfege, bool& percussion, bool& dyna)
{
    ServicesSaisie& s = Saisie();
    solfege = s.ClassForm->Visible();
    percussion = s.Assistant_Bat_Form->Visible();
    dyna = s.DynaForm->Visible();
    if (solfege)
        s.ClassForm->SetVisible(false);
    if (percussion)
        s.Assistant_Bat_Form->SetVisible(false);
    if (dyna)
        s.DynaForm->SetVisible(false);
}

void TForm1::RouvrirPalettes(bool solfege, bool percussion, bool dyna)
{
    if (solfege) {
        Commandes().Executer(Cmd::Ac_Ass_Solfege);
        Commandes().SetChecked(Cmd::Ac_Ass_Solfege, true);
        Commandes().SetChecked(Cmd::Bt_Ass_Solfege, true);
    }
    if (percussion) {
        Commandes().Executer(Cmd::Ac_Ass_Percussion);
        Commandes().SetChecked(Cmd::Ac_Ass_Percussion, true);
    }
    if (dyna)
        Saisie().DynaForm->SetVisible(true);
}

void TForm1::EntrerAffichageLecture(bool retenirChoix)
{
    if (retenirChoix)
        PleinEcranChoisi = PleinEcranActif;
    affichageLecture_ = true;
    EntrerPleinEcran();
    panelBarreBoutons3_->hide();
    scrollSaisie_->hide();
}

void TForm1::QuitterAffichageLecture()
{
    affichageLecture_ = false;
    panelBarreBoutons3_->show();
    scrollSaisie_->show();
    if (!PleinEcranChoisi)
        QuitterPleinEcran();
    else
        DisposerPanneaux();
}

void TForm1::AjusterDefilementPartition() { AjusterDefilement(); }

void TForm1::AfficherEtatNumeroMesure()
{
    ::AfficherEtatMesure();
    ::AfficherNumeroMesure();
}

void TForm1::RedessinerZoneSaisie() { RedessinerMesure(); }

void TForm1::ControlerCouleurBoutonPiste(int mesure) { VerifierCouleurBoutonPiste(mesure); }

bool TForm1::AuditionProprietesEnCours() { return Saisie().Sais_Partition->CordeEcoutee >= 0; }

bool TForm1::RelancerAuditionProprietes()
{
    ISaisiePartition& dialogue = *Saisie().Sais_Partition;
    if (dialogue.CordeEcoutee >= 0 && dialogue.BoutonEcouteEnfonce()) {
        dialogue.JouerCordesPiste();
        return true;
    }
    dialogue.CordeEcoutee = -1;
    return false;
}

bool TForm1::AuditionImportEnCours() { return Saisie().SelMIDIForm->CordeEcoutee >= 0; }

bool TForm1::RelancerAuditionImport()
{
    // The import dialog repeats no audition of its own yet: the string is let go.
    Saisie().SelMIDIForm->CordeEcoutee = -1;
    return false;
}

void TForm1::ReactiverProprietesPartition()
{
    ISaisiePartition& dialogue = *Saisie().Sais_Partition;
    if (!dialogue.Visible())
        return;
    dialogue.ActiverControlesLecture(true);
    dialogue.ActualiserCordesPiste();
}

int TForm1::SautParcours() { return std::max(ServicesImpression().SautApres(), 0); }

void TForm1::ParcoursMorceauSuivant() { ServicesImpression().SelectionnerMorceauSuivant(); }

void TForm1::OuvrirPercussionFinLecture() { PercussionOuvert = true; }

void TForm1::ArreterLecturePourClic()
{
    ArretDemandeClic = true;
    ArretDemande = false;
    MediaPlayer1().Stop();
}

void TForm1::RelancerLectureApresClic()
{
    Ac_Son_LecturePosECExecute();
    ArretDemandeClic = false;
}
