#pragma once
// The main window's command list, owned by the engine. Enabled and checked states are logic
// here, not decoration: "playing" is the play-from-start command being disabled, the measure
// was edited when the cancel-measure button is enabled, and the effect commands read their own
// checked state. So the truth lives in this table, and the window's menus, shortcuts and
// buttons only mirror it (they are told of every change).
//
// One data table below lists every command: the 99 actions of the command list in their eleven
// categories, the buttons with a state of their own (cancel measure, validate, the dynamics
// palette), and the toolbar speed buttons, each bound to the action of the same name (its
// enabled state is the action's, its down state is its own).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Key codes in the numbering the shortcuts and the key map are written in: the virtual keys of
// the original platform (letters and top-row digits are their ASCII capitals).
enum class Touche : uint16_t {
    Aucune = 0,
    Retour = 0x08, Tab = 0x09, Entree = 0x0D, Echap = 0x1B, Espace = 0x20,
    PagePrec = 0x21, PageSuiv = 0x22, Fin = 0x23, Debut = 0x24,
    Gauche = 0x25, Haut = 0x26, Droite = 0x27, Bas = 0x28,
    Inser = 0x2D, Suppr = 0x2E,
    Chiffre0 = 0x30, Chiffre9 = 0x39,
    Pave0 = 0x60, Pave9 = 0x69,
    PaveMul = 0x6A, PavePlus = 0x6B, PaveMoins = 0x6D, PavePoint = 0x6E, PaveDiv = 0x6F,
    F1 = 0x70, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    Oem5 = 0xDC, // the dotted-note key (backslash on a US keyboard, '*' on a French one)
};
constexpr Touche Lettre(char majuscule) { return static_cast<Touche>(static_cast<uint16_t>(majuscule)); }

// Modifier set of a key event, compared as a whole (Ctrl means Ctrl alone).
struct Modif {
    static constexpr uint8_t Aucun = 0;
    static constexpr uint8_t Shift = 1;
    static constexpr uint8_t Ctrl = 2;
    static constexpr uint8_t Alt = 4;
};

struct Raccourci {
    Touche Code = Touche::Aucune;
    uint8_t Modificateurs = Modif::Aucun;
    bool Vide() const { return Code == Touche::Aucune; }
    friend bool operator==(const Raccourci&, const Raccourci&) = default;
};

enum class Categorie : uint8_t {
    Aucune, // buttons outside the command list
    Fichier, Edition, Mesure, Note, Effets, Dyna, Son, Ass, Affichage, Options, Aide,
};
const char* NomCategorie(Categorie c); // "Fichier", "Edition", ... ("" for Aucune)

enum class SorteCommande : uint8_t {
    Action,      // a command of the command list
    Bouton,      // a button with its own handler and state
    BoutonBarre, // a toolbar speed button bound to the action of the same name
};

