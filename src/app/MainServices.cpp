// The services the main window gives the other layers: captions and labels, the edit zone and
// its scroll bar, the palettes, the wait window, the track and recent-file items, the popups
// and the printer.
#include "app/Main.h"

#include "app/CommandesFenetre.h"
#include "app/Image.h"
#include "app/MainInterne.h"
#include "app/Programme.h"
#include "app/VuePartition.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/DialoguesEdition.h"
#include "dialogs/Services.h"
#include "dialogs/WaitMIDI.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/EtatCommandes.h"
#include "editor/Fontes.h"
#include "editor/Ligatures.h"
#include "editor/Pistes.h"
#include "editor/Scrolling.h"
#include "midi/Lecture.h"
#include "platform/Couleur.h"
#include "print/TravailImpression.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <string>

// ---- Services -------------------------------------------------------------------------------

void TForm1::ActualiserMenuPistes()
{
    for (int t = 1; t <= kNbPistes; ++t) {
        const std::string nom = Partition.NomPiste[t].str();
        itemsPiste_[t]->setText(VersQt(LegendeMenuPiste(t, nom)));
        boutonsPiste_[t]->setToolTip(VersQt(nom));
        const QSignalBlocker b1(itemsPiste_[t]);
        const QSignalBlocker b2(boutonsPiste_[t]);
        itemsPiste_[t]->setChecked(t == PisteCourante);
        boutonsPiste_[t]->setChecked(t == PisteCourante);
    }
    partNomPiste_->setText(VersQt(Partition.NomPiste[PisteCourante].str()));
}

void TForm1::AfficherSaisieIncorrecte()
{
    AfficherMessage(Traduire("Dlg-Erreur"), Traduire("Dlg-SaisieIncorrecte"), IconeErreur, BoutonOK, DefautOK,
                    PlacementCentre);
}

void TForm1::DefinirFichierAide() { ::DefinirFichierAide(); }

void TForm1::AfficherTitreLabel(const char* texte) { messErreur_->setText(VersQt(texte ? texte : "")); }

void TForm1::ColorerBoutonPiste(int piste)
{
    if (piste < 1 || piste > kNbPistes)
        return;
    const bool contenu = CalculerCouleurBoutonPiste(piste);
    QPalette pal = boutonsPiste_[piste]->palette();
    pal.setColor(QPalette::ButtonText, contenu ? QColor(0, 0, 255) : QColor(0, 0, 0));
    boutonsPiste_[piste]->setPalette(pal);
}

bool TForm1::JouerPendantSaisieCoche(bool valeurConfiguree)
{
    return premiereActivation_ ? valeurConfiguree : Commandes().Checked(Cmd::Ac_Son_JouerSaisie);
}

void TForm1::AfficherLegendeFenetre(const char* legendeUtf8) { setWindowTitle(QString::fromUtf8(legendeUtf8)); }

void TForm1::CurseurSablier(bool actif)
{
    if (actif)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TForm1::TraiterMessagesEnAttente() { QCoreApplication::processEvents(); }

void TForm1::ArreterLectureEnCours()
{
    // Playing is the play-from-start command being disabled.
    if (MidiDisponible && !Commandes().Enabled(Cmd::Ac_Son_LectureDebut))
        Commandes().Executer(Cmd::Ac_Son_Stop);
}

void TForm1::ActualiserCommandes()
{
    // The mirrors follow the list as it changes.
    if (!premiereActivation_ && Partition.Mesures[Partition.MesureCourante])
        ::ActualiserCommandes();
}

void TForm1::AfficherNumeroMesure(const char* texte) { numMesure_->setText(VersQt(texte ? texte : "")); }

void TForm1::AfficherEtatMesure(const char* longueurs, const char* etat, int couleur)
{
    const platform::Couleur c = platform::Couleur::DeValeur(couleur);
    const QString style = QString("color: rgb(%1, %2, %3);").arg(c.r).arg(c.g).arg(c.b);
    nbTps_->setText(VersQt(longueurs ? longueurs : ""));
    nbTps_->setStyleSheet(style);
    nbTps2_->setText(VersQt(etat ? etat : ""));
    nbTps2_->setStyleSheet(style);
}

void TForm1::RafraichirApresNouvellePartition()
{
    RedessinerMesure();
    RedessinerPartition();
    ApresChangementMesure();
    ActualiserCommandes();
}

void TForm1::RafraichirApresLecturePartition()
{
    MontrerPalettePercussion(false);
    Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, false);
    Saisie().SpeedT_Form->ViderChamps();
    // Every track: the score view and the printout of a track draw the beams stored in its
    // beats, and the edit zone beams only the measure it shows.
    LigaturerMesuresPistes(1, Partition.NbMesures);
    RafraichirApresNouvellePartition();
}

void TForm1::ZoneSaisieModifiee() { zoneSaisie_->update(); }

void TForm1::DimensionnerZoneSaisie(int largeur)
{
    if (largeur != zoneSaisie_->Picture().width())
        InstallerImageSaisie(largeur, HauteurImageSaisie);
}

void TForm1::ReglerDefilementSaisie(int max, int grandPas, bool actif)
{
    const QSignalBlocker b(scrollSaisie_);
    scrollSaisie_->setRange(0, std::max(max, 0));
    scrollSaisie_->setPageStep(std::max(grandPas, 1));
    scrollSaisie_->setEnabled(actif);
}

