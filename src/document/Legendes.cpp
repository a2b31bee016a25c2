#include "document/Legendes.h"

#include "document/Langue.h"

#include <algorithm>

namespace {

// One line of "MN_000": the menu item whose caption it is ("..." appended when Points), the
// item that gets a copy of that caption, and the toolbar button whose hint it is.
struct LigneMenu {
    int Ligne;
    const char* Menu;
    bool Points;
    const char* Copie;
    const char* Bulle;
};

// Lines 115 and 116 are not read.
constexpr LigneMenu LignesMenus[] = {
    {1, "Mn_Fichier", false, nullptr, nullptr},
    {2, "Mn_Fichier_Nouveau", true, nullptr, "Bt_Fichier_Nouveau"},
    {3, "Mn_Fichier_Ouvrir", true, nullptr, "Bt_Fichier_Ouvrir"},
    {4, "Mn_Fichier_Parcourir", true, nullptr, nullptr},
    {5, "Mn_Fichier_Enregistrer", false, nullptr, "Bt_Fichier_Enregistrer"},
    {6, "Mn_Fichier_EnregistrerSous", true, nullptr, nullptr},
    {7, "Mn_Fichier_Proprietes", true, nullptr, "Bt_Fichier_Proprietes"},
    {8, "Mn_Options_Preferences", true, nullptr, "Bt_Options_Preferences"},
    {9, "Mn_Fichier_Importer", false, nullptr, nullptr},
    {10, "Mn_Fichier_Exporter", false, nullptr, nullptr},
    {11, "Mn_Fichier_ImporterMIDI", true, "Mn_Fichier_ExporterMIDI", nullptr},
    {12, "Mn_Fichier_ImporterASCII", true, "Mn_Fichier_ExporterASCII", nullptr},
    {13, "Mn_Fichier_Imprimer", true, nullptr, "Bt_Fichier_Imprimer"},
    {14, "Mn_Fichier_ApercuImp", true, nullptr, "Bt_Fichier_ApercuImp"},
    {15, "Mn_Fichier_ConfigImp", true, nullptr, nullptr},
    {16, "Mn_Fichier_Quitter", false, nullptr, nullptr},
    {17, "Mn_Edition", false, nullptr, nullptr},
    {18, "Mn_Edition_Couper", false, "Mn2_Edition_Couper", "Bt_Edition_Couper"},
    {19, "Mn_Edition_Copier", false, "Mn2_Edition_Copier", "Bt_Edition_Copier"},
    {20, "Mn_Edition_Coller", false, "Mn2_Edition_Coller", "Bt_Edition_Coller"},
    {21, "Mn_Edition_Inserer", false, "Mn2_Edition_Inserer", "Bt_Edition_Inserer"},
    {22, "Mn_Edition_Vider", false, "Mn2_Edition_Vider", "Bt_Edition_Vider"},
    {23, "Mn_Edition_TableMix", true, nullptr, "Bt_Edition_TableMix"},
    {24, "Mn_Piste", false, nullptr, nullptr},
    {25, "Mn_Mesure", false, nullptr, nullptr},
    {26, "Mn_Mesure_Premiere", false, nullptr, nullptr},
    {27, nullptr, false, nullptr, "Bt_Mesure_Premiere"},
    {28, "Mn_Mesure_Precedente", false, nullptr, nullptr},
    {29, nullptr, false, nullptr, "Bt_Mesure_Precedente"},
    {30, "Mn_Mesure_AllerA", true, nullptr, nullptr},
    {31, nullptr, false, nullptr, "Bt_Mesure_AllerA"},
    {32, "Mn_Mesure_Suivante", false, nullptr, nullptr},
    {33, nullptr, false, nullptr, "Bt_Mesure_Suivante"},
    {34, "Mn_Mesure_Derniere", false, nullptr, nullptr},
    {35, nullptr, false, nullptr, "Bt_Mesure_Derniere"},
    {36, "Mn_Mesure_Signature", true, nullptr, nullptr},
    {37, nullptr, false, nullptr, "Bt_Mesure_Signature"},
    {38, "Mn_Mesure_RenvoiDebut", false, nullptr, "Bt_Mesure_RenvoiDebut"},
    {39, "Mn_Mesure_RenvoiFin", true, nullptr, "Bt_Mesure_RenvoiFin"},
    {40, "Mn_Mesure_Repetitions", true, nullptr, "Bt_Mesure_Repetitions"},
    {41, "Mn_Note", false, nullptr, nullptr},
    {42, "Mn_Note_Ronde", false, nullptr, nullptr},
    {43, "Mn_Note_Blanche", false, nullptr, nullptr},
    {44, "Mn_Note_Noire", false, nullptr, nullptr},
    {45, "Mn_Note_Croche", false, nullptr, nullptr},
    {46, "Mn_Note_DCroche", false, nullptr, nullptr},
    {47, "Mn_Note_TCroche", false, nullptr, nullptr},
    {48, "Mn_Note_QCroche", false, nullptr, nullptr},
    {49, "Mn_Note_Pointee", false, nullptr, "Bt_Note_Pointee"},
    {50, "Mn_Note_Accord", true, nullptr, "Bt_Note_Accord"},
    {51, "Mn_Note_Annotation", true, nullptr, "Bt_Note_Annotation"},
    {52, "Mn_Note_NoteEtouffee", false, nullptr, "Bt_Note_NoteEtouffee"},
    {53, "Mn_Note_Silence", false, nullptr, "Bt_Note_Silence"},
    {54, "Mn_Note_Triolet", false, nullptr, "Bt_Note_Triolet"},
    {55, "Mn_Note_Lier", false, nullptr, "Bt_Note_Lier"},
    {56, "Mn_Note_InsererTemps", false, nullptr, "Bt_Note_InsererTemps"},
    {57, "Mn_Note_SupprimerTemps", false, nullptr, "Bt_Note_SupprimerTemps"},
    {58, "Mn_Note_CopierTempsfin", false, nullptr, "Bt_Note_CopierTempsfin"},
    {59, "Mn_Note_DeplacerHaut", false, nullptr, nullptr},
    {60, nullptr, false, nullptr, "Bt_Note_DeplacerHaut"},
    {61, "Mn_Note_DeplacerBas", false, nullptr, nullptr},
    {62, nullptr, false, nullptr, "Bt_Note_DeplacerBas"},
    {63, "Mn_Effets", false, nullptr, nullptr},
    {64, "Mn_Effet_HO", false, nullptr, "Bt_Effet_HO"},
    {65, "Mn_Effet_PO", false, nullptr, "Bt_Effet_PO"},
    {66, "Mn_Effet_SlideUp", false, nullptr, "Bt_Effet_SlideUp"},
    {67, "Mn_Effet_SlideDown", false, nullptr, "Bt_Effet_SlideDown"},
    {68, "Mn_Effet_Bend", true, nullptr, "Bt_Effet_Bend"},
    {69, "Mn_Effet_BendRelease", true, nullptr, "Bt_Effet_BendRelease"},
    {70, "Mn_Effet_LetRing", false, nullptr, "Bt_Effet_LetRing"},
    {71, "Mn_Effet_GraceNote", true, nullptr, "Bt_Effet_GraceNote"},
    {72, "Mn_Effet_GhostNote", false, nullptr, "Bt_Effet_GhostNote"},
    {73, "Mn_Effet_VibMainGauche", false, nullptr, "Bt_Effet_VibMainGauche"},
    {74, "Mn_Effet_TremoloBar", false, nullptr, "Bt_Effet_TremoloBar"},
    {75, "Mn_Effet_CoupDeVibrato", true, nullptr, "Bt_Effet_CoupDeVibrato"},
    {76, "Mn_Effet_HarmNat", false, nullptr, "Bt_Effet_HarmNat"},
    {77, "Mn_Effet_HarmArt", false, nullptr, "Bt_Effet_HarmArt"},
    {78, "Mn_Effet_FadeIn", false, nullptr, "Bt_Effet_FadeIn"},
    {79, "Mn_Effet_TappingMD", false, nullptr, "Bt_Effet_TappingMD"},
    {80, "Mn_Effet_Slap", false, nullptr, "Bt_Effet_Slap"},
    {81, "Mn_Effet_Pop", false, nullptr, "Bt_Effet_Pop"},
    {82, "Mn_Effet_BrushUp", true, nullptr, "Bt_Effet_BrushUp"},
    {83, "Mn_Effet_BrushDown", true, nullptr, "Bt_Effet_BrushDown"},
    {84, "Mn_Dyna", false, nullptr, "BT_DynaForm"},
    {85, "Mn_Assistants", false, nullptr, nullptr},
    {86, "Mn_Ass_Transposer", true, nullptr, nullptr},
    {87, "Mn_Ass_Redecouper", true, nullptr, nullptr},
    {88, "Mn_Ass_CompleterReduire", false, nullptr, nullptr},
    {89, "Mn_Ass_PlacementAuto", true, nullptr, nullptr},
    {90, "Mn_Ass_LetRingSelector", true, nullptr, nullptr},
    {91, "Mn_Ass_VerifierDureeMesures", true, nullptr, nullptr},
    {92, "Mn_Ass_Solfege", false, nullptr, "Bt_Ass_Solfege"},
    {93, "Mn_Ass_Percussion", false, nullptr, nullptr},
    {94, "Mn_Ass_SpeedTrainer", true, nullptr, nullptr},
    {95, "Mn_Son", false, nullptr, nullptr},
    {96, "Mn_Son_LectureDebut", false, nullptr, nullptr},
    {97, nullptr, false, nullptr, "Bt_Son_LectureDebut"},
    {98, "Mn_Son_LecturePosEC", false, nullptr, nullptr},
    {99, nullptr, false, nullptr, "Bt_Son_LecturePosEC"},
    {100, "Mn_Son_LectureMesureEC", false, nullptr, nullptr},
    {101, nullptr, false, nullptr, "Bt_Son_LectureMesureEC"},
    {102, "Mn_Son_Stop", false, nullptr, nullptr},
    {103, nullptr, false, nullptr, "Bt_Son_Stop"},
    {104, "Mn_Son_EnBoucle", false, nullptr, "Bt_Son_EnBoucle"},
    {105, "Mn_Son_Metronome", false, nullptr, "Bt_Son_Metronome"},
    {106, "Mn_Son_JouerSaisie", false, nullptr, nullptr},
    {107, "Mn_Affichage", false, nullptr, nullptr},
    {108, "Mn_Affichage_PleinEcran", false, nullptr, "Bt_Affichage_PleinEcran"},
    {109, "Mn_Ass_MontrerLetRing", false, nullptr, nullptr},
    {110, "Mn_Ass_MontrerDyna", false, nullptr, nullptr},
    {111, "Mn_Options_LangueLog", false, nullptr, nullptr},
    {112, "Mn_Affichage_HelpLanguage", false, nullptr, nullptr},
    {113, "Mn_Aide", false, nullptr, nullptr},
    {114, "Mn_Aide_Index", false, nullptr, nullptr},
    {117, "Mn_Aide_APropos", true, nullptr, nullptr},
};

// The Bend and Release caption shows its "&" as a character in the menu.
constexpr int LigneBendRelease = 69;

// Items that share one set of accelerator letters, in the order in which they draw from it.
// The help-language submenu's caption gets none.
const std::vector<std::vector<const char*>> GroupesRaccourcis = {
    // menu titles
    {"Mn_Fichier", "Mn_Edition", "Mn_Piste", "Mn_Mesure", "Mn_Note", "Mn_Effets", "Mn_Assistants", "Mn_Son", "Mn_Affichage", "Mn_Aide"},
    // File menu
    {"Mn_Fichier_Nouveau", "Mn_Fichier_Ouvrir", "Mn_Fichier_Parcourir", "Mn_Fichier_Enregistrer", "Mn_Fichier_EnregistrerSous", "Mn_Fichier_Proprietes", "Mn_Options_Preferences", "Mn_Fichier_Importer", "Mn_Fichier_Exporter", "Mn_Fichier_Imprimer", "Mn_Fichier_ApercuImp", "Mn_Fichier_ConfigImp", "Mn_Fichier_Quitter"},
    // Import submenu
    {"Mn_Fichier_ImporterMIDI", "Mn_Fichier_ImporterASCII"},
    // Export submenu
    {"Mn_Fichier_ExporterMIDI", "Mn_Fichier_ExporterASCII"},
    // Edit menu
    {"Mn_Edition_Couper", "Mn_Edition_Copier", "Mn_Edition_Coller", "Mn_Edition_Inserer", "Mn_Edition_Vider", "Mn_Edition_TableMix"},
    // score-view popup
    {"Mn2_Edition_Couper", "Mn2_Edition_Copier", "Mn2_Edition_Coller", "Mn2_Edition_Inserer", "Mn2_Edition_Vider"},
    // Measure menu
    {"Mn_Mesure_Premiere", "Mn_Mesure_Precedente", "Mn_Mesure_AllerA", "Mn_Mesure_Suivante", "Mn_Mesure_Derniere", "Mn_Mesure_Signature", "Mn_Mesure_RenvoiDebut", "Mn_Mesure_RenvoiFin", "Mn_Mesure_Repetitions"},
    // Note menu
    {"Mn_Note_Ronde", "Mn_Note_Blanche", "Mn_Note_Noire", "Mn_Note_Croche", "Mn_Note_DCroche", "Mn_Note_TCroche", "Mn_Note_QCroche", "Mn_Note_Pointee", "Mn_Note_Accord", "Mn_Note_Annotation", "Mn_Note_NoteEtouffee", "Mn_Note_Silence", "Mn_Note_Triolet", "Mn_Note_Lier", "Mn_Note_InsererTemps", "Mn_Note_SupprimerTemps", "Mn_Note_CopierTempsfin", "Mn_Note_DeplacerHaut", "Mn_Note_DeplacerBas"},
    // Effects menu
    {"Mn_Effet_HO", "Mn_Effet_PO", "Mn_Effet_SlideUp", "Mn_Effet_SlideDown", "Mn_Effet_Bend", "Mn_Effet_BendRelease", "Mn_Effet_LetRing", "Mn_Effet_GraceNote", "Mn_Effet_GhostNote", "Mn_Effet_VibMainGauche", "Mn_Effet_TremoloBar", "Mn_Effet_CoupDeVibrato", "Mn_Effet_HarmNat", "Mn_Effet_HarmArt", "Mn_Effet_FadeIn", "Mn_Effet_TappingMD", "Mn_Effet_Slap", "Mn_Effet_Pop", "Mn_Effet_BrushUp", "Mn_Effet_BrushDown", "Mn_Dyna"},
    // Assistants menu
    {"Mn_Ass_Transposer", "Mn_Ass_Redecouper", "Mn_Ass_CompleterReduire", "Mn_Ass_PlacementAuto", "Mn_Ass_LetRingSelector", "Mn_Ass_VerifierDureeMesures", "Mn_Ass_Solfege", "Mn_Ass_Percussion", "Mn_Ass_SpeedTrainer"},
    // Sound menu
    {"Mn_Son_LectureDebut", "Mn_Son_LecturePosEC", "Mn_Son_LectureMesureEC", "Mn_Son_Stop", "Mn_Son_EnBoucle", "Mn_Son_Metronome", "Mn_Son_JouerSaisie"},
    // View menu
    {"Mn_Affichage_PleinEcran", "Mn_Ass_MontrerLetRing", "Mn_Ass_MontrerDyna", "Mn_Options_LangueLog"},
    // Help menu
    {"Mn_Aide_Index", "Mn_Aide_APropos"},
};

std::string DoublerPremierEt(const std::string& texte)
{
    std::string r = texte;
    const std::size_t p = r.find('&');
    if (p != std::string::npos)
        r.insert(p, 1, '&');
    return r;
}

std::string* Chercher(std::vector<Legende>& legendes, std::string_view nom)
{
    for (Legende& l : legendes)
        if (l.Nom == nom)
            return &l.Texte;
    return nullptr;
}

const std::string* Chercher(const std::vector<Legende>& legendes, std::string_view nom)
{
    for (const Legende& l : legendes)
        if (l.Nom == nom)
            return &l.Texte;
    return nullptr;
}

} // namespace