// Columns: name, category, kind, default caption (menu caption of the resource, English),
// shortcut key, shortcut modifiers, Tag, checkable, exclusive group (0 none), enabled at start.
// A toolbar speed button takes its caption, shortcut and enabled state from its action.
#define LYRX_COMMANDES(X)                                                                          \
    /* File */                                                                                     \
    X(Ac_Fichier_Nouveau,          Fichier, Action, "&New...",              Lettre('N'), Ctrl, 0, false, 0, true)   \
    X(Ac_Fichier_Ouvrir,           Fichier, Action, "&Open...",             Lettre('O'), Ctrl, 0, false, 0, true)   \
    X(Ac_Fichier_Parcourir,        Fichier, Action, "&Browse...",           Lettre('B'), Ctrl, 0, false, 0, true)   \
    X(Ac_Fichier_Enregistrer,      Fichier, Action, "&Save",                Lettre('S'), Ctrl, 0, false, 0, true)   \
    X(Ac_Fichier_EnregistrerSous,  Fichier, Action, "Save &as...",          Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_Proprietes,       Fichier, Action, "&Properties...",       Touche::F5, 0,     0, false, 0, true)   \
    X(Ac_Fichier_ImporterMIDI,     Fichier, Action, "&MIDI file...",        Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_ImporterASCII,    Fichier, Action, "&ASCII tablature...",  Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_ExporterMIDI,     Fichier, Action, "&MIDI file...",        Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_ExporterASCII,    Fichier, Action, "&ASCII tablature...",  Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_Imprimer,         Fichier, Action, "P&rint...",            Lettre('P'), Ctrl, 0, false, 0, true)   \
    X(Ac_Fichier_ApercuImp,        Fichier, Action, "Print pre&view...",    Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_ConfigImp,        Fichier, Action, "Printer se&tup...",    Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Fichier_Quitter,          Fichier, Action, "E&xit",                Touche::Aucune, 0, 0, false, 0, true)   \
    /* Edit */                                                                                     \
    X(Ac_Edition_Annuler,          Edition, Action, "&Undo",                Lettre('Z'), Ctrl, 0, false, 0, false)  \
    X(Ac_Edition_Couper,           Edition, Action, "Cu&t",                 Lettre('X'), Ctrl, 0, false, 0, true)   \
    X(Ac_Edition_Copier,           Edition, Action, "&Copy",                Lettre('C'), Ctrl, 0, false, 0, true)   \
    X(Ac_Edition_Coller,           Edition, Action, "&Paste",               Lettre('V'), Ctrl, 0, false, 0, false)  \
    X(Ac_Edition_Inserer,          Edition, Action, "&Insert",              Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Edition_Vider,            Edition, Action, "C&lear",               Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Edition_TableMix,         Edition, Action, "&Mix table...",        Touche::F10, 0,    0, false, 0, true)   \
    /* Measure */                                                                                  \
    X(Ac_Mesure_Premiere,          Mesure, Action, "&First measure",        Touche::Gauche, Ctrl | Shift, 0, false, 0, true) \
    X(Ac_Mesure_Precedente,        Mesure, Action, "&Previous measure",     Touche::Gauche, Ctrl,  0, false, 0, true) \
    X(Ac_Mesure_AllerA,            Mesure, Action, "&Go to measure...",     Touche::Bas, Ctrl | Shift, 0, false, 0, true)    \
    X(Ac_Mesure_Suivante,          Mesure, Action, "&Next measure",         Touche::Droite, Ctrl, 0, false, 0, true)  \
    X(Ac_Mesure_Derniere,          Mesure, Action, "&Last measure",         Touche::Droite, Ctrl | Shift, 0, false, 0, true) \
    X(Ac_Mesure_Signature,         Mesure, Action, "&Time signature...",    Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Mesure_RenvoiDebut,       Mesure, Action, "&Repeat start",         Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Mesure_RenvoiFin,         Mesure, Action, "Repeat &end...",        Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Mesure_Repetitions,       Mesure, Action, "&Alternate ending...",  Touche::Aucune, 0, 0, true,  0, true)   \
    /* Note */                                                                                     \
    X(Ac_Note_Ronde,               Note, Action, "&Whole note",             Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_Blanche,             Note, Action, "&Half note",              Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_Noire,               Note, Action, "&Quarter note",           Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_Croche,              Note, Action, "&Eighth note",            Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_DCroche,             Note, Action, "&Sixteenth note",         Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_TCroche,             Note, Action, "&Thirty-second note",     Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_QCroche,             Note, Action, "Sixty-&fourth note",      Touche::Aucune, 0, 0, true, 1, true)    \
    X(Ac_Note_Pointee,             Note, Action, "&Dotted note",            Touche::Oem5, 0,   0, true,  0, true)   \
    X(Ac_Note_Accord,              Note, Action, "&Chord...",               Lettre('A'), 0,    0, false, 0, true)   \
    X(Ac_Note_Annotation,          Note, Action, "&Text...",                Lettre('T'), 0,    0, false, 0, true)   \
    X(Ac_Note_NoteEtouffee,        Note, Action, "Dead &note",              Lettre('X'), 0,    0, false, 0, true)   \
    X(Ac_Note_Silence,             Note, Action, "&Rest",                   Lettre('S'), 0,    0, false, 0, true)   \
    X(Ac_Note_Triolet,             Note, Action, "Tri&plet",                Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Note_Lier,                Note, Action, "T&ie",                    Lettre('L'), 0,    0, true,  0, true)   \
    X(Ac_Note_InsererTemps,        Note, Action, "&Insert beat",            Touche::Inser, 0,  0, false, 0, true)   \
    X(Ac_Note_SupprimerTemps,      Note, Action, "De&lete beat",            Touche::Suppr, Ctrl, 0, false, 0, true) \
    X(Ac_Note_CopierTempsfin,      Note, Action, "Cop&y beat to the end",   Lettre('C'), 0,    0, false, 0, true)   \
    X(Ac_Note_DeplacerHaut,        Note, Action, "Move note &up",           Touche::Haut, Ctrl, 0, false, 0, true)  \
    X(Ac_Note_DeplacerBas,         Note, Action, "Move note do&wn",         Touche::Bas, Ctrl,  0, false, 0, true)  \
    /* Effects: the Tag is the code written into the song */                                       \
    X(Ac_Effet_HO,                 Effets, Action, "&Hammer-on",            Lettre('H'), 0,    1, true, 0, true)    \
    X(Ac_Effet_PO,                 Effets, Action, "&Pull-off",             Lettre('P'), 0,    2, true, 0, true)    \
    X(Ac_Effet_SlideUp,            Effets, Action, "Slide &up",             Lettre('U'), 0,    3, true, 0, true)    \
    X(Ac_Effet_SlideDown,          Effets, Action, "Slide &down",           Lettre('D'), 0,    4, true, 0, true)    \
    X(Ac_Effet_Bend,               Effets, Action, "&Bend...",              Lettre('B'), 0,    5, true, 0, true)    \
    X(Ac_Effet_BendRelease,        Effets, Action, "Bend && &release...",   Lettre('R'), 0,    6, true, 0, true)    \
    X(Ac_Effet_LetRing,            Effets, Action, "&Let ring",             Lettre('I'), 0,    7, true, 0, true)    \
    X(Ac_Effet_GraceNote,          Effets, Action, "&Grace note...",        Lettre('G'), 0,    0, true, 0, true)    \
    X(Ac_Effet_GhostNote,          Effets, Action, "G&host note",           Touche::Aucune, 0, 0, true, 0, true)    \
    X(Ac_Effet_VibMainGauche,      Effets, Action, "&Vibrato",              Lettre('V'), 0,    1, true, 0, true)    \
    X(Ac_Effet_TremoloBar,         Effets, Action, "&Tremolo bar",          Touche::Aucune, 0, 2, true, 0, true)    \
    X(Ac_Effet_CoupDeVibrato,      Effets, Action, "Vibrato &stroke...",    Touche::Aucune, 0, 3, true, 0, true)    \
    X(Ac_Effet_HarmNat,            Effets, Action, "&Natural harmonic",     Touche::Aucune, 0, 8, true, 0, true)    \
    X(Ac_Effet_HarmArt,            Effets, Action, "&Artificial harmonic",  Touche::Aucune, 0, 9, true, 0, true)    \
    X(Ac_Effet_FadeIn,             Effets, Action, "&Fade in",              Lettre('F'), 0,    4, true, 0, true)    \
    X(Ac_Effet_TappingMD,          Effets, Action, "Tapp&ing",              Touche::Aucune, 0, 5, true, 0, true)    \
    X(Ac_Effet_Slap,               Effets, Action, "Sl&ap",                 Touche::Aucune, 0, 6, true, 0, true)    \
    X(Ac_Effet_Pop,                Effets, Action, "P&op",                  Touche::Aucune, 0, 7, true, 0, true)    \
    X(Ac_Effet_BrushUp,            Effets, Action, "Up stru&m...",          Lettre('U'), Ctrl, 1, true, 0, true)    \
    X(Ac_Effet_BrushDown,          Effets, Action, "Do&wn strum...",        Lettre('D'), Ctrl, 2, true, 0, true)    \
    /* Dynamics */                                                                                 \
    X(Ac_Dyna_ppp,                 Dyna, Action, "ppp",                     Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_pp,                  Dyna, Action, "pp",                      Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_p,                   Dyna, Action, "p",                       Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_mp,                  Dyna, Action, "mp",                      Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_mf,                  Dyna, Action, "mf",                      Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_f,                   Dyna, Action, "f",                       Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_ff,                  Dyna, Action, "ff",                      Touche::Aucune, 0, 0, true, 2, true)    \
    X(Ac_Dyna_fff,                 Dyna, Action, "fff",                     Touche::Aucune, 0, 0, true, 2, true)    \
    /* Sound: Space and its variants belong to the key handler, not to shortcuts */                \
    X(Ac_Son_LectureDebut,         Son, Action, "&Play from the start",     Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Son_LecturePosEC,         Son, Action, "Play from the &current measure", Touche::Aucune, 0, 0, false, 0, true) \
    X(Ac_Son_LectureMesureEC,      Son, Action, "Play the current &measure", Touche::Aucune, 0, 0, false, 0, true)  \
    X(Ac_Son_Stop,                 Son, Action, "&Stop",                    Touche::Aucune, 0, 0, false, 0, false)  \
    X(Ac_Son_EnBoucle,             Son, Action, "&Loop",                    Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Son_Metronome,            Son, Action, "Me&tronome",               Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Son_JouerSaisie,          Son, Action, "Play while &entering",     Touche::Aucune, 0, 0, true,  0, true)   \
    /* Assistants */                                                                               \
    X(Ac_Ass_Transposer,           Ass, Action, "&Transpose...",            Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Ass_Redecouper,           Ass, Action, "&Re-split measures...",    Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Ass_CompleterReduire,     Ass, Action, "&Complete or reduce measures", Touche::Aucune, 0, 0, false, 0, true) \
    X(Ac_Ass_PlacementAuto,        Ass, Action, "&Automatic fingering...",  Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Ass_LetRingSelector,      Ass, Action, "&Let ring selector...",    Touche::Aucune, 0, 0, false, 0, true)   \
    X(Ac_Ass_VerifierDureeMesures, Ass, Action, "Check measure &lengths...", Touche::F8, 0,    0, false, 0, true)   \
    X(Ac_Ass_Solfege,              Ass, Action, "&Notation",                Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Ass_Percussion,           Ass, Action, "&Drums",                   Touche::Aucune, 0, 0, true,  0, false)  \
    X(Ac_Ass_SpeedTrainer,         Ass, Action, "&Speed trainer...",        Touche::F7, 0,     0, false, 0, true)   \
    X(Ac_Ass_MontrerLetRing,       Ass, Action, "Show &let ring",           Touche::F11, 0,    0, true,  0, true)   \
    X(Ac_Ass_MontrerDyna,          Ass, Action, "Show &dynamics",           Touche::F12, 0,    0, true,  0, true)   \
    /* View, Options, Help */                                                                      \
    X(Ac_Affichage_PleinEcran,     Affichage, Action, "&Score only",        Touche::Aucune, 0, 0, true,  0, true)   \
    X(Ac_Options_Preferences,      Options, Action, "Pre&ferences...",      Touche::F6, 0,     0, false, 0, true)   \
    X(Ac_Aide_Index,               Aide, Action, "&Index",                  Touche::F1, 0,     0, false, 0, true)   \
    X(Ac_Aide_APropos,             Aide, Action, "&About...",               Touche::Aucune, 0, 0, false, 0, true)   \
    /* Buttons with a state of their own */                                                        \
    X(BT_AnnulerMesure,            Aucune, Bouton, "Cancel measure",        Touche::Aucune, 0, 0, false, 0, false)  \
    X(BT_Valider,                  Aucune, Bouton, "Validate measure",      Touche::Aucune, 0, 0, false, 0, false)  \
    X(BT_DynaForm,                 Aucune, Bouton, "Dynamics",              Touche::Aucune, 0, 0, false, 0, true)   \
    X(BT_DynaNote_1,               Aucune, Bouton, "ppp",                   Touche::Aucune, 0, 1, true,  3, true)   \
    X(BT_DynaNote_2,               Aucune, Bouton, "pp",                    Touche::Aucune, 0, 2, true,  3, true)   \
    X(BT_DynaNote_3,               Aucune, Bouton, "p",                     Touche::Aucune, 0, 3, true,  3, true)   \
    X(BT_DynaNote_4,               Aucune, Bouton, "mp",                    Touche::Aucune, 0, 4, true,  3, true)   \
    X(BT_DynaNote_5,               Aucune, Bouton, "mf",                    Touche::Aucune, 0, 5, true,  3, true)   \
    X(BT_DynaNote_6,               Aucune, Bouton, "f",                     Touche::Aucune, 0, 6, true,  3, true)   \
    X(BT_DynaNote_7,               Aucune, Bouton, "ff",                    Touche::Aucune, 0, 7, true,  3, true)   \
    X(BT_DynaNote_8,               Aucune, Bouton, "fff",                   Touche::Aucune, 0, 8, true,  3, true)   \
    X(BT_Default,                  Aucune, Bouton, "Default",               Touche::Aucune, 0, 0, false, 0, true)   \
    X(BT_Apply,                    Aucune, Bouton, "Apply to the beat",     Touche::Aucune, 0, 0, true,  0, true)   \
    /* Toolbar speed buttons, bound to their actions */                                            \
    X(Bt_Fichier_Nouveau,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Fichier_Ouvrir,           Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Fichier_Enregistrer,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Fichier_Proprietes,       Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Options_Preferences,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Fichier_Imprimer,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Fichier_ApercuImp,        Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Edition_Couper,           Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Edition_Copier,           Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Edition_Coller,           Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Edition_Inserer,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Edition_Vider,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Edition_TableMix,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_Premiere,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_Precedente,        Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_AllerA,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_Suivante,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_Derniere,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_Signature,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Mesure_RenvoiDebut,       Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Mesure_RenvoiFin,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Mesure_Repetitions,       Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Ronde,               Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Blanche,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Noire,               Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Croche,              Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_DCroche,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_TCroche,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_QCroche,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Pointee,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Accord,              Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_Annotation,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_NoteEtouffee,        Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_Silence,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_Triolet,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_Lier,                Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Note_InsererTemps,        Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_SupprimerTemps,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_CopierTempsfin,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_DeplacerHaut,        Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Note_DeplacerBas,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Effet_HO,                 Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_PO,                 Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_SlideUp,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_SlideDown,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_Bend,               Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_BendRelease,        Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_LetRing,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_GraceNote,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_GhostNote,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_VibMainGauche,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_TremoloBar,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_CoupDeVibrato,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_HarmNat,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_HarmArt,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_FadeIn,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_TappingMD,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_Slap,               Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_Pop,                Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_BrushUp,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Effet_BrushDown,          Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Ass_Solfege,              Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Son_LectureDebut,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Son_LecturePosEC,         Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Son_LectureMesureEC,      Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Son_Stop,                 Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, false, 0, true) \
    X(Bt_Son_EnBoucle,             Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Son_Metronome,            Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true) \
    X(Bt_Affichage_PleinEcran,     Aucune, BoutonBarre, "", Touche::Aucune, 0, 0, true,  0, true)

