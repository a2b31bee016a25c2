#pragma once
// The system's one message box. Headless code (song reader, engine, MIDI) calls
// AfficherMessage; the windows install the real box at start, tests install a recorder.
// The layout arithmetic of the box lives here so that it can be checked without a screen.
//
// Caption, text and button captions are Windows-1252 bytes.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Icon kind; any other value shows no icon.
inline constexpr uint8_t IconeAvertissement = 0;
inline constexpr uint8_t IconeErreur = 1;
inline constexpr uint8_t IconeInformation = 2;
inline constexpr uint8_t IconeConfirmation = 3;

// Button set: any combination of these bits.
inline constexpr uint16_t BoutonOui = 1;
inline constexpr uint16_t BoutonNon = 2;
inline constexpr uint16_t BoutonOK = 4;
inline constexpr uint16_t BoutonAnnuler = 8;

// Default button (the one that has the focus and answers Enter).
inline constexpr uint8_t DefautOui = 0;
inline constexpr uint8_t DefautNon = 1;
inline constexpr uint8_t DefautOK = 2;
inline constexpr uint8_t DefautAnnuler = 3;

// What the box returns. Closing it with its close box answers Annuler.
inline constexpr int ResultatOK = 1;
inline constexpr int ResultatAnnuler = 2;
inline constexpr int ResultatOui = 6;
inline constexpr int ResultatNon = 7;

// Placement 0 centres the box on the screen; any other value puts it at a fixed place.
inline constexpr uint8_t PlacementCentre = 0;

struct MessageAffiche {
    std::string Legende;
    std::string Texte;
    uint8_t Icone = IconeInformation;
    uint16_t Boutons = BoutonOK;
    uint8_t BoutonDefaut = DefautOK;
    uint8_t Placement = PlacementCentre;
};

// Shows a message and returns ResultatOK, ResultatAnnuler, ResultatOui or ResultatNon. The
// default button must be one of the shown ones and the set must not be empty.
int AfficherMessage(const std::string& legende, const std::string& texte, uint8_t icone,
                    uint16_t boutons, uint8_t boutonDefaut, uint8_t placement);

// Who shows the messages. Without one installed, every message is answered by its default
// button. Returns the one it replaces; an empty function puts the silent one back.
using AfficheurMessages = std::function<int(const MessageAffiche&)>;
AfficheurMessages InstallerAfficheurMessages(AfficheurMessages afficheur);

// Result of a default-button code (DefautOui..DefautAnnuler); 0 for another code.
int ResultatBouton(uint8_t boutonDefaut);

// What the Escape key answers: Annuler when shown, else Non when shown, else nothing (0).
int ReponseEchap(uint16_t boutons);

// ---- Layout ------------------------------------------------------------------------------

// The four buttons, in the order in which they stand from left to right.
enum BoutonMessage { BmOK = 0, BmOui = 1, BmNon = 2, BmAnnuler = 3 };
inline constexpr std::array<uint16_t, 4> BitsBoutonsMessage = {BoutonOK, BoutonOui, BoutonNon, BoutonAnnuler};

struct RectMessage {
    int X = 0, Y = 0, L = 0, H = 0;
    bool operator==(const RectMessage&) const = default;
};

struct DispositionMessage {
    RectMessage Texte;               // the text, at its measured size
    RectMessage Icone;               // where the icon stands (when one is shown)
    std::array<bool, 4> Visible{};   // by BoutonMessage
    std::array<RectMessage, 4> Boutons{};
    int LargeurClient = 0;
    int HauteurClient = 0;
};

// A length of the 96-pixels-per-inch design at `echelle` = pixels per inch / 96.
int LongueurMessage(int longueur, double echelle);

// Width at which the text wraps.
int LargeurTexteMessage(double echelle);

// The box laid out around its text, measured (wrapped at LargeurTexteMessage) as
// largeurTexte x hauteurTexte.
DispositionMessage DisposerMessage(double echelle, int largeurTexte, int hauteurTexte, uint16_t boutons);

// Top-left corner of the box, from its outer size and the screen's size.
std::pair<int, int> PlacerMessage(uint8_t placement, double echelle, int largeurEcran, int hauteurEcran,
                                  int largeurBoite, int hauteurBoite);

// Captions of the four buttons (by BoutonMessage) from "DLG_000" of the loaded language,
// automatic accelerators given to the shown ones only; the built-in captions when the
// section is missing.
std::array<std::string, 4> LegendesBoutonsMessage(uint16_t boutons);

// ---- For tests ---------------------------------------------------------------------------

// Records every message shown while it lives and answers each with the next of Reponses, or
// with the message's default button when none is left.
class EnregistreurMessages {
public:
    EnregistreurMessages();
    ~EnregistreurMessages();
    EnregistreurMessages(const EnregistreurMessages&) = delete;
    EnregistreurMessages& operator=(const EnregistreurMessages&) = delete;

    std::vector<MessageAffiche> Messages;
    std::deque<int> Reponses;

private:
    AfficheurMessages precedent_;
};
