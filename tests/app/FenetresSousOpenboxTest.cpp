// The palettes and the program's dialogs and boxes under a real window manager (openbox on an
// Xvfb screen of 1024 x 768 and one of 1280 x 900), in English and in French, as the window
// system stacks and places them: with every palette open over the middle of the screen, where
// the dialogs open, each dialog and box stands above them all, and the palettes above the main
// window; each dialog and box opens centred on the screen by its real size, frame included, at
// the same place every time. Each screen runs in a process of its own on the xcb platform; the
// test is skipped where Xvfb, openbox or Xlib is missing.
#include "app/FixtureFenetrePrincipale.h"
#include "app/RepondeurModal.h"
#include "controls/CadreFenetre.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/MessageD.h"
#include "support/RelanceTest.h"
#include "support/ServeurX.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#ifdef LYRX_TEST_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kVariableEcran = "LYRX_TEST_ECRAN_OPENBOX";

// Whether a window manager runs on `display` (it says so on the root window), waiting for it
// ten seconds at most: a window shown before it starts may never be framed.
bool GestionnairePret(const std::string& display)
{
#ifdef LYRX_TEST_X11
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    const Atom verification = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    bool pret = false;
    for (int essai = 0; essai < 200 && !pret; ++essai) {
        Atom type = None;
        int format = 0;
        unsigned long nb = 0, reste = 0;
        unsigned char* donnees = nullptr;
        if (XGetWindowProperty(d, DefaultRootWindow(d), verification, 0, 1, False, XA_WINDOW, &type, &format, &nb,
                               &reste, &donnees) == Success && donnees) {
            pret = nb == 1;
            XFree(donnees);
        }
        if (!pret)
            QThread::msleep(50);
    }
    XCloseDisplay(d);
    return pret;
#else
    (void)display;
    return false;
#endif
}

// The current test again in a process of its own, on an Xvfb screen of `ecran` ("1024x768")
// run by openbox; its output in `sortie`. Nothing when Xvfb or openbox cannot start, else
// whether it passed.
std::optional<bool> ExecuterSousOpenbox(const std::string& ecran, const fs::path& dossier, std::string& sortie)
{
    const lyrx_test::Xvfb serveur(ecran + "x24");
    if (serveur.Display().empty())
        return std::nullopt;
    const lyrx_test::ProgrammeLance gestionnaire({"openbox"}, {"DISPLAY=" + serveur.Display()});
    if (!gestionnaire.Lance() || !GestionnairePret(serveur.Display()))
        return std::nullopt;
    return lyrx_test::RelancerTestCourant("QT_QPA_PLATFORM=xcb DISPLAY=" + serveur.Display() + " " + kVariableEcran + "="
                                              + ecran,
                                          dossier / ("sortie-" + ecran + ".txt"), sortie);
}

