#pragma once
// A new song in the edit engine (see the editor's fixture) with the edit commands registered,
// a main window that also counts the invalid-entry boxes, no language loaded and "." as the
// decimal separator. Helpers drive fields and keys the way a user does.
#include "editor/FixtureMoteur.h"

#include "document/Langue.h"
#include "editor/CommandesEdition.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

class FenetreDialogues : public FenetreEnregistreuse {
public:
    int SaisiesIncorrectes = 0;
    void AfficherSaisieIncorrecte() override { ++SaisiesIncorrectes; }
};

class FixtureDialogues : public FixtureMoteur {
protected:
    FenetreDialogues fenetreDlg;

    void SetUp() override
    {
        FixtureMoteur::SetUp();
        InstallerFenetrePrincipale(&fenetreDlg);
        EnregistrerCommandesEdition();
        ViderLangue();
        DefinirSeparateurDecimal('.');
    }

    void TearDown() override
    {
        ViderLangue();
        DefinirSeparateurDecimal('.');
        InstallerDialoguesEdition(nullptr);
        FixtureMoteur::TearDown();
    }

    static void ViderLangue()
    {
        TableLangue.clear();
        DictionnaireLangue.clear();
        RaccourcisAuto = false;
    }

    static void ChargerAnglais() { ASSERT_TRUE(ChargerLangue(LYRX_SOURCE_DIR "/data", "English")); }

    // A key pressed on a widget (keypad keys with the keypad modifier).
    static void Touche(QWidget* w, int touche, const QString& texte = {}, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, touche, m, texte);
        QCoreApplication::sendEvent(w, &e);
    }

    // Text typed at the end of a field, character by character, through its filter.
    static void Taper(QLineEdit* champ, const QString& texte)
    {
        champ->setFocus();
        champ->end(false);
        for (QChar c : texte)
            Touche(champ, 0, QString(c));
    }

    // The field emptied, then the text typed.
    static void Saisir(QLineEdit* champ, const QString& texte)
    {
        champ->clear();
        Taper(champ, texte);
    }
};
