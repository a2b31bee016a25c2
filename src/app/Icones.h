#pragma once
// The pictures of the toolbar and of the main window's buttons, drawn by the program so that
// it ships no image files, each at the size a button first asks for. One picture per button
// name (Bt_Fichier_Nouveau, BT_Valider, ...); an unknown name gives an empty icon.
#include <QIcon>
#include <string_view>

inline constexpr int TailleIcone = 20; // pixels, at a device pixel ratio of 1

QIcon IconeBouton(std::string_view nom);

// The pictures drawn on a thread of their own while the program starts, at the size the
// primary screen asks for, so that the first paint of the toolbar only copies them. Build one
// once the application object is there; destroying it (before the application object) waits
// for the thread and goes back to drawing each picture when it is first asked for.
class IconesEnArrierePlan {
public:
    IconesEnArrierePlan();
    ~IconesEnArrierePlan();
    IconesEnArrierePlan(const IconesEnArrierePlan&) = delete;
    IconesEnArrierePlan& operator=(const IconesEnArrierePlan&) = delete;
};