// Lets the window system and the window manager work until `fait` holds, `ms` at most.
bool Attendre(const std::function<bool()>& fait, int ms = 3000)
{
    QElapsedTimer attente;
    attente.start();
    while (!fait() && attente.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return fait();
}

// A moment for the window manager to finish what it does as a window appears (framing,
// stacking, the program's own placing once the frame is known).
void Patienter()
{
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < 250) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// The frame as the window system has it (the widget's own copy may lag behind).
QRect Cadre(const QWidget* w) { return w->geometry().marginsAdded(MargesCadre(w)); }

bool Encadree(const QWidget* w)
{
    const QWindow* fenetre = w->windowHandle();
    return fenetre && fenetre->isExposed() && !fenetre->frameMargins().isNull();
}

std::string Nom(const QWidget* w)
{
    return w ? (w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString())
             : std::string("nothing");
}

class FenetresSousOpenbox : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        if (const char* v = std::getenv(kVariableEcran))
            ecran_ = v;
        if (ecran_.empty())
            return;
        // As the program installs them.
        InstallerMessageD();
        InstallerGardienEcran();
        InstallerAjustementLegendes();
        PreparerProgramme("English");
        OuvrirFenetre();
        ASSERT_TRUE(Attendre([&] { return Encadree(fenetre_.get()); }, 10000)) << "no window manager";
        // The speed trainer opens only with a sequencer; the player stays a silent one.
        MidiDisponible = true;
    }

    void TearDown() override
    {
        if (!ecran_.empty())
            FermerFenetre();
    }

    // In the parent process: the test again on each screen, under openbox.
    void SurChaqueEcran()
    {
        const lyrx_test::DossierTemporaire dossier("lyrx-openbox");
        for (const std::string ecran : {"1024x768", "1280x900"}) {
            std::string sortie;
            const std::optional<bool> reussi = ExecuterSousOpenbox(ecran, dossier.Chemin(), sortie);
            if (!reussi)
                GTEST_SKIP() << "no Xvfb, openbox or Xlib";
            EXPECT_TRUE(*reussi) << ecran << ":\n" << sortie;
        }
    }

    QAction* Item(const char* nom) const
    {
        auto* a = fenetre_->findChild<QAction*>(QString::fromLatin1(nom));
        EXPECT_TRUE(a) << nom;
        return a;
    }

    void ChoisirLangue(const char* debut)
    {
        const auto l = std::find_if(ListeLangues.begin(), ListeLangues.end(),
                                    [&](const std::string& nom) { return nom.rfind(debut, 0) == 0; });
        ASSERT_NE(l, ListeLangues.end()) << debut;
        fenetre_->Mn_Options_LangueLogNClick(static_cast<int>(l - ListeLangues.begin()));
    }

    std::vector<QWidget*> Palettes() const
    {
        return {&residentes_->ClassForm, &residentes_->DynaForm, &residentes_->Assistant_Bat_Form};
    }

    // The three palettes open as the user opens them (those not open yet), then each moved over
    // the middle of the screen.
    void OuvrirLesPalettesAuMilieu()
    {
        if (!residentes_->ClassForm.isVisible())
            Item("Mn_Ass_Solfege")->trigger();
        if (!residentes_->DynaForm.isVisible())
            fenetre_->findChild<QToolButton*>(QStringLiteral("BT_DynaForm"))->click();
        if (!residentes_->Assistant_Bat_Form.isVisible())
            fenetre_->BoutonPiste(kPistePercussions)->click();
        const QPoint milieu = Milieu();
        for (QWidget* palette : Palettes()) {
            ASSERT_TRUE(Attendre([&] { return Encadree(palette); })) << Nom(palette);
            palette->move(palette->pos() + milieu - Cadre(palette).center());
            ASSERT_TRUE(Attendre([&] { return Cadre(palette).contains(milieu); })) << Nom(palette);
        }
        Patienter();
    }

    QPoint Milieu() const { return QGuiApplication::primaryScreen()->availableGeometry().center(); }

    // The window at the middle of the screen is `w`, above every palette open there.
    void VerifierAuDessus(const QWidget* w)
    {
        const QPoint milieu = Milieu();
        EXPECT_TRUE(Cadre(w).contains(milieu)) << Nom(w);
        int ouvertes = 0;
        for (const QWidget* palette : Palettes())
            if (palette->isVisible()) {
                ++ouvertes;
                EXPECT_TRUE(Cadre(palette).contains(milieu)) << Nom(palette);
            }
        EXPECT_GE(ouvertes, 2);
        EXPECT_EQ(QApplication::topLevelAt(milieu), w) << Nom(w) << " is below " << Nom(QApplication::topLevelAt(milieu));
    }

    // Opens a dialog or box by `item`, answering the modal windows with `avant` first (a file
    // dialog that leads to it), then checks the last one, framed and settled, with `verifier`
    // before closing it.
    void Ouvrir(const char* item, const std::function<void(QWidget*)>& verifier,
                std::vector<std::function<void(QWidget*)>> avant = {})
    {
        SCOPED_TRACE(item);
        const std::size_t attendus = avant.size() + 1;
        avant.push_back([&](QWidget* w) {
            if (Attendre([&] { return Encadree(w); })) {
                Patienter();
                verifier(w);
            } else {
                ADD_FAILURE() << Nom(w) << " never framed";
            }
            lyrx_test::Fermer(w);
        });
        lyrx_test::RepondeurModal repondeur(std::move(avant));
        Item(item)->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(repondeur.Vus.size(), attendus);
    }

    std::string ecran_;
};

