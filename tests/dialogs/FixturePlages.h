#pragma once
// The measure-range, paste, print and assistant dialogs over the dialogs' fixture: their
// on-screen services installed (the entry dialogs' service and the clipboard's), the clipboard
// and assistant commands registered, a main window that also records the playback stop and the
// help asked, and the message boxes recorded instead of shown. Each dialog a command opens is
// shown, handed to the scenario of the test, and closed by it (or cancelled if it stays open).
#include "FixtureDialogues.h"

#include "dialogs/CommandesAssistants.h"
#include "dialogs/DialoguesPlages.h"
#include "dialogs/DialoguesPressePapier.h"
#include "dialogs/Services.h"
#include "document/Mess.h"
#include "editor/PressePapier.h"
#include "midi/Doigte.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMouseEvent>

#include <functional>
#include <string>
#include <vector>

class FenetrePlages : public FenetreDialogues {
public:
    std::vector<int> Aides;
    void ArreterLectureEnCours() override { Appels.push_back("ArreterLectureEnCours"); }
    void AfficherAideDialogue(int contexte) override { Aides.push_back(contexte); }
};

class FixturePlages : public FixtureDialogues {
protected:
    FenetrePlages fenetrePlages;
    DialoguesPlagesQt plages;
    DialoguesPressePapierQt pressePapier;
    std::vector<MessageAffiche> messages;
    std::vector<QString> ouverts;

    void SetUp() override
    {
        FixtureDialogues::SetUp();
        InstallerFenetrePrincipale(&fenetrePlages);
        ServicesSaisie services{};
        services.Dialogues = &plages;
        InstallerServicesSaisie(services);
        InstallerDialoguesPressePapier(&pressePapier);
        EnregistrerCommandesPressePapier();
        EnregistrerCommandesAssistants();
        ancienAfficheur_ = InstallerAfficheurMessages([this](const MessageAffiche& m) {
            messages.push_back(m);
            return ResultatOK;
        });
        PoidsDoigte = TPoidsDoigte{};
        CopierToutesPistes = false;
        LibererPressePapier();
        // Nothing to do for a dialog until the test says.
        Piloter([](QDialog&) {});
    }

    void TearDown() override
    {
        InstallerAfficheurMessages(ancienAfficheur_);
        InstallerDialoguesPressePapier(nullptr);
        ReinitialiserServicesSaisie();
        LibererPressePapier();
        CopierToutesPistes = false;
        FixtureDialogues::TearDown();
    }

    // The scenario run on every dialog the next commands open.
    void Piloter(std::function<void(QDialog&)> scenario)
    {
        auto executeur = [this, scenario](QDialog& d) {
            ouverts.push_back(d.objectName());
            d.show();
            scenario(d);
            if (d.isVisible())
                d.reject();
            return d.result();
        };
        plages.DefinirExecuteur(executeur);
        pressePapier.DefinirExecuteur(executeur);
    }

    template <class T>
    static T& Comme(QDialog& d)
    {
        return dynamic_cast<T&>(d);
    }

    // A mouse press or release on a button (the press starts a held repeat, the release clicks).
    static void Souris(QAbstractButton* b, bool presse)
    {
        const QPointF centre(b->width() / 2.0, b->height() / 2.0);
        QMouseEvent e(presse ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, centre, b->mapToGlobal(centre),
                      Qt::LeftButton, presse ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &e);
    }

private:
    AfficheurMessages ancienAfficheur_;
};
