#pragma once
// The main window's words from the loaded language: menu captions (section "MN_000"),
// toolbar hints and the filters and titles of its six file dialogs. The result names every
// item as the main window names it (Mn_..., Mn2_..., Bt_..., OpenDialog1 ...); the window
// applies them by name. Texts are Windows-1252 bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Legende {
    std::string Nom;   // Mn_Fichier_Nouveau, Mn2_Edition_Couper, Bt_Fichier_Nouveau, BT_DynaForm ...
    std::string Texte; // caption ("&" marks the accelerator, "&&" a plain "&") or hint
};

struct DialogueFichier {
    std::string Nom;                  // OpenDialog1, SaveDialog1, OpenDialog2, ... SaveDialog3
    std::string Filtre;               // "name|pattern|name|pattern"; FiltreQt converts it
    std::optional<std::string> Titre; // none: the dialog keeps the platform's title
};

struct LegendesFenetrePrincipale {
    std::vector<Legende> Menus;  // menu item captions, accelerators included
    std::vector<Legende> Bulles; // toolbar button hints
    std::vector<DialogueFichier> Dialogues;

    // The caption or hint given to the named item; nullptr when this language sets none.
    const std::string* Menu(std::string_view nom) const;
    const std::string* Bulle(std::string_view nom) const;
};

// Everything the main window shows in words, from TableLangue, the dictionary and
// RaccourcisAuto. Nothing (std::nullopt) when the file has no "MN_000": the window then keeps
// the texts it has. Every call starts again from the file, so repeating it never adds a second
// accelerator.
std::optional<LegendesFenetrePrincipale> TraduireFenetrePrincipale();

// A filter in the "name|pattern|name|pattern" notation as a Qt file dialog takes it:
// "name (pattern);;name (pattern)", with "*.*" matching every file name.
std::string FiltreQt(std::string_view filtre);