// A MIDI file to import, chosen in the import's file dialog.
std::function<void(QWidget*)> ChoisirMidi()
{
    return [](QWidget* w) {
        auto* dialogue = qobject_cast<QFileDialog*>(w);
        ASSERT_TRUE(dialogue);
        dialogue->selectFile(QString::fromStdString(std::string(LYRX_SOURCE_DIR)
                                                    + "/tests/fuzz/corpus/ImportMidiFuzz/format1.mid"));
        QTimer::singleShot(0, dialogue, [dialogue] { QMetaObject::invokeMethod(dialogue, "accept"); });
    };
}

TEST_F(FenetresSousOpenbox, DialogsAndBoxesStandAboveThePalettes)
{
    if (ecran_.empty()) {
        SurChaqueEcran();
        return;
    }
    const auto dessus = [&](QWidget* w) { VerifierAuDessus(w); };
    for (const char* langue : {"English", "Fran"}) {
        SCOPED_TRACE(langue);
        ChoisirLangue(langue);
        OuvrirLesPalettesAuMilieu();
        // Above the main window.
        EXPECT_NE(QApplication::topLevelAt(Milieu()), fenetre_.get());
        Ouvrir("Mn_Fichier_Proprietes", dessus);
        Ouvrir("Mn_Options_Preferences", dessus);
        Ouvrir("Mn_Fichier_Ouvrir", dessus);
        Ouvrir("Mn_Fichier_EnregistrerSous", dessus);
        Ouvrir("Mn_Fichier_ConfigImp", dessus);
        Ouvrir("Mn_Edition_Couper", dessus);
        Ouvrir("Mn_Ass_SpeedTrainer", dessus);
        Ouvrir("Mn_Fichier_Parcourir", dessus);
        Ouvrir("Mn_Ass_VerifierDureeMesures", dessus);
        // Last: the import starts a new song on track 1, without the drum palette.
        Ouvrir("Mn_Fichier_ImporterMIDI", dessus, {ChoisirMidi()});
    }
}

TEST_F(FenetresSousOpenbox, DialogsOpenCentredAtTheSamePlaceEachTime)
{
    if (ecran_.empty()) {
        SurChaqueEcran();
        return;
    }
    const QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* langue : {"English", "Fran"}) {
        SCOPED_TRACE(langue);
        ChoisirLangue(langue);
        std::map<std::string, QRect> places;
        const auto centree = [&](QWidget* w) {
            const QRect cadre = Cadre(w);
            EXPECT_NEAR(cadre.center().x(), zone.center().x(), 1) << Nom(w) << " at " << cadre.x() << "," << cadre.y();
            EXPECT_NEAR(cadre.center().y(), zone.center().y(), 1) << Nom(w) << " at " << cadre.x() << "," << cadre.y();
            const auto [place, nouvelle] = places.emplace(Nom(w), cadre);
            if (!nouvelle) {
                EXPECT_EQ(place->second, cadre) << Nom(w) << " moved since its last opening";
            }
        };
        for (int fois = 0; fois < 2; ++fois) {
            Ouvrir("Mn_Fichier_Proprietes", centree);
            Ouvrir("Mn_Options_Preferences", centree);
            Ouvrir("Mn_Ass_SpeedTrainer", centree);
            Ouvrir("Mn_Fichier_ImporterMIDI", centree, {ChoisirMidi()});
            Ouvrir("Mn_Edition_Couper", centree);
            // The box asking whether to save the changes, as New raises it.
            PartitionModifiee = true;
            PartitionVierge = false;
            Ouvrir("Mn_Fichier_Nouveau", centree);
            PartitionModifiee = false;
        }
    }
}

} // namespace