enum class Cmd : uint16_t {
#define LYRX_COMMANDE_ENUM(nom, ...) nom,
    LYRX_COMMANDES(LYRX_COMMANDE_ENUM)
#undef LYRX_COMMANDE_ENUM
};

inline constexpr std::size_t NbCommandes = 0
#define LYRX_COMMANDE_COMPTE(...) +1
    LYRX_COMMANDES(LYRX_COMMANDE_COMPTE)
#undef LYRX_COMMANDE_COMPTE
    ;

// What the table says of one command; fixed for the whole run.
struct DescriptionCommande {
    Cmd Id;
    const char* Nom;            // the command's name, also the object name of its control
    Categorie Cat;
    SorteCommande Sorte;
    const char* Legende;        // default caption ("" for a speed button: its action's)
    Raccourci Touche;
    int Tag;
    bool Cochable;              // carries a checked (down) state
    int Groupe;                 // checking one member of a group unchecks the others
    bool ActifAuDepart;
    std::optional<Cmd> ActionLiee; // speed buttons: the action they are bound to
};

std::span<const DescriptionCommande> TableCommandes();
const DescriptionCommande& Description(Cmd c);
std::optional<Cmd> CommandeParNom(std::string_view nom);

// The live states of the one command list, its handlers and its observers.
class TCommandes {
public:
    using Gestionnaire = std::function<void(Cmd emetteur)>;
    using Observateur = std::function<void(Cmd)>;

