#pragma once
// The settings kept from one run to the next: general options, display settings of the score
// view and print settings, each a plain global record that readers and writers access field by
// field. The display and print records also carry what the painters and the print engine
// derive from the settings; those fields are never saved.
//
// Every persisted field starts at its factory value, so a record built anywhere (a test, a
// dialog's working copy) is already a valid configuration. The user presets differ from the
// current settings only in the screen margins: use ParamEcranPreset() for them.
#include <array>
#include <cstdint>
#include <string>

// A Windows colour value: red + 256 * green + 65536 * blue, components 0..255.
using TCouleur = int32_t;

inline constexpr TCouleur CouleurNoire = 0;
inline constexpr TCouleur CouleurRouge = 255;
inline constexpr TCouleur CouleurGrise = 8421504;    // 128 in each component
inline constexpr TCouleur CouleurBlanche = 16777215;

// One text style of the display or print settings. There is no underline or strike-out.
struct TMyFont {
    std::string Name;
    int32_t Size = 0; // points
    bool Bold = false;
    bool Italic = false;
    TCouleur Col = CouleurNoire;

    bool operator==(const TMyFont&) const = default;
};

// General options. The field names are the keys under which they are stored.
struct TCONFIG {
    int32_t NbColASCII = 80;        // line width of the text tablature export
    int32_t TypeImport = 0;         // text import duration: 0 variable, 1 half .. 4 sixteenth
    int32_t NbTirets = 3;           // dashes per quarter in variable mode: list position, 3 = 4 dashes
    int32_t SignImpNum = 3;         // text import numerator: list position, 3 = 4
    int32_t SignImpDen = 2;         // text import denominator: list position of 1,2,4,8,16,32
    bool JouerPendantSaisie = true; // live value is the checked state of Ac_Son_JouerSaisie
    bool Metronome = false;
    bool MetronomeDuringScore = true;
    bool FirstBarMetronome = true;  // a count-in measure precedes playback
    bool AddDiag = true;
    bool VerifyRepeats = false;     // kept in the file only
    bool CheckDuration = false;
    int32_t StartingMusic = 1;      // 1 built-in tune, 2 the wave file StartingFile, else none
    std::string StartingFile;
    int32_t MetronomeVolume = 95;   // click velocity 0..127
    bool DifferentMetronomeFirstSound = true;
    bool AlwaysUseMetronomeSpeedTrainer = true;
    bool PlayEffects = true;
    bool PlayRepeats = true;
    bool ExportEffects = true;
    bool ExportRepeats = true;
    bool AlwaysAddBass = false;
    int32_t DiagSimpleMoyenTout = 1; // fingering list level: 0 simple, 1 medium, 2 all
    int32_t TypeScrolling = 1;       // 1 screen by screen, 2 staff by staff
    int32_t EchelleBend = 0;         // pitch-bend scale code of the technique events; never saved
    bool LimitBend = false;
    bool FreeUpAff = false;          // kept in the file only
    int32_t BrushDuration = 4;       // strum speed 1, 2, 4, 8, 16 or 32
    bool EcouterGraceNote = true;
    bool EcouterBrush = true;
    bool ShowLetRingNotes = false;
    bool ShowDynamic = false;
    int32_t DefaultDynamic = 6;      // 1..8 = ppp..fff
    bool CleSol = true;
    bool CleFA = true;
    int32_t GraceNoteDuration = 1;   // 1..3
    bool BlackBlocks = false;        // stored with the print settings

    bool operator==(const TCONFIG&) const = default;
};

// Highest index of the minimum-width table of the score view: durations up to 9700 ticks.
inline constexpr int IndiceMaxLargeursDuree = 1940;

// Display settings of the score view. Lengths are screen pixels.
struct TParamEcran {
    // Painting in progress (score painters).
    int32_t MesureDessinee = 0; // measure whose beats are being painted
    int32_t YPortee = 0;        // y of string 1 in the band being painted
    // Width tables (score layout): minimum beat width at index ticks / 5, 0 = no minimum.
    std::array<int64_t, IndiceMaxLargeursDuree + 1> LargeursDuree{};
    int32_t LargeurBase = 0;    // proportional width of the longest beat of a measure

    double CoefPImp = 1.5;      // rhythm proportion; stored as ten times the value
    int32_t CoefEspAff = 5;     // note spacing 0..10

    int32_t LargeurSupMesure = 0;     // space between a measure's left bar and its first beat
    int32_t EspacePremiereMesure = 0; // extra spaces of the layout at song and repeat bounds
    int32_t EspaceRenvoiDebut = 0;
    int32_t EspaceSignature = 0;
    int32_t EspaceDerniereMesure = 0;
    int32_t EspaceRenvoiFin = 0;

