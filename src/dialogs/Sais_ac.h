#pragma once
// The chord dialog: the chord of the beat under the cursor of the current track, as a name
// shown above the beat, with or without its diagram and theory. The user describes the chord
// by theory and picks one of the fingerings found for it, or draws a diagram with the mouse
// and picks one of the names proposed for it, or takes a chord from one of the three lists,
// and may listen to it. The dialog edits the working chord AccordTravail, its controls and the
// lists; OK stores the chord into the beat (or removes it) and offers it to the used list. The
// chord command that opens it redraws afterwards.
//
// The theory controls are mirrored in a TTheorieAccord: each handler reads the controls into
// it, runs the chord theory, the fingering search or the recognition, and writes the result
// back under the guards that keep the controls' own handlers quiet.
#include "dialogs/DiagrammeAccord.h"
#include "dialogs/ListesAccords.h"
#include "editor/TheorieAccords.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QToolButton;
class LimiteSaisie;

class TSais_Ac_Form : public QDialog, private IHoteListesAccords {
    Q_OBJECT

public:
    explicit TSais_Ac_Form(QWidget* parent = nullptr);
    ~TSais_Ac_Form() override;

    // ---- Theory ----
    QListWidget* Fondamentale = nullptr;   // 12 roots and the custom chord
    QListWidget* Typ = nullptr;
    QListWidget* NeufOnzeTreize = nullptr;
    QListWidget* DimAug = nullptr;
    QListWidget* Quinte = nullptr;
    QListWidget* Neuf = nullptr;
    QListWidget* Onze = nullptr;
    QCheckBox* Add = nullptr;
    QToolButton* BT_Diese = nullptr;
    QToolButton* BT_Bemol = nullptr;
    QLabel* Lab_Renv = nullptr;
    QComboBox* Renversement = nullptr;
    QLabel* Lab_Bass = nullptr;
    QComboBox* Basse = nullptr;
    QRadioButton* Simplifie = nullptr;
    QRadioButton* Moyen = nullptr;
    QRadioButton* Tout = nullptr;
    QLabel* NbComb = nullptr;

    // ---- Diagram ----
    TImageDiagramme* ImDiag = nullptr;
    QScrollBar* ScrollFret = nullptr;      // base fret 1..20
    QScrollBar* ScrollSol = nullptr;       // the selected fingering
    QToolButton* BoutonSon = nullptr;
    // Degrees 1, 3, 5, 7, 9, 11, 13 as entries 1..7: Lab1..Lab13, C1..C13, Note1..Note13.
    OneBased<QLabel*, kNbDegres> Lab{};
    OneBased<QCheckBox*, kNbDegres> C{};
    OneBased<QLabel*, kNbDegres> Note{};
    QLineEdit* Ed_Accord = nullptr;

    // ---- Fingerings ----
    QScrollArea* ScrollBoxSol = nullptr;
    TImageDiagramme* ImListeDiag = nullptr;
    QLabel* LabOmissions = nullptr;

    // ---- Lists ----
    QLabel* Lab_DiffNames = nullptr;
    QListWidget* DifferentsNoms = nullptr;
    QLabel* Lab_DejaUsed = nullptr;
    QLabel* Lab_OnTop = nullptr;
    QLabel* Lab_Library = nullptr;
    TListeAccordsDialogue* DejaUtilises = nullptr;
    TListeAccordsDialogue* Imprimer = nullptr;
    TListeAccordsDialogue* Librairie = nullptr;

    // ---- Buttons ----
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Clear = nullptr;
    QPushButton* BT_Aide = nullptr;
    QCheckBox* AddDiag = nullptr;

    // ---- Popup of the lists ----
    QFrame* PanelImagePopup = nullptr;
    TImageDiagramme* PopupDiag = nullptr;

    // Called by the chord command before showing: no bass or inversion, empty name, the
    // omissions label hidden, both diagram images white.
    void EffacerDialogueAccord();
    // The opening: the beat's chord loaded, or a custom chord started from the beat's frets
    // with names proposed for them. The first showing runs it; it runs once only.
    void Activer();
    void TraduireAccord();

