#pragma once
// The family of small modal dialogs that read one value of the song into a field, let the
// user change it (by typing or with spin buttons), check it on OK and write it back: time
// signature, repeat count, alternate ending, annotation, go to measure, vibrato stroke, bend.
//
// A refused OK shows the shared invalid-entry box and keeps the dialog open with the typed
// text; nothing reaches the song before the check passes. Cancel, Escape and the close box
// always close and write nothing.
#include "dialogs/BaseDialogue.h"
#include "document/ReelCompact.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TDialogueSaisie : public QDialog {
    Q_OBJECT

public:
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;

    // The activation: fills the fields from the song and gives the first one the focus. The
    // first showing runs it; it runs once only, so that the return from the invalid-entry
    // box does not put back the values the user was correcting.
    void Activer();
    bool Active() const { return active_; }

    // OK: the check, then the writing and the close.
    void BT_OKClick();

protected:
    TDialogueSaisie(QWidget* parent, const char* nom, int largeur, int hauteur, const QString& titre);

    virtual void Activation() = 0;
    virtual bool Valider() { return true; }
    virtual void Ecrire() = 0;

    void showEvent(QShowEvent* e) override;

    // BT_OK and BT_Annuler side by side at height y.
    void PlacerBoutons(int y);
    // "DLG_000" lines 1 and 2 on BT_OK and BT_Annuler, with their accelerators; false (and
    // the built-in captions kept) when the section is missing.
    bool TraduireBoutons(std::string& utilisees);
    // The buttons, then line `titre` of `section` as the window's title and line `legende` on
    // `etiquette`, with an accelerator the buttons left free. A missing section changes nothing.
    void TraduireTitreEtLegende(const char* section, int titre, QLabel* etiquette, int legende);
    QToolButton* NouveauBoutonSpin(const char* nom, bool haut, int x, int y);
    QLineEdit* NouveauChamp(const char* nom, int x, int y, int largeur);
    QLabel* NouvelleEtiquette(const char* nom, const QString& texte, int x, int y, int largeur);

private:
    bool active_ = false;
};

// A whole number 1..Maximum() in one field with spin buttons (go to measure, repeat count,
// last pass of an alternate ending). The buttons step by one within the range, holding them
// repeats faster and faster.
class TDialogueEntier : public TDialogueSaisie {
    Q_OBJECT

public:
    QLabel* Etiquette = nullptr; // the field's label; none in the alternate-ending dialog
    QLineEdit* Champ = nullptr;
    QToolButton* Haut = nullptr;
    QToolButton* Bas = nullptr;

    void HautClick();
    void BasClick();
    RepetitionSpin& Repetition() { return *repetition_; }

    virtual int32_t Maximum() const = 0;
    // The field's number; nothing for an empty field.
    std::optional<int32_t> Valeur() const;

protected:
    struct Noms {
        const char* Forme;
        const char* Etiquette; // nullptr: no label
        const char* Champ;
        const char* Haut;
        const char* Bas;
    };
    TDialogueEntier(QWidget* parent, const Noms& noms, const QString& titre, const QString& etiquette, int longueur);

    // Not empty, at least 1 and at most Maximum().
    bool Valider() override;
    void EcrireChamp(int32_t valeur);

private:
    std::unique_ptr<RepetitionSpin> repetition_;
};

// An amount in tones or steps, typed with the system's decimal separator (vibrato stroke,
// bend, bend and release). The buttons step by Pas() while the value stays below the top,
// or above the bottom; holding them repeats at a steady pace within the range. A new amount
// that the program has no room left to keep (ReelCompact) is refused with a box that says
// so, as an amount out of range is, and the song keeps the one it had.
class TDialogueMontant : public TDialogueSaisie {
    Q_OBJECT

public:
    QLabel* Etiquette = nullptr;
    QLineEdit* Champ = nullptr;
    QToolButton* Haut = nullptr;
    QToolButton* Bas = nullptr;

    void HautClick();
    void BasClick();
    RepetitionSpin& Repetition() { return *repetition_; }

    // The value in the song that the dialog shows and writes.
    virtual ReelCompact& Cible() = 0;

protected:
    struct Bornes {
        double Pas;
        double Minimum; // the buttons' bottom, and the lowest value accepted
        double Maximum; // the buttons' top, and the highest value accepted
    };
    struct Noms {
        const char* Forme;
        const char* Champ;
        const char* Haut;
        const char* Bas;
    };
    TDialogueMontant(QWidget* parent, const Noms& noms, const QString& titre, int longueur, Bornes bornes);

    void Activation() override;
    bool Valider() override;
    void Ecrire() override;

private:
    // The field's number as the buttons read it: 0 for a text that is not a number.
    double ValeurLue() const;

    Bornes bornes_;
    std::unique_ptr<RepetitionSpin> repetition_;
    ReelCompact lu_; // the amount OK accepted, held from the check to the writing
};