    TMyFont FontNotes{"Arial", 8, true, false, CouleurNoire};
    TMyFont FontAcc{"Arial", 8, true, false, CouleurNoire};
    TMyFont FontTxt{"Arial", 8, false, true, CouleurNoire};
    TMyFont FontSign{"Arial", 12, true, false, CouleurNoire};
    TMyFont FontNum{"Small Fonts", 7, false, false, CouleurRouge};
    TMyFont FontRenv{"Arial", 9, true, true, CouleurNoire};

    int32_t EspPortees = 102;   // a display line is (strings - 1) * EspLignes + EspPortees high
    int32_t EspLignes = 10;     // between the string lines of a staff
    int32_t MargeGaucheLignes = 25;
    int32_t MargeDroiteLignes = 25;
    int32_t EspDiagAc = 20;     // chord diagrams above the top string line
    int32_t EspNomAc = 18;      // chord names shown without a diagram
    int32_t EspTexte = 31;      // beat texts
    bool AffDiag = true;
    bool AffChordsName = true;
    bool AffTxt = true;
    bool AffEff = true;
    bool AffRyt = true;
    bool AffNum = true;
    bool AffListChord = true;
    TCouleur ColDiag = CouleurNoire;
    TCouleur ColLines = CouleurNoire;
    TCouleur ColRythm = CouleurNoire;
    TCouleur ColEff = CouleurNoire;
    TCouleur ColBackG = CouleurBlanche;
    TCouleur ColBadBar = CouleurRouge; // every element of a measure of wrong length
    TCouleur ColSelect = CouleurGrise; // frame of the selected measure

    bool MesureFausse = false;  // the measure being painted has a wrong length
    int32_t TypeDiag = 3;       // chord diagram size, 1 largest .. 3 smallest

    // Constant sizes of the score painters, set once at the first activation.
    int32_t EcartDoubleBarre = 0;
    int32_t MargePoint = 0;
    int32_t TaillePoint = 0;
    int32_t MargeFrette = 0;
    int32_t LongueurHampe = 0;
    int32_t MargeHampe = 0;
    int32_t HampeCourte = 0;
    int32_t EcartPointRythme = 0;
    int32_t HauteurEffets = 0;
    int32_t PasVibrato = 0;
    int32_t PasTremolo = 0;
    int32_t HauteurNbRenvois = 0;
    int32_t DecalageSignature = 0;
    int32_t EcartTriolet = 0;
    int32_t HauteurTriolet = 0;
    int32_t LongueurMinLiaison = 0;

    int32_t EpCroches = 2;      // beam thickness, one digit
    int32_t EcartCroches = 0;   // beam pitch: EpCroches + 1, set by the painters

    bool operator==(const TParamEcran&) const = default;
};

// Millimetre constants of the print painters, set once at the first activation.
struct TGeometrieImpr {
    double DecalageDiagramme = 0;
    double DecalageNomAccord = 0;
    double DecalageTexte = 0;
    double EcartDiagramme = 0;
    double EpaisseurCorde = 0;
    double EpaisseurBarre = 0;
    double EpaisseurBarreEpaisse = 0;
    double EcartDoubleBarre = 0;
    double RayonPointRenvoi = 0;
    double EcartPointRenvoi = 0;
    double MargeFrette = 0;
    double LongueurHampe = 0;
    double EpaisseurCrochet = 0;
    double EcartCrochets = 0;
    double LongueurCrochetSeul = 0;
    double EpaisseurHampe = 0;
    double EcartHampeNote = 0;
    double LongueurHampeBlanche = 0;
    double DecalagePointRythme = 0;
    double RayonPointRythme = 0;
    double EpaisseurGlisse = 0;
    double EpaisseurBend = 0;
    double HauteurEffets = 0;
    double EpaisseurVibrato = 0;
    double PasVibrato = 0;
    double EpaisseurTremolo = 0;
    double PasTremolo = 0;
    double EpaisseurCoupVib = 0;
    double HauteurNbRenvois = 0;
    double EpaisseurFinAlt = 0;
    double HauteurFinAlt = 0;
    double LongueurFinAlt = 0;
    double DecalageSignature = 0;
    double EpaisseurTriolet = 0;
    double EcartTriolet = 0;
    double HauteurTriolet = 0;
    double EpaisseurLiaison = 0;
    double EspaceDebutPartition = 0;
    double EspaceDebutRenvoi = 0;
    double EspaceSignature = 0;
    double EspaceFinPartition = 0;
    double EspaceFinRenvoi = 0;