const std::string* LegendesFenetrePrincipale::Menu(std::string_view nom) const { return Chercher(Menus, nom); }
const std::string* LegendesFenetrePrincipale::Bulle(std::string_view nom) const { return Chercher(Bulles, nom); }

std::optional<LegendesFenetrePrincipale> TraduireFenetrePrincipale()
{
    const int mn = ChercherMarqueur("MN_000");
    if (mn < 0)
        return std::nullopt;

    LegendesFenetrePrincipale r;
    for (const LigneMenu& ligne : LignesMenus) {
        const std::string texte = TexteEntreeLangue(mn, ligne.Ligne);
        if (ligne.Menu) {
            std::string legende = ligne.Ligne == LigneBendRelease ? DoublerPremierEt(texte) : texte;
            if (ligne.Points)
                legende += "...";
            r.Menus.push_back({ligne.Menu, legende});
            if (ligne.Copie)
                r.Menus.push_back({ligne.Copie, legende});
        }
        if (ligne.Bulle)
            r.Bulles.push_back({ligne.Bulle, texte});
    }

    const std::string filtreChansons = Traduire("Fichier-Lyrandaxis") + " (*.lrx)|*.lrx";
    const std::string filtreMidi = Traduire("Fichier-MIDI") + " (*.mid)|*.mid";
    const std::string filtreAscii = Traduire("Fichier-ASCII") + " (*.tab)|*.tab|"
        + Traduire("Fichier-TousLesFichiers") + " (*.*)|*.*";
    r.Dialogues = {
        {"OpenDialog1", filtreChansons, std::nullopt},
        {"SaveDialog1", filtreChansons, std::nullopt},
        {"OpenDialog2", filtreMidi, Traduire("Fichier-ImportMIDI")},
        {"SaveDialog2", filtreMidi, Traduire("Fichier-ExportMIDI")},
        {"OpenDialog3", filtreAscii, Traduire("Fichier-ImportASCII")},
        {"SaveDialog3", filtreAscii, Traduire("Fichier-ExportASCII")},
    };

    for (const std::vector<const char*>& groupe : GroupesRaccourcis) {
        std::string utilisees;
        for (const char* nom : groupe)
            if (std::string* legende = Chercher(r.Menus, nom))
                *legende = AjouterRaccourci(*legende, utilisees);
    }
    return r;
}

