#pragma once
// The three chord lists beside the chord dialog: the user's library (200 chords, kept in the
// settings), the song's chords printed on top of the score (50, saved with the song) and the
// chords used in the song (700, growing by itself as chords are stored into beats). Each list
// box has five small buttons: add the dialog's chord, delete, replace by the dialog's chord,
// move up, move down; a click takes an entry back into the dialog, and moving the mouse over
// an entry shows its diagram in a popup. Changes are made at once and stay whether the
// dialog ends with OK or Cancel.
#include "document/Accord.h"
#include "document/Variable.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace platform {
class Canevas;
}
class QEvent;
class QListWidget;
class QToolButton;
class QWidget;

// ---- The lists themselves ------------------------------------------------------------------------

// One list: its slots (entries 1..*Nombre, index 0 unused, each owning its record) and, from
// the size of the slots, its capacity.
struct TListeAccords {
    std::span<std::unique_ptr<TAccord>> Emplacements;
    int32_t* Nombre = nullptr;

    int32_t Capacite() const { return static_cast<int32_t>(Emplacements.size()) - 1; }
    // The count, never trusted beyond the slots.
    int32_t Taille() const;
    const TAccord* Entree(int32_t position) const; // 1-based; nullptr outside the list
};

TListeAccords ListeLibrairie(); // LibrairieAccords
TListeAccords ListeImprimer();  // AccordsPartition
TListeAccords ListeUtilises();  // AccordsUtilises

// A copy of the chord at the end; false, and nothing changed, when the list is full.
bool AjouterEntree(const TListeAccords& liste, const TAccord& accord);
// Entry `position` (1-based) removed, the ones after it moving up; false outside the list.
bool SupprimerEntree(const TListeAccords& liste, int32_t position);
// Entry `position` receives the chord; false outside the list.
bool RemplacerEntree(const TListeAccords& liste, int32_t position, const TAccord& accord);
// Two entries change places; false when either lies outside the list.
bool EchangerEntrees(const TListeAccords& liste, int32_t a, int32_t b);

// The used list's sameness: the same name, accidentals and root, the same theory for a root
// other than the custom one (type, extension, bass, alterations, add, degrees), and the same
// diagram (base fret and frets; barres follow from them and are not compared).
bool AccordsEgaux(const TAccord& a, const TAccord& b);
// The chord just stored into a beat, added to the used list unless an equal one is there or
// the list holds 700 already; true when added. The list box is filled at the next opening.
bool AjouterAccordUtilise(const TAccord& accord);

// ---- The list boxes of the chord dialog ----------------------------------------------------------

// An entry's diagram in the popup image (cleared white beforehand): the large painter with the
// name, its grid placed by the base fret so that the fret number fits on the left.
void AfficherPopupDiagramme(platform::Canevas& c, const TAccord& accord);

// A list box that acts on a click as the dialog's lists do: a new selection, by the mouse or
// the keys, runs `action`, and so does a click on the entry already selected. Nothing runs
// while `occupe` answers true (the dialog is filling or selecting the list itself).
void LierClicListe(QListWidget* liste, std::function<bool()> occupe, std::function<void()> action);

// What the lists need of the chord dialog.
class IHoteListesAccords {
public:
    virtual ~IHoteListesAccords() = default;
    // The dialog's chord as an entry: the diagram with the name field and the theory controls.
    virtual TAccord EntreeDuDialogue() const = 0;
    virtual bool NomVide() const = 0;
    // An entry loaded into the dialog, as a stored chord.
    virtual void ChargerAccordListe(const TAccord& accord) = 0;
    // The dialog switched to the custom chord: diagram and name emptied.
    virtual void PasserAccordPerso() = 0;
    // The popup of an entry's diagram at a place of the dialog; `cle` names the entry shown,
    // so that the popup is painted again only when the entry or its place changes.
    virtual void MontrerPopupDiagramme(const TAccord& accord, int gauche, int haut, const void* cle) = 0;
    virtual void CacherPopupDiagramme() = 0;
    virtual int LargeurPopup() const = 0;
    virtual int HauteurPopup() const = 0;
};

// Where the popup stands beside a list.
enum class CotePopup {
    Gauche,       // left of the list, its top at the row's top (library)
    DroiteDessus, // right of the list, its bottom at the row's bottom (on top)
    Droite,       // right of the list, its top at the row's top (used)
};

// The list box and its five buttons, placed on the dialog at (x, y) (96-dpi design), the
// buttons in a row under the list.
class TListeAccordsDialogue : public QObject {
    Q_OBJECT

public:
    struct Noms {
        const char* Liste;
        const char* Ajouter;
        const char* Supprimer;
        const char* MettreAJour;
        const char* Monter;
        const char* Descendre;
    };
    TListeAccordsDialogue(QWidget* dialogue, TListeAccords liste, const Noms& noms, CotePopup cote,
                          IHoteListesAccords& hote, int x, int y, int largeur, int hauteur);

    QListWidget* Liste = nullptr;
    QToolButton* Ajouter = nullptr;     // Add_Lib, Add_Print, Add_Used
    QToolButton* Supprimer = nullptr;   // Suppr_...
    QToolButton* MettreAJour = nullptr; // MAJ_...
    QToolButton* Monter = nullptr;      // Haut_...
    QToolButton* Descendre = nullptr;   // Bas_...

    const TListeAccords& Donnees() const { return liste_; }

    // The list box holds the name of every entry, in order.
    void Remplir();
    // The handlers; each works on the list box's selection.
    void Click();
    void AjouterClick();
    void SupprimerClick();
    void MettreAJourClick();
    void MonterClick();
    void DescendreClick();
    // The mouse over the list's viewport at y: the popup of the entry under it, or none.
    void SourisDeplacee(int y);

    // Texts of the five buttons' hints (the language's, or the built-in ones).
    void DefinirBulles(const QString& ajouter, const QString& supprimer, const QString& mettreAJour,
                       const QString& monter, const QString& descendre);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // The list box's selection as a 1-based entry, 0 for none.
    int32_t Selection() const;
    // The selection an entry command works on; 0 for an empty list (nothing said) or no
    // selection (the error `cleErreur` shown).
    int32_t SelectionRequise(const char* cleErreur) const;
    void Selectionner(int32_t position); // 0: none
    static void Erreur(const char* cle);

    TListeAccords liste_;
    CotePopup cote_;
    IHoteListesAccords& hote_;
    bool remplissage_ = false;
};