    bool operator==(const TGeometrieImpr&) const = default;
};

// Print settings. Lengths are millimetres. The record begins with the print engine's page
// state and width tables.
struct TZoneImpression {
    long double EchellePixMm = 0; // device pixels per print millimetre
    double CoefProportions = 0;   // global proportion factor
    double ZoomApercu = 0;        // preview zoom; 1.0 while printing
    bool AjusterApercu = false;   // the next preview opening fits the page width
    int32_t MesureEnCours = 0;    // measure being printed
    double PosY = 0;              // top string of the printed line, mm from the page top
    bool ModeApercu = false;      // drawing for the preview rather than the printer
    // Minimum printed beat width at index ticks / 5, 0 = no minimum.
    std::array<double, IndiceMaxLargeursDuree + 1> LargeursDurees{};
    double LargeurBase = 0;
    double EspaceAvantTemps = 0;

    double CoefPImp = 1.5;        // rhythm proportion; stored as ten times the value

    TMyFont FontTitle_Prt{"Arial", 20, true, false, CouleurNoire};
    TMyFont FontAuteur_Prt{"Arial", 10, true, false, CouleurNoire};
    TMyFont FontComment_Prt{"Arial", 10, false, true, CouleurNoire};
    TMyFont FontNumPage_Prt{"Arial", 8, true, true, CouleurNoire};
    TMyFont FontNotes_Prt{"Arial", 9, true, false, CouleurNoire};
    TMyFont FontAcc_Prt{"Arial", 8, true, false, CouleurNoire};
    TMyFont FontTxt_Prt{"Arial", 8, false, true, CouleurNoire};
    TMyFont FontSign_Prt{"Arial", 12, true, false, CouleurNoire};
    TMyFont FontAccDiag_Prt{"Arial", 7, false, false, CouleurNoire};
    TMyFont FontRenv_Prt{"Arial", 9, true, true, CouleurNoire};

    double HauteurBaseLigne = 0;  // fixed part of the distance between two printed lines
    double EcartCordes = 0;       // distance between two printed string lines

    // The print job overwrites the margins with working values and puts these back after.
    double MargeGaucheLignes = 10;
    double MargeDroiteLignes = 10;
    double MargeHautePart = 15;
    double MargeBassePart = 10;
    bool FullPage = true;         // else an area of Largeur_Prt by Hauteur_Prt
    double Largeur_Prt = 100;
    double Hauteur_Prt = 100;
    bool Center_Prt = true;
    bool TracerCadre_Prt = true;
    int32_t GlobalProportions_Prt = 0; // the sliders: -40..40
    int32_t ChordSize_Prt = 0;
    int32_t EspPortees_Prt = 0;
    int32_t CoefEspAff_Prt = 5;        // note spacing 0..10
    int32_t EspDiagAc_Prt = 0;
    int32_t EspNomAc_Prt = 0;
    int32_t EspTexte_Prt = 0;
    int32_t Esp_Titre_Auteur_Prt = 0;
    int32_t Esp_Auteur_Tab_Prt = 0;

    double HauteurListeAccords = 0; // chord-list block of the first page

    bool AffTitre_Prt = true;
    bool AffAuteur_Prt = true;
    bool AffComment_Prt = true;
    bool AffTriplet_Prt = true;   // header line with triplet feel and tuning
    bool AffNumP_Prt = true;      // page numbers
    bool AffNum_Prt = true;       // measure numbers
    bool AffDiag_Prt = true;
    bool AffChordsName_Prt = true;
    bool AffListChord_Prt = true;
    bool AffTxt_Prt = true;
    bool AffEff_Prt = true;
    bool AffRyt_Prt = true;

    TGeometrieImpr GeometrieImpr;

    bool operator==(const TZoneImpression&) const = default;
};

// Factory values of a display preset: the current settings' values with 38-pixel margins.
TParamEcran ParamEcranPreset();

extern TCONFIG Configuration;

extern TParamEcran ParamEcranCourant; // the only display record the score painters read
extern TParamEcran ParamEcranUS1;
extern TParamEcran ParamEcranUS2;
extern TParamEcran ParamEcranUS3;
extern TParamEcran ParamEcranMem;     // whole copy while the preferences dialog is open

extern TZoneImpression ParamImpCourant;
extern TZoneImpression ParamImpUS1;
extern TZoneImpression ParamImpUS2;
extern TZoneImpression ParamImpUS3;
extern TZoneImpression ParamImpMem;

// Puts every record back to its factory values (presets with their own margins).
void ReinitialiserConfiguration();