std::string FiltreQt(std::string_view filtre)
{
    std::vector<std::string> morceaux;
    std::size_t debut = 0;
    while (true) {
        const std::size_t barre = filtre.find('|', debut);
        morceaux.emplace_back(filtre.substr(debut, barre == std::string_view::npos ? barre : barre - debut));
        if (barre == std::string_view::npos)
            break;
        debut = barre + 1;
    }

    std::string r;
    for (std::size_t i = 0; i < morceaux.size(); i += 2) {
        std::string nom = morceaux[i];
        if (i + 1 >= morceaux.size()) {
            if (!nom.empty())
                r += (r.empty() ? "" : ";;") + nom;
            break;
        }
        const std::string& motifs = morceaux[i + 1];
        // The name shows its own patterns; Qt reads the patterns from the last parentheses.
        const std::string suffixe = " (" + motifs + ")";
        if (nom.size() >= suffixe.size() && nom.compare(nom.size() - suffixe.size(), suffixe.size(), suffixe) == 0)
            nom.erase(nom.size() - suffixe.size());
        std::string motifsQt;
        std::size_t d = 0;
        while (d <= motifs.size()) {
            const std::size_t pv = std::min(motifs.find(';', d), motifs.size());
            std::string motif = motifs.substr(d, pv - d);
            if (motif == "*.*")
                motif = "*"; // a Linux file name need not hold a point
            if (!motif.empty())
                motifsQt += (motifsQt.empty() ? "" : " ") + motif;
            d = pv + 1;
        }
        if (!r.empty())
            r += ";;";
        r += nom + " (" + motifsQt + ")";
    }
    return r;
}
