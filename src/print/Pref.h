#pragma once
// The preferences dialog: general options, display settings and print settings on three tab
// pages. The pages are working copies; OK applies the pages that changed, "Look" applies the
// display page at once, "Preview" applies the printing page and shows the print preview. The
// dialog keeps the display and print settings it found (ParamEcranMem, ParamImpMem and the
// "_Mem" style labels) so that its caller can put them back when it was not confirmed:
// ExecuterPreferences does both.
//
// It never touches the settings file: the settings and the user presets reach it when the
// program saves its configuration at exit.
#include "print/PrefAffichage.h"
#include "print/PrefGeneral.h"
#include "print/PrefImpression.h"
#include "print/PrefLogique.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;

class TPref_Form : public QDialog {
    Q_OBJECT

public:
    explicit TPref_Form(QWidget* parent = nullptr);
    ~TPref_Form() override;

    QTabWidget* PageControle = nullptr;
    TPagePrefGeneral* General = nullptr;
    TPagePrefAffichage* Display = nullptr;
    TPagePrefImpression* Printing = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Annuler = nullptr;
    QPushButton* BT_Aide = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;

    // The texts of the loaded language (run once by the constructor).
    void TraduirePreferences();
    // Loads the pages and takes the backups; the first showing runs it, once.
    void Activer();
    bool Active() const { return active_; }

    void BT_OKClick();
    void BT_LookClick();
    void BT_Look_PrtClick();
    void BT_AideClick();
    // Fallback texts into the empty numeric edits of the display and printing pages.
    void CompleterChampsVides();

    bool AffichageModifie() const { return affichageModifie_; }
    bool ImpressionModifiee() const { return impressionModifiee_; }
    bool GeneralModifie() const { return generalModifie_; }
    // The display page was applied with "Look": the caller puts the display back on Cancel.
    bool AffichageApplique() const { return affichageApplique_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Empty edits completed, then every typed value checked: the first refused one gets the
    // invalid-entry box, the focus (its page shown) and its text selected.
    bool ControlerSaisies();

    bool affichageModifie_ = false;
    bool impressionModifiee_ = false;
    bool generalModifie_ = false;
    bool affichageApplique_ = false;
    bool active_ = false;
};

// The dialog shown modally on `page`, then released; 1 for OK, 2 for anything else.
// `affichageApplique` tells whether "Look" applied display settings (the caller's restore
// needs it).
int AfficherPreferences(PagePreferences page, bool& affichageApplique);
// The same, with the restore of a dialog that was not confirmed: what the Preferences command
// and the preview's set-up button run.
int ExecuterPreferences(PagePreferences page = PagePreferences::General);