    // ---- Handlers ----
    void FondamentaleClick();
    void TypClick();           // type, extension and its alteration, Add, the three alterations
    void C1Click();            // the degree boxes
    void BasseChange();
    void RenversementChange();
    void SimplifieClick();     // the three levels
    void BT_DieseClick();      // sharps and flats
    void BT_ClearClick();
    void BT_AideClick();
    void BT_OKClick();
    void DifferentsNomsClick();
    void BoutonSonClick();

    // ---- Diagram view and editing ----
    void AfficherDiagrammeAccord();
    void AfficherSolutions();
    void EncadrerSolution();
    void ScrollSolChange();
    void ScrollFretChange();
    void ImListeDiagMouseDown(int x, int y);
    void ImListeDiagMouseMove(int x, int y);
    void ImListeDiagMouseUp();
    void ImDiagMouseDown(int x, int y);
    void ImDiagMouseMove(int x, int y);
    void ImDiagMouseUp();

    // A stored chord loaded into the dialog (a beat's, a list entry): working chord, diagram
    // and proposed names, name, theory controls with their own ticks, the chord's fingerings
    // without selection, base fret.
    void ChargerAccord(const TAccord& accord);
    // The dialog's chord as OK and the lists store it: the working chord's diagram with the
    // name field (cut to 20 characters) and the theory of the controls.
    TAccord AccordDuDialogue() const;

    const TTheorieAccord& Theorie() const { return theorie_; }
    bool ChargementAccord() const { return chargementAccord_; }
    const TGeometrieDiagramme& Geometrie() const { return geometrie_; }
    // Level of the fingering search from the radio buttons: 0 simple, 1 medium, 2 all.
    int32_t Niveau() const;
    // How many characters the name field takes by typing (text put there by the dialog may be
    // longer).
    int LimiteSaisieNom() const;

protected:
    void showEvent(QShowEvent* e) override;
    void done(int resultat) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // IHoteListesAccords
    TAccord EntreeDuDialogue() const override { return AccordDuDialogue(); }
    bool NomVide() const override;
    void ChargerAccordListe(const TAccord& accord) override { ChargerAccord(accord); }
    void PasserAccordPerso() override;
    void MontrerPopupDiagramme(const TAccord& accord, int gauche, int haut, const void* cle) override;
    void CacherPopupDiagramme() override;
    int LargeurPopup() const override;
    int HauteurPopup() const override;

    void Construire();
    // Controls -> theorie_ (selections, ticks, sharps), and back with enabled states,
    // captions, note names and ticks.
    void LireTheorie();
    void AfficherTheorie();
    void CalculerDegres();
    void Chercher();
    void ReconstruireNom();
    void MontrerCriteres(const TAccord& accord);
    void MontrerNombreSolutions();
    void ActualiserListesNotes();
    void AfficherNotes();
    // The name field's text, set by the dialog whatever its typing limit.
    void DefinirNom(const QString& nom);
    // Theory and name dropped for the custom root; the diagram stays. reglerBase: the
    // base-fret bar shows the diagram's base fret first.
    void PasserEnPersoEnGardantDiagramme(bool reglerBase);
    void EditerCase(const TCaseDiagramme& c);
    void ChoisirVignette(int x, int y);
    void DemarrerAccordPerso();
    void ReglerScrollFret(int32_t valeur, bool actif);

    TTheorieAccord theorie_;
    TGeometrieDiagramme geometrie_;
    bool active_ = false;

    // Guards: the dialog is changing these controls itself.
    bool MajOmissions = false;
    bool MajBasse = false;
    bool MajRenversement = false;
    bool MajFretteBase = false;
    bool majControles_ = false; // lists, level buttons, the fingering bar
    bool chargementAccord_ = false;

    // Mouse and scroll state of the diagrams.
    bool BoutonEnfonce = false;
    int32_t DerniereCordeEditee = -1;
    int32_t DerniereFretteEditee = -1;
    int32_t AncienneFretteBase = 1;

    LimiteSaisie* limiteNom_ = nullptr;
    const void* clePopup_ = nullptr;
    QPoint placePopup_;
};

// The chord command's dialog: created over `parent`, prepared empty, shown modally (by
// `executeur` when given: tests drive the dialog there) and freed. True for OK, the beat's
// chord then written.
bool ExecuterDialogueAccord(QWidget* parent, const std::function<int(QDialog&)>& executeur = {});