void TForm1::PlacerZoneSaisie(int position, int gauche)
{
    {
        const QSignalBlocker b(scrollSaisie_);
        scrollSaisie_->setValue(position);
    }
    zoneSaisie_->move(panelZoneSaisie_->contentsRect().x() + gauche, zoneSaisie_->y());
}

void TForm1::MontrerPalettePercussion(bool visible) { Saisie().Assistant_Bat_Form->SetVisible(visible); }

void TForm1::RedessinerPartition() { ::RedessinerPartition(); }

void TForm1::RedessinerLignesModifiees(int mesure) { ::RedessinerLignesModifiees(mesure); }

void TForm1::PlacerCadreMesure() { ::PlacerCadreMesure(); }

void TForm1::ActualiserPorteeSolfege()
{
    if (Saisie().ClassForm->Visible())
        Saisie().ClassForm->DessinerPortee();
}

void TForm1::AfficherAideDialogue(int contexte)
{
    (void)contexte; // the help files know no contexts of ours: their contents are shown
    AfficherAide();
}

void TForm1::AfficherAideContexte(const char* contexte)
{
    (void)contexte; // as above: the topic cannot be reached, the help file opens on its contents
    AfficherAide();
}

bool TForm1::LirePoliceLabel(const char* nomLabel, TMyFont& police) { return ::LirePoliceLabel(nomLabel, police); }

void TForm1::DefinirFichierLecteurMidi(const char* chemin) { MediaPlayer1().SetFileName(chemin ? chemin : ""); }

bool TForm1::PalettePercussionVisible() { return Saisie().Assistant_Bat_Form->Visible(); }

void TForm1::MontrerPaletteNuances(bool visible) { Saisie().DynaForm->SetVisible(visible); }

bool TForm1::PaletteNuancesVisible() { return Saisie().DynaForm->Visible(); }

bool TForm1::DialogueAllerAMesure() { return dialoguesEdition_->AllerAMesure(); }

bool TForm1::DialogueImportMidi() { return dialogueImportMidi_ && dialogueImportMidi_(); }

TWaitMidiForm& TForm1::WaitMidiForm()
{
    if (!waitMidiForm_)
        waitMidiForm_ = new TWaitMidiForm(this);
    return *waitMidiForm_;
}

void TForm1::MontrerAttenteMidi(bool visible)
{
    if (visible || waitMidiForm_)
        WaitMidiForm().Montrer(visible);
}

void TForm1::TexteAttenteMidi(const char* texte) { WaitMidiForm().DefinirTexte(texte ? texte : ""); }

void TForm1::ProgressionAttenteMidi(int position) { WaitMidiForm().DefinirPosition(position); }

void TForm1::RedessinerAttenteMidi()
{
    if (waitMidiForm_)
        waitMidiForm_->Redessiner();
}

bool TForm1::LecteurMidiOuvert() { return MediaPlayer1().DeviceOpen(); }

// ---- Tracks, popups -----------------------------------------------------------------------------

void TForm1::PisteUpClick() { ::PisteUpClick(); }

void TForm1::PisteDownClick() { ::PisteDownClick(); }

void TForm1::OuvrirMenuFrettes(int x, int y) { turboMenu_->popup(zoneSaisie_->mapToGlobal(QPoint(x + 5, y))); }

void TForm1::OuvrirMenuPartition(int bande, int x, int y)
{
    if (bande < 1 || bande > kNbBandesMax)
        return;
    const TBande& b = AffichagePartition.Bandes[static_cast<std::size_t>(bande)];
    popupAffichage_->popup(zoneAffichage_->mapToGlobal(QPoint(b.Gauche + x + 10, b.Haut + y)));
}

void TForm1::AfficherFichierRecent(int k, const char* legendeUtf8)
{
    if (k < 1 || k > kNbFichiersRecents)
        return;
    itemsRecents_[k]->setVisible(legendeUtf8 != nullptr);
    if (legendeUtf8)
        itemsRecents_[k]->setText(QString::fromUtf8(legendeUtf8));
}

void TForm1::AfficherSeparateurFichiersRecents(bool visible) { itemsRecents_[0]->setVisible(visible); }

void TForm1::AfficherTitreSansNom()
{
    if (NomFichier.empty()) {
        CheminFichier = Traduire("Fichier-SansNom");
        ::AfficherLegendeFenetre();
    }
    ::AfficherEtatMesure();
}

// ---- Printer --------------------------------------------------------------------------------

std::string TForm1::NomImprimante() { return NomImprimanteChoisie(); }

bool TForm1::ConfigurerImprimante()
{
    QPrintDialog dialogue(&::Imprimante(), this);
    dialogue.setObjectName("PrinterSetupDialog1");
    // It only sets the printer up: neither its title nor its confirm button says "Print".
    if (const auto* item = findChild<QAction*>(QStringLiteral("Mn_Fichier_ConfigImp")))
        dialogue.setWindowTitle(QString(item->text()).remove(QLatin1Char('&')).remove(QStringLiteral("...")).trimmed());
    if (auto* boutons = dialogue.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = boutons->button(QDialogButtonBox::Ok))
            ok->setText(TexteCommunDialogue(TexteCommun::OK));
    return dialogue.exec() == QDialog::Accepted;
}
