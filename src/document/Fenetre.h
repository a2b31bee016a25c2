#pragma once
// What the headless layers ask of the main window (track menu, captions, redraws...). The
// program installs its main window here; until then, and in tests that don't care, a window
// that does nothing answers.

class IFenetrePrincipale {
public:
    virtual ~IFenetrePrincipale() = default;

    // Track menu captions, track button hints and the track-name label.
    virtual void ActualiserMenuPistes() {}
    // ---- MIDI import and track assistants ----
    // Wait window WaitMidiForm: shown or hidden, its label Etat (Windows-1252), its progress
    // bar ProgressBar1 (0..28), and a repaint of the window.
    virtual void MontrerAttenteMidi(bool visible) { (void)visible; }
    virtual void TexteAttenteMidi(const char* texte) { (void)texte; }
    virtual void ProgressionAttenteMidi(int position) { (void)position; }
    virtual void RedessinerAttenteMidi() {}
    // The MIDI import dialog SelMIDIForm, shown modally over the sources the importer listed
    // (ListePisteImport, ProgrammesPistesMidi in midi/ImportMidi.h): its ImportValide.
    virtual bool DialogueImportMidi() { return false; }
    // ---- Edit-zone labels (texts in Windows-1252) ----
    // Label NumMesure: current measure and measure count, "007 : 120".
    virtual void AfficherNumeroMesure(const char* texte) { (void)texte; }
    // Labels NbTps (actual and nominal length, "3.500 : 4.000") and NbTps2 (complete, over or
    // under), both in the font colour couleur, an integer red + 256 * green + 65536 * blue.
    virtual void AfficherEtatMesure(const char* longueurs, const char* etat, int couleur)
    { (void)longueurs; (void)etat; (void)couleur; }
    // The shared box of the dialogs whose OK finds an invalid entry ("Dlg-SaisieIncorrecte").
    virtual void AfficherSaisieIncorrecte() {}
    // Help file of the help language LangueAide (1 French, 2 English, 3 German; others keep it).
    virtual void DefinirFichierAide() {}
    // A dialog's help button: the contents of the help file (HELP_CONTENTS); `contexte` is the
    // window's help context.
    virtual void AfficherAideDialogue(int contexte) { (void)contexte; }
    // The help topic of a context string ("R7_1") in the help file of the help language.
    virtual void AfficherAideContexte(const char* contexte) { (void)contexte; }
    // The live font of the hidden style label of that name ("FontNotes", "FontTitle_Prt_US2"):
    // false while there is none, and the settings saver then keeps the record's own style.
    virtual bool LirePoliceLabel(const char* nomLabel, struct TMyFont& police)
    { (void)nomLabel; (void)police; return false; }
    // Checked state of Ac_Son_JouerSaisie, which from the first activation on is the live
    // option; before that the configured value stands.
    virtual bool JouerPendantSaisieCoche(bool valeurConfiguree) { return valeurConfiguree; }
    // Title label MessErreur (song title line); texte is Windows-1252.
    virtual void AfficherTitreLabel(const char* texte) { (void)texte; }
    // Track button font colour: blue when the track holds a beat in any measure, else black.
    virtual void ColorerBoutonPiste(int piste) { (void)piste; }
    // ---- Song files: open, save, recent files ----
    // Window caption, UTF-8: "Lyrandaxis 2.2 - " and the song's file name.
    virtual void AfficherLegendeFenetre(const char* legendeUtf8) { (void)legendeUtf8; }
    // Hourglass cursor (true) or the normal one (false).
    virtual void CurseurSablier(bool actif) { (void)actif; }
    // Lets the window system handle pending messages (repaints, end-of-play notification).
    virtual void TraiterMessagesEnAttente() {}
    // File name of the media player (MediaPlayer1.FileName); an empty text clears it.
    virtual void DefinirFichierLecteurMidi(const char* chemin) { (void)chemin; }
    // Executes Ac_Son_Stop when the sequencer works and a song is playing.
    virtual void ArreterLectureEnCours() {}
    // A new empty song is in place (a read failed): CopieMesureEntree and the cursor are set
    // already; redraw the edit zone and the score view, run the after-measure-change hook and
    // refresh the command states.
    virtual void RafraichirApresNouvellePartition() {}
    // A song was read (current track 1 and cursor set; the reader takes CopieMesureEntree
    // afterwards): hide the drum palette and disable Ac_Ass_Percussion, empty the speed
    // trainer's fields, beam every track (track 1 and measure 1 current afterwards), then as
    // RafraichirApresNouvellePartition.
    virtual void RafraichirApresLecturePartition() {}
    // Enabled and checked state of every command from the beat under the cursor.
    virtual void ActualiserCommandes() {}
    // ---- Playback ----
    // Enabled and checked (down) state of a command of the command list by its name
    // ("Ac_Son_Stop", "Bt_Son_EnBoucle"); a name the list does not hold reads enabled and
    // unchecked, and setting it changes nothing.
    virtual bool CommandeActive(const char* nom) { (void)nom; return true; }
    virtual void ActiverCommande(const char* nom, bool actif) { (void)nom; (void)actif; }
    virtual bool CommandeCochee(const char* nom) { (void)nom; return false; }
    virtual void CocherCommande(const char* nom, bool coche) { (void)nom; (void)coche; }
    // The edit commands a playback turns off (Ac_Edition_Annuler, _Couper, _Copier, _Coller,
    // _Inserer, _Vider, Ac_Ass_Solfege, Ac_Edition_TableMix, menus Mn_Mesure, Mn_Note,
    // Mn_Effets) and on again at its end.
    virtual void DesactiverCommandesEdition() {}
    virtual void ReactiverCommandesEdition() {}
    // The 100 ms timer TimerMidi: while it runs it calls TimerMidiTimer.
    virtual void ActiverTimerMidi(bool actif) { (void)actif; }
    // Staff (ClassForm), drum (Assistant_Bat_Form) and dynamics (DynaForm) palettes: tells
    // which are visible and closes those.
    virtual void FermerPalettes(bool& solfege, bool& percussion, bool& dyna) { solfege = percussion = dyna = false; }
    // Opens again those asked: the staff palette by executing Ac_Ass_Solfege, checked, with
    // Bt_Ass_Solfege down; the drum palette by executing Ac_Ass_Percussion, checked; the
    // dynamics palette shown.
    virtual void RouvrirPalettes(bool solfege, bool percussion, bool dyna) { (void)solfege; (void)percussion; (void)dyna; }
    // Score-only layout of a playback: PleinEcranChoisi := PleinEcranActif when retenirChoix,
    // EntrerPleinEcran, PanelBarreBoutons3 and ScrollBarZoneSaisie hidden.
    virtual void EntrerAffichageLecture(bool retenirChoix) { (void)retenirChoix; }
    // PanelBarreBoutons3 and ScrollBarZoneSaisie shown; QuitterPleinEcran unless PleinEcranChoisi.
    virtual void QuitterAffichageLecture() {}
    // Score view: scroll range of the current track (AjusterDefilement).
    virtual void AjusterDefilementPartition() {}
    // Edit zone: measure status and measure number labels (AfficherEtatMesure, AfficherNumeroMesure).
    virtual void AfficherEtatNumeroMesure() {}
    // Edit zone: the current measure redrawn whole (RedessinerMesure).
    virtual void RedessinerZoneSaisie() {}
    // Track button colour test on leaving measure m: the current track's button is coloured
    // again when m holds no beat of the track while the button shows content, or the reverse.
    virtual void ControlerCouleurBoutonPiste(int mesure) { (void)mesure; }
    // Song properties dialog (TSais_Partition) auditioning strings: CordeEcoutee >= 0.
    virtual bool AuditionProprietesEnCours() { return false; }
    // Its audition again (JouerCordesPiste) when a listen button is still down: true;
    // otherwise CordeEcoutee := -1 and false.
    virtual bool RelancerAuditionProprietes() { return false; }
    // The same for the MIDI import dialog (TSelMIDIForm, EcouterAccordage).
    virtual bool AuditionImportEnCours() { return false; }
    virtual bool RelancerAuditionImport() { return false; }
    // Song properties dialog, when visible: its controls enabled again after a playback,
    // then ActualiserCordesPiste.
    virtual void ReactiverProprietesPartition() {}
    // Song browser: item index of its JumpAfter box (0 without a browser); and moving on to
    // the next song (SelectionnerMorceauSuivant) when its list ListView1 is visible.
    virtual int SautParcours() { return 0; }
    virtual void ParcoursMorceauSuivant() {}
    // ---- Edit engine ----
    // The edit image was painted on: show it on screen.
    virtual void ZoneSaisieModifiee() {}
    // The edit image gets this width (LargeurZone + 2 * MargeGauche); its canvas is installed
    // again (InstallerCanevasSaisie) before the engine redraws it.
    virtual void DimensionnerZoneSaisie(int largeur) { (void)largeur; }
    // Scroll bar ScrollBarZoneSaisie: Max (Min stays 0), LargeChange, Enabled.
    virtual void ReglerDefilementSaisie(int max, int grandPas, bool actif) { (void)max; (void)grandPas; (void)actif; }
    // Scroll position of the edit zone: the bar shows it (without telling the engine back)
    // and the edit image moves to left x = gauche (-position * LargeurTemps).
    virtual void PlacerZoneSaisie(int position, int gauche) { (void)position; (void)gauche; }
    // Score view: repaint the display lines of measure m (its edits become visible there).
    virtual void RedessinerLignesModifiees(int mesure) { (void)mesure; }
    // Score view: lay out and repaint every line (another track, another song).
    virtual void RedessinerPartition() {}
    // Score view: the Selection frame over the current measure, scrolling the view to it.
    virtual void PlacerCadreMesure() {}
    // Drum palette Assistant_Bat_Form shown or hidden.
    virtual void MontrerPalettePercussion(bool visible) { (void)visible; }
    // ---- Keys and mouse of the edit zone ----
    // The drum palette Assistant_Bat_Form is visible (Escape hides it).
    virtual bool PalettePercussionVisible() { return false; }
    // The media player has an open device (Space stops a playback only then).
    virtual bool LecteurMidiOuvert() { return false; }
    // The arrow buttons PisteUp / PisteDown clicked (next / previous track), for Ctrl+keypad +/-.
    virtual void PisteUpClick() {}
    virtual void PisteDownClick() {}
    // The fret popup TurboMenu (items Turbo00..Turbo24) at point (x, y) of the edit image; the
    // item chosen calls Turbo00Click with its name.
    virtual void OuvrirMenuFrettes(int x, int y) { (void)x; (void)y; }
    // Notation window ClassForm: when visible, its staff is redrawn for the cursor note.
    virtual void ActualiserPorteeSolfege() {}
    // Go-to-measure dialog, modal: true on OK, the dialog having set MesureCourante (and
    // tested the track button colour of the measure it leaves).
    virtual bool DialogueAllerAMesure() { return false; }
    // Recent-file item k (1..5) of the File menu: its caption in UTF-8, or nullptr to hide it.
    virtual void AfficherFichierRecent(int k, const char* legendeUtf8) { (void)k; (void)legendeUtf8; }
    // The separator below the recent-file items.
    virtual void AfficherSeparateurFichiersRecents(bool visible) { (void)visible; }
    // ---- Tracks, score-view click, window layout ----
    // Track 8 chosen during a playback: the drum palette opens when it ends (PercussionOuvert).
    virtual void OuvrirPercussionFinLecture() {}
    // A click on the score view during playback: ArretDemandeClic := true, ArretDemande :=
    // false, the media player stopped (its notification then sees the request).
    virtual void ArreterLecturePourClic() {}
    // After that click: play from the current measure (Ac_Son_LecturePosECExecute), then
    // ArretDemandeClic := false.
    virtual void RelancerLectureApresClic() {}
    // Popup PopupMenuAff (range commands) at point (x, y) of score band `bande` (1..30).
    virtual void OuvrirMenuPartition(int bande, int x, int y) { (void)bande; (void)x; (void)y; }
    // The panels laid out for the client size (editor/Pistes.h: DisposerFenetre), then
    // TerminerDispositionFenetre with the width of PanelZoneSaisie.
    virtual void DisposerPanneaux() {}
    // Score-only layout on or off (PleinEcranActif already set): panels placed again
    // (DispositionPleinEcran / DispositionSansPleinEcran), PanelBarreBoutons3 hidden or shown,
    // menus Mn_Note and Mn_Effets disabled or enabled.
    virtual void AppliquerPleinEcran(bool actif) { (void)actif; }
    // Dynamics palette DynaForm shown or closed, and whether it is visible.
    virtual void MontrerPaletteNuances(bool visible) { (void)visible; }
    virtual bool PaletteNuancesVisible() { return false; }
};

IFenetrePrincipale& FenetrePrincipale();
void InstallerFenetrePrincipale(IFenetrePrincipale* fenetre); // nullptr puts the silent one back