    TCommandes();

    // A speed button is enabled when its action is (the command binding).
    bool Enabled(Cmd c) const;
    void SetEnabled(Cmd c, bool actif);
    // The checked state of an action, the down state of a button.
    bool Checked(Cmd c) const;
    void SetChecked(Cmd c, bool coche);
    // "The command's checked state is inverted first": the effect handlers do this, then read it.
    bool InverserChecked(Cmd c);
    int Tag(Cmd c) const { return Description(c).Tag; }

    // Runs the command's handler with the command itself as sender, only when the command is
    // enabled; a speed button runs its action's handler. Returns whether a handler ran.
    void Enregistrer(Cmd c, Gestionnaire g);
    bool Executer(Cmd c);

    // Shortcut dispatch as the window does it: the command bound to the key, when it exists and
    // is enabled, runs and swallows the key; otherwise the key goes on to the key handler.
    std::optional<Cmd> CommandeDuRaccourci(Raccourci r) const;
    bool ExecuterRaccourci(Raccourci r);

    // Told of every change of an enabled or checked state (the window mirrors them). The
    // number returned removes the observer again.
    int AjouterObservateur(Observateur o);
    void RetirerObservateur(int numero);

    // Back to the states of the start (handlers and observers stay).
    void Reinitialiser();

private:
    void Notifier(Cmd c);

    struct Etat {
        bool Enabled = true;
        bool Checked = false;
    };
    std::vector<Etat> etats_;
    std::vector<Gestionnaire> gestionnaires_;
    std::vector<std::pair<int, Observateur>> observateurs_;
    int prochainObservateur_ = 1;
};

// The main window's command list.
TCommandes& Commandes();
