// The windows the program block builds around the real main window: the palettes opened from
// their commands, and every window of the print folder reached from its menu item, with the
// windows that open one another (preferences and preview) and the ASCII import's refresh of
// the song.
#include "app/FixtureFenetrePrincipale.h"
#include "app/RepondeurModal.h"
#include "app/DialoguesFichiersQt.h"
#include "controls/CxEdit.h"
#include "controls/CxFilSys.h"
#include "app/Programme.h"
#include "app/CommandesFenetre.h"
#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/Fichiers.h"
#include "document/Routines.h"
#include "document/FichierPartition.h"
#include "platform/FileReplacement.h"
#include "dialogs/Accordages.h"
#include "dialogs/Classiq.h"
#include "dialogs/DlgPrint.h"
#include "dialogs/Sais_par.h"
#include "dialogs/SelMIDI.h"
#include "dialogs/SpeedT.h"
#include "dialogs/Transpo.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "editor/Fontes.h"
#include "midi/Doigte.h"
#include "midi/Lecture.h"
#include "print/Browse.h"
#include "print/BrowseLogique.h"
#include "print/ImpASCII.h"
#include "print/Pref.h"
#include "print/PrefImpression.h"
#include "print/PrefLogique.h"
#include "print/ChansonImpression.h"
#include "print/TravailImpression.h"
#include "print/preview.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QProcess>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <algorithm>
#include <vector>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using lyrx_test::Fermer;
using lyrx_test::RepondeurModal;

// What a window shows in words, by control name: its title, captions, tab titles and list
// entries.
std::map<QString, QStringList> Textes(const QWidget& w)
{
    std::map<QString, QStringList> textes{{QStringLiteral("(title)"), {w.windowTitle()}}};
    for (const QWidget* e : w.findChildren<QWidget*>()) {
        QStringList& t = textes[e->objectName()];
        if (auto* l = qobject_cast<const QLabel*>(e))
            t << l->text();
        else if (auto* b = qobject_cast<const QAbstractButton*>(e))
            t << b->text();
        else if (auto* g = qobject_cast<const QGroupBox*>(e))
            t << g->title();
        else if (auto* barre = qobject_cast<const QTabBar*>(e))
            for (int i = 0; i < barre->count(); ++i)
                t << barre->tabText(i);
        else if (auto* liste = qobject_cast<const QComboBox*>(e))
            for (int i = 0; i < liste->count(); ++i)
                t << liste->itemText(i);
    }
    return textes;
}

// What a dialog shows in words while it is shown (without its modal loop).
std::map<QString, QStringList> TextesAffiches(QDialog& d)
{
    d.show();
    QCoreApplication::processEvents();
    std::map<QString, QStringList> textes = Textes(d);
    d.hide();
    return textes;
}

class FenetresProgramme : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    void SetUp() override
    {
        PreparerProgramme("English");
        FichierAide.clear();
        OuvrirFenetre();
    }

    void TearDown() override { FermerFenetre(); }

    template <class T>
    T* Enfant(const char* nom)
    {
        T* e = fenetre_->findChild<T*>(QString::fromLatin1(nom));
        EXPECT_TRUE(e) << nom;
        return e;
    }

};

TEST_F(FenetresProgramme, ResidentWindowsAreTheEditorsAndBelongToTheMainWindow)
{
    EXPECT_EQ(Saisie().ClassForm, &residentes_->ClassForm);
    EXPECT_EQ(Saisie().Assistant_Bat_Form, &residentes_->Assistant_Bat_Form);
    EXPECT_EQ(Saisie().DynaForm, &residentes_->DynaForm);
    EXPECT_EQ(Saisie().SpeedT_Form, &residentes_->SpeedT_Form);
    EXPECT_EQ(Saisie().Sais_Partition, &residentes_->Sais_Partition);
    EXPECT_EQ(Saisie().SelMIDIForm, &residentes_->SelMIDIForm);
    for (QWidget* w : std::initializer_list<QWidget*>{&residentes_->ClassForm, &residentes_->Assistant_Bat_Form,
                                                      &residentes_->DynaForm})
        EXPECT_EQ(w->parentWidget(), fenetre_.get()) << w->objectName().toStdString();
}

// The song properties, MIDI import and speed trainer dialogs are made at start without their
// controls, which they build when first shown: the start pays nothing for them, and they then
// show what they would show built at once, in the language chosen since (each in the one that
// is not its built-in captions'), with the presets the start filled in. What only changes their
// controls meanwhile waits for them, and no entry point needs them (each works on the state the
// controls are then built from); the fingering weights the import dialog keeps are in force
// from its creation. The staff palette, which every command refresh may draw, has its controls
// from the start.
TEST_F(FenetresProgramme, ResidentWindowsBuildTheirControlsWhenFirstShown)
{
    TSais_Partition& proprietes = residentes_->Sais_Partition;
    TSelMIDIForm& import = residentes_->SelMIDIForm;
    TSpeedT_Form& entrainement = residentes_->SpeedT_Form;
    TClassForm& portee = residentes_->ClassForm;
    EXPECT_FALSE(proprietes.ControlesConstruits());
    EXPECT_FALSE(import.ControlesConstruits());
    EXPECT_FALSE(entrainement.ControlesConstruits());
    ASSERT_TRUE(portee.Image1);
    ASSERT_GT(NbModelesAccordage, 0);
    ViderChampsSpeedTrainer();
    proprietes.ActiverControlesLecture(true);
    proprietes.ActiverControlesLecture(false);
    proprietes.ActualiserCordesPiste();
    proprietes.JouerCordesPiste();
    EXPECT_FALSE(proprietes.BoutonEcouteEnfonce());
    EXPECT_FALSE(import.BoutonEcouteEnfonce());
    EXPECT_FALSE(import.RelancerAudition());
    import.LirePoidsDoigte();
    entrainement.Repetition(3).Tick();
    EXPECT_EQ(entrainement.ValeurMesDeb(), 0);
    EXPECT_EQ(entrainement.ValeurVariation(), 0);
    portee.DessinerPortee();
    EXPECT_FALSE(proprietes.ControlesConstruits());
    EXPECT_FALSE(import.ControlesConstruits());
    EXPECT_FALSE(entrainement.ControlesConstruits());

    const auto choisirLangue = [&](const char* debut) {
        const auto l = std::find_if(ListeLangues.begin(), ListeLangues.end(),
                                    [&](const std::string& nom) { return nom.rfind(debut, 0) == 0; });
        ASSERT_NE(l, ListeLangues.end()) << debut;
        fenetre_->Mn_Options_LangueLogNClick(static_cast<int>(l - ListeLangues.begin()));
        ASSERT_EQ(LangueCourante, *l);
    };
    choisirLangue("Fran");
    choisirLangue("English");

    std::map<QString, QStringList> vus;
    {
        RepondeurModal repondeur({[&](QWidget* w) {
            vus = Textes(*w);
            Fermer(w);
        }});
        Enfant<QAction>("Mn_Fichier_Proprietes")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
    }
    EXPECT_TRUE(proprietes.ControlesConstruits());
    TSais_Partition proprietesAussitot(fenetre_.get());
    proprietesAussitot.RemplirListeModeles();
    EXPECT_EQ(vus, TextesAffiches(proprietesAussitot));
    EXPECT_EQ(proprietes.ModeleList->count(), NbModelesAccordage);

    choisirLangue("Fran");
    vus = TextesAffiches(import);
    EXPECT_TRUE(import.ControlesConstruits());
    TSelMIDIForm importAussitot(fenetre_.get());
    importAussitot.RemplirListeModeles();
    EXPECT_EQ(vus, TextesAffiches(importAussitot));
    EXPECT_EQ(import.ModeleList->count(), NbModelesAccordage);

    vus = TextesAffiches(entrainement);
    EXPECT_TRUE(entrainement.ControlesConstruits());
    TSpeedT_Form entrainementAussitot(fenetre_.get());
    EXPECT_EQ(vus, TextesAffiches(entrainementAussitot));

    // The palette through its command, beside a new one: the same words, clefs and staff.
    Enfant<QAction>("Mn_Ass_Solfege")->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(portee.isVisible());
    TClassForm porteeAussitot(fenetre_.get());
    porteeAussitot.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Textes(portee), Textes(porteeAussitot));
    EXPECT_EQ(portee.BT_ClefSol->isChecked(), porteeAussitot.BT_ClefSol->isChecked());
    EXPECT_EQ(portee.BT_ClefFa->isChecked(), porteeAussitot.BT_ClefFa->isChecked());
    EXPECT_EQ(portee.Image1->Image, porteeAussitot.Image1->Image);
    EXPECT_EQ(portee.size(), porteeAussitot.size());
    porteeAussitot.hide();
    Enfant<QAction>("Mn_Ass_Solfege")->trigger();
    QCoreApplication::processEvents();

    const TPoidsDoigte poids = PoidsDoigte;
    PoidsDoigte = {};
    PoidsDoigte.PoidsAccord = 9;
    PoidsDoigte.PoidsDepassementFrette = 9;
    TSelMIDIForm differe(fenetre_.get(), Controles::AuPremierAffichage);
    EXPECT_EQ(PoidsDoigte.PoidsAccord, 0.5);
    EXPECT_EQ(PoidsDoigte.PoidsDepassementFrette, 1000.0);
    PoidsDoigte = poids;
}

TEST_F(FenetresProgramme, NotationCommandShowsAndHidesTheStaffPalette)
{
    TClassForm& palette = residentes_->ClassForm;
    ASSERT_FALSE(palette.isVisible());
    Enfant<QAction>("Mn_Ass_Solfege")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(palette.isVisible());
    EXPECT_TRUE(Commandes().Checked(Cmd::Ac_Ass_Solfege));
    EXPECT_TRUE(Enfant<QAction>("Mn_Ass_Solfege")->isChecked());

    Enfant<QToolButton>("Bt_Ass_Solfege")->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(palette.isVisible());
    EXPECT_FALSE(Commandes().Checked(Cmd::Ac_Ass_Solfege));
    EXPECT_FALSE(Enfant<QAction>("Mn_Ass_Solfege")->isChecked());
}

TEST_F(FenetresProgramme, DrumsCommandFollowsTheDrumTrack)
{
    TAssistant_Bat_Form& palette = residentes_->Assistant_Bat_Form;
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));

    fenetre_->BoutonPiste(kPistePercussions)->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(PisteCourante, kPistePercussions);
    EXPECT_TRUE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
    const bool ouverte = palette.isVisible();
    EXPECT_EQ(Commandes().Checked(Cmd::Ac_Ass_Percussion), ouverte);

    // The command shows or hides it, its check mark following.
    Enfant<QAction>("Mn_Ass_Percussion")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(palette.isVisible(), !ouverte);
    EXPECT_EQ(Commandes().Checked(Cmd::Ac_Ass_Percussion), !ouverte);
    if (!palette.isVisible()) {
        Enfant<QAction>("Mn_Ass_Percussion")->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(palette.isVisible());
    }

    // Leaving the drum track closes it and turns the command off.
    fenetre_->BoutonPiste(1)->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(palette.isVisible());
    EXPECT_FALSE(Commandes().Enabled(Cmd::Ac_Ass_Percussion));
}

TEST_F(FenetresProgramme, EachPrintFolderWindowOpensFromItsMenuItem)
{
    struct {
        const char* item;
        const char* fenetre;
    } cas[] = {{"Mn_Aide_APropos", "TAproposForm"},          {"Mn_Options_Preferences", "TPref_Form"},
               {"Mn_Fichier_ExporterASCII", "TTestASCIForm"}, {"Mn_Fichier_ImporterASCII", "TImpASCIIForm"},
               {"Mn_Fichier_ApercuImp", "TPreview_Form"},     {"Mn_Fichier_Parcourir", "TBrowseForm"}};
    for (const auto& c : cas) {
        RepondeurModal repondeur({Fermer});
        QAction* item = Enfant<QAction>(c.item);
        ASSERT_TRUE(item);
        ASSERT_TRUE(item->isEnabled()) << c.item;
        item->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u) << c.item;
        EXPECT_EQ(repondeur.Vus[0].toStdString(), c.fenetre);
        // Each window is modal over the main window, and gone once closed.
        EXPECT_FALSE(QApplication::activeModalWidget()) << c.item;
        EXPECT_FALSE(PrefOuvert);
        EXPECT_FALSE(ApercuOuvert);
    }
    // The browser gives the window its editing layout back.
    EXPECT_FALSE(ParcoursEnCours);
}

TEST_F(FenetresProgramme, PreviewAndPreferencesOpenEachOther)
{
    // Preview -> its set-up button -> the preferences on their printing page -> Cancel.
    int pageVue = -1;
    bool apercuSousPreferences = false;
    {
        RepondeurModal repondeur({[](QWidget* w) {
                                      auto* apercu = static_cast<TPreview_Form*>(w);
                                      QTimer::singleShot(0, apercu->BT_Setup, &QPushButton::click);
                                  },
                                  [&](QWidget* w) {
                                      auto* pref = static_cast<TPref_Form*>(w);
                                      pageVue = pref->PageControle->currentIndex();
                                      apercuSousPreferences = ApercuOuvert && PrefOuvert;
                                      Fermer(w);
                                  },
                                  [](QWidget* w) { Fermer(w); }});
        Enfant<QAction>("Mn_Fichier_ApercuImp")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 3u);
        EXPECT_EQ(repondeur.Vus[0], "TPreview_Form");
        EXPECT_EQ(repondeur.Vus[1], "TPref_Form");
        EXPECT_EQ(repondeur.Vus[2], "TPreview_Form");
    }
    EXPECT_EQ(pageVue, static_cast<int>(PagePreferences::Impression));
    EXPECT_TRUE(apercuSousPreferences);

    // Preferences -> the printing page's Preview button -> a preview -> closed -> Cancel: the
    // print settings the preview was drawn with are put back.
    const TZoneImpression avant = ParamImpCourant;
    {
        RepondeurModal repondeur({[](QWidget* w) {
                                      auto* pref = static_cast<TPref_Form*>(w);
                                      pref->PageControle->setCurrentIndex(2);
                                      QTimer::singleShot(0, pref->Printing->BT_Look_Prt, &QPushButton::click);
                                  },
                                  [](QWidget* w) { Fermer(w); },
                                  [](QWidget* w) { Fermer(w); }});
        Enfant<QAction>("Mn_Options_Preferences")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 3u);
        EXPECT_EQ(repondeur.Vus[0], "TPref_Form");
        EXPECT_EQ(repondeur.Vus[1], "TPreview_Form");
        EXPECT_EQ(repondeur.Vus[2], "TPref_Form");
    }
    EXPECT_FALSE(PrefOuvert);
    EXPECT_FALSE(ApercuOuvert);
    EXPECT_EQ(ParamImpCourant.ModeApercu, avant.ModeApercu);
}

TEST_F(FenetresProgramme, AFailedPrintIsToldAndTheNextPrintWorksWithoutARestart)
{
    std::vector<MessageAffiche> messages;
    const AfficheurMessages ancien = InstallerAfficheurMessages([&messages](const MessageAffiche& m) {
        messages.push_back(m);
        return ResultatOK;
    });
    // The print dialog's OK, after noting the printer it names.
    QString nomVu;
    const auto ok = [&nomVu](QWidget* w) {
        auto* f = static_cast<TPrintForm*>(w);
        nomVu = f->LabelImp->text();
        QTimer::singleShot(0, f->BT_OK, &QPushButton::click);
    };

    // A machine without a printer: PDF mode and no file chosen yet.
    Imprimante().setOutputFormat(QPrinter::PdfFormat);
    Imprimante().setOutputFileName(QString());
    {
        RepondeurModal repondeur({ok});
        Enfant<QAction>("Mn_Fichier_Imprimer")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
        EXPECT_EQ(repondeur.Vus[0], "TPrintForm");
    }
    // The dialog said so before OK.
    EXPECT_EQ(nomVu.toStdString(), Traduire("Imp-AucuneImprimanteChoisie"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, Traduire("Imp-AucuneImprimante"));
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    EXPECT_NE(Imprimante().printerState(), QPrinter::Active);

    // The set-up now chooses a file, which the printer takes; the preview's Print writes to a
    // device that refuses what is written.
    Imprimante().setOutputFileName(QStringLiteral("/dev/full"));
    ASSERT_EQ(Imprimante().outputFileName(), "/dev/full");
    messages.clear();
    {
        RepondeurModal repondeur({[](QWidget* w) {
                                      auto* apercu = static_cast<TPreview_Form*>(w);
                                      QTimer::singleShot(0, apercu->BT_Print, &QPushButton::click);
                                  },
                                  ok, [](QWidget* w) { Fermer(w); }});
        Enfant<QAction>("Mn_Fichier_ApercuImp")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 3u);
        EXPECT_EQ(repondeur.Vus[1], "TPrintForm");
    }
    EXPECT_EQ(nomVu, "/dev/full");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, FormaterMessage1(Traduire("Imp-FichierImpossible"), "/dev/full"));

    // A writable file: the same run prints, silently.
    const QString pdf = QString::fromStdString((dossier_ / "song.pdf").string());
    Imprimante().setOutputFileName(pdf);
    ASSERT_EQ(Imprimante().outputFileName(), pdf);
    messages.clear();
    {
        RepondeurModal repondeur({ok});
        Enfant<QAction>("Mn_Fichier_Imprimer")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
    }
    EXPECT_EQ(nomVu, pdf);
    EXPECT_TRUE(messages.empty());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    EXPECT_TRUE(octets.startsWith("%PDF"));
    EXPECT_TRUE(octets.contains("%%EOF"));

    Imprimante().setOutputFileName(QString());
    InstallerAfficheurMessages(ancien);
}

// A song of several pages writes more than the PDF writer holds back: a device that refuses
// the bytes fails the job part-way, with the writer's buffers full, not only at its end.
TEST_F(FenetresProgramme, APrintThatFailsPartWayLeavesThePrinterWorking)
{
    std::vector<MessageAffiche> messages;
    const AfficheurMessages ancien = InstallerAfficheurMessages([&messages](const MessageAffiche& m) {
        messages.push_back(m);
        return ResultatOK;
    });
    const auto ok = [](QWidget* w) {
        QTimer::singleShot(0, static_cast<TPrintForm*>(w)->BT_OK, &QPushButton::click);
    };
    const auto imprimer = [&] {
        RepondeurModal repondeur({ok});
        Enfant<QAction>("Mn_Fichier_Imprimer")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
    };
    const auto imprimerDepuisApercu = [&] {
        RepondeurModal repondeur({[](QWidget* w) {
                                      QTimer::singleShot(0, static_cast<TPreview_Form*>(w)->BT_Print,
                                                         &QPushButton::click);
                                  },
                                  ok, [](QWidget* w) { Fermer(w); }});
        Enfant<QAction>("Mn_Fichier_ApercuImp")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 3u);
    };
    const auto pagesPdf = [](const QString& chemin) {
        QFile f(chemin);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray pdf = f.readAll();
        if (!pdf.contains("%%EOF"))
            return -1;
        int n = 0;
        for (qsizetype i = pdf.indexOf("/Type /Page"); i >= 0; i = pdf.indexOf("/Type /Page", i + 1))
            n += pdf.mid(i, 12) != "/Type /Pages" ? 1 : 0;
        return n;
    };

    chanson_impression::Remplir(60);
    Imprimante().setOutputFormat(QPrinter::PdfFormat);
    Imprimante().setPageOrientation(QPageLayout::Landscape);
    Imprimante().setCopyCount(2);

    struct {
        const char* nom;
        bool apercu;
    } cas[] = {{"print command", false}, {"preview", true}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        messages.clear();
        Imprimante().setOutputFileName(QStringLiteral("/dev/full"));
        c.apercu ? imprimerDepuisApercu() : imprimer();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Texte, FormaterMessage1(Traduire("Imp-FichierImpossible"), "/dev/full"));

        // The user's choices outlive the failed job.
        EXPECT_EQ(Imprimante().outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(Imprimante().pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(Imprimante().copyCount(), 2);

        // The same run, a writable file: every page, silently, from both commands.
        for (bool apercu : {false, true}) {
            const QString pdf = QString::fromStdString(
                (dossier_ / (std::string(c.nom) + (apercu ? "-apercu" : "-commande") + ".pdf")).string());
            Imprimante().setOutputFileName(pdf);
            messages.clear();
            apercu ? imprimerDepuisApercu() : imprimer();
            EXPECT_TRUE(messages.empty()) << (messages.empty() ? std::string() : messages[0].Texte);
            EXPECT_GE(pagesPdf(pdf), 3) << pdf.toStdString();
        }
    }

    Imprimante().setOutputFileName(QString());
    Imprimante().setPageOrientation(QPageLayout::Portrait);
    Imprimante().setCopyCount(1);
    InstallerAfficheurMessages(ancien);
}

TEST_F(FenetresProgramme, AsciiImportFillsTheTrackAndNamesTheSongAfterItsFile)
{
    const fs::path fichier = dossier_ / "riff song.tab";
    std::ofstream(fichier) << "e|-0----1----|\n";
    PartitionModifiee = false;
    Curseur.Temps = 3;
    Curseur.Corde = 4;

    RepondeurModal repondeur({[&fichier](QWidget* w) {
        auto* f = static_cast<TImpASCIIForm*>(w);
        ASSERT_TRUE(f->ChargerFichierASCII(fichier.string()));
        QTimer::singleShot(0, f->BT_Importer, &QPushButton::click);
    }});
    Enfant<QAction>("Mn_Fichier_ImporterASCII")->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(repondeur.Vus.size(), 1u);

    EXPECT_EQ(Partition.Titre, "Riff song");
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_EQ(Curseur.Temps, 1);
    EXPECT_EQ(Curseur.Corde, 1);
    ASSERT_TRUE(Partition.Mesures[1]);
    ASSERT_EQ(Partition.Mesures[1]->NbTemps[1], 2);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].Notes[6].Frette, 0);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][2].Notes[6].Frette, 1);
    EXPECT_TRUE(PartitionModifiee);
    EXPECT_FALSE(PartitionVierge);
    EXPECT_FALSE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
    EXPECT_EQ(PisteCourante, 1);
}

namespace {

// One whole note on string `corde` of track 1 in each of measures 1..n, the song then written
// to `chemin` and opened in the window.
void OuvrirChanson(const std::string& chemin, const std::vector<std::vector<std::pair<int, int>>>& mesures)
{
    ReinitialiserPartition();
    for (std::size_t m = 1; m <= mesures.size(); ++m) {
        if (m > 1) {
            Partition.Mesures[m] = std::make_unique<TMesure>();
            *Partition.Mesures[m] = *Partition.Mesures[1];
        }
        TMesure& bloc = *Partition.Mesures[m];
        bloc.NbTemps[1] = 1;
        bloc.Temps[1][1] = TTemps{};
        bloc.Temps[1][1].Duree = 4 * kTicksNoire;
        bloc.Temps[1][1].CodeDuree = -2;
        for (const auto& [corde, frette] : mesures[m - 1])
            bloc.Temps[1][1].Notes[corde].Frette = static_cast<int8_t>(frette);
    }
    Partition.NbMesures = static_cast<int32_t>(mesures.size());
    ASSERT_TRUE(platform::ReplaceFile(chemin, ImageFichierPartition()));
    ASSERT_TRUE(OuvrirPartition(chemin));
    QCoreApplication::processEvents();
}

// The frets of beat 1 of a measure of track 1, string 1 first ("." none), "rest" for a rest.
std::string Frettes(int m)
{
    const TTemps& tp = Partition.Mesures[m]->Temps[1][1];
    if (tp.Silence)
        return "rest";
    std::string r;
    for (int s = 1; s <= Partition.NbCordes[1]; ++s)
        r += (s > 1 ? " " : "") + (tp.Notes[s].Frette < 0 ? std::string(".") : std::to_string(tp.Notes[s].Frette));
    return r;
}

// The one warning box an edit showed with `texte`; none when `texte` is empty.
void VerifierAvertissement(const std::vector<MessageAffiche>& messages, const std::string& texte)
{
    if (texte.empty()) {
        EXPECT_TRUE(messages.empty());
        return;
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Legende, "Warning");
    EXPECT_EQ(messages[0].Icone, IconeAvertissement);
    EXPECT_EQ(messages[0].Texte, texte);
}

} // namespace

// A file picked in the ASCII import's open dialog that is not text (random bytes, a song
// file picked under "All files", bytes thick with control characters) is refused as it is
// loaded, and the song keeps its track and its title; text in the Windows code page is text.
TEST_F(FenetresProgramme, AsciiImportRefusesAFileThatIsNotText)
{
    EnregistreurMessages messages;
    const fs::path chanson = dossier_ / "song.lrx";
    OuvrirChanson(chanson.string(), {{{1, 5}}, {{2, 7}}, {{3, 9}}});
    Partition.Titre = "My song";

    std::string aleatoire(4096, '\0');
    uint32_t graine = 12345;
    for (char& c : aleatoire) {
        graine = graine * 1103515245u + 12345u;
        c = static_cast<char>(graine >> 24);
    }
    std::string controles;
    for (int i = 0; i < 40; ++i)
        controles += i % 4 == 0 ? "\x1B\x02-" : "-3-|";
    std::string octetsChanson;
    {
        std::ifstream in(chanson, std::ios::binary);
        octetsChanson.assign(std::istreambuf_iterator<char>(in), {});
    }
    const struct {
        const char* nom;
        std::string octets;
        bool texte;
    } cas[] = {
        {"random.tab", aleatoire, false},
        {"song.lrx", octetsChanson, false},
        {"controls.tab", controles, false},
        {"windows.tab", "Intro \xE9t\xE9 \x96 caf\xE9\r\n\te|-0-|\f\r\n", true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const fs::path fichier = dossier_ / c.nom;
        if (fichier != chanson)
            std::ofstream(fichier, std::ios::binary) << c.octets;
        messages.Messages.clear();
        QString memo, titre;
        RepondeurModal repondeur({[](QWidget* w) {
                                      auto* f = static_cast<TImpASCIIForm*>(w);
                                      QTimer::singleShot(0, f->BT_Ouvrir, &QToolButton::click);
                                  },
                                  [&fichier](QWidget* w) {
                                      auto* d = qobject_cast<QFileDialog*>(w);
                                      ASSERT_TRUE(d);
                                      d->selectFile(QString::fromStdString(fichier.string()));
                                      static_cast<QDialog*>(d)->accept();
                                  },
                                  // Once the file is loaded or refused, which the window
                                  // does after the open dialog has closed.
                                  [&](QWidget* w) {
                                      auto* f = static_cast<TImpASCIIForm*>(w);
                                      auto* attente = new QTimer(f);
                                      QObject::connect(attente, &QTimer::timeout, f, [&, f, attente] {
                                          if (messages.Messages.empty() && f->FichierCharge.empty())
                                              return;
                                          attente->stop();
                                          memo = f->MemoASCII->toPlainText();
                                          titre = f->windowTitle();
                                          f->BT_Annuler->click();
                                      });
                                      attente->start(5);
                                  }});
        Enfant<QAction>("Mn_Fichier_ImporterASCII")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 3u);
        if (c.texte) {
            EXPECT_TRUE(messages.Messages.empty());
            EXPECT_EQ(memo, QString::fromUtf8("Intro \u00e9t\u00e9 \u2013 caf\u00e9\n\te|-0-|\f"));
            EXPECT_EQ(titre, "ASCII tablature import - windows.tab");
        } else {
            ASSERT_EQ(messages.Messages.size(), 1u);
            EXPECT_EQ(messages.Messages[0].Legende, "Error");
            EXPECT_EQ(messages.Messages[0].Texte, "The file cannot be read. Import cancelled.");
            EXPECT_TRUE(memo.isEmpty());
            EXPECT_EQ(titre, "ASCII tablature import");
        }
        EXPECT_EQ(Partition.Titre, "My song");
        ASSERT_EQ(Partition.NbMesures, 3);
        EXPECT_EQ(Frettes(1), "5 . . . . .");
        EXPECT_EQ(Frettes(3), ". . 9 . . .");
    }
}

// A fret above the highest a track holds is left out of an ASCII import, with the letter
// after it, and the box after the import says how many and from which bar, as the MIDI import
// does; a column left without a note keeps its time as a rest.
TEST_F(FenetresProgramme, AsciiImportLeavesOutFretsTheTrackCannotHoldAndSaysSo)
{
    EnregistreurMessages messages;
    OuvrirChanson((dossier_ / "song.lrx").string(), {{{1, 5}}});
    Configuration.TypeImport = 2; // quarter notes
    const struct {
        const char* nom;
        std::string texte;
        int piste;
        std::vector<std::string> frettes; // beat 1 of measures 1, 2, ...
        std::string message;              // none: no box
    } cas[] = {
        {"a fret of 25 alone in its column", "e|-0-|-25b-|-24-|\n", 1, {". . . . . 0", "rest", ". . . . . 24"},
         "1 note(s) from bar 2 on have a fret above the highest fret of the track and were left out."},
        {"the frets 60 and 99 of a chord",
         "e|-3-|-----|\nB|-60|-0---|\nG|-99|-0---|\n", 1, {". . . 3 . .", ". . . . 0 0"},
         "2 note(s) from bar 1 on have a fret above the highest fret of the track and were left out."},
        {"frets up to 24", "e|-0-12-24-|\n", 1, {". . . . . 0"}, ""},
        {"99 on the drums", "|-99-36-|\n", kPistePercussions, {}, ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        messages.Messages.clear();
        PisteCourante = c.piste;
        RepondeurModal repondeur({[&c](QWidget* w) {
            auto* f = static_cast<TImpASCIIForm*>(w);
            f->MemoASCII->setPlainText(QString::fromStdString(c.texte));
            QTimer::singleShot(0, f->BT_Importer, &QPushButton::click);
        }});
        Enfant<QAction>("Mn_Fichier_ImporterASCII")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
        if (c.piste == 1) {
            ASSERT_EQ(Partition.NbMesures, static_cast<int32_t>(c.frettes.size()));
            for (std::size_t m = 1; m <= c.frettes.size(); ++m)
                EXPECT_EQ(Frettes(static_cast<int>(m)), c.frettes[m - 1]) << "bar " << m;
        } else {
            EXPECT_EQ(Partition.Mesures[1]->Temps[c.piste][1].Notes[Partition.NbCordes[c.piste]].Frette, 99);
        }
        VerifierAvertissement(messages.Messages, c.message);
    }
    PisteCourante = 1;
}

// A transposition says how many notes no string could take any more, and from which bar, as
// the MIDI import does: those out of reach, and those whose only strings the chord's other
// notes took. The song: an open E chord, an open A chord, then fret 22 on the top string.
TEST_F(FenetresProgramme, TransposingTellsTheNotesItLeftOut)
{
    EnregistreurMessages messages;
    const struct {
        const char* demiTons;
        std::vector<int> notes; // kept in measures 1 to 3; 0: a rest
        std::string message;
    } cas[] = {
        // E2 B2 E3 G#3 B3 E4 an octave down: E1 and B1 lie below the low E, and E2 and G#2
        // both need the low E string. A2 E3 A3 C#4 E4: A1 lies below it, and E2, A2 and C#3
        // are left only the two lowest strings.
        {"-12", {3, 3, 1},
         "3 note(s) from bar 1 on are out of reach of the strings (below the lowest open string or above the highest "
         "fret) and were left out.\n\n"
         "2 note(s) from bar 1 on were left out: they sound together with other notes and no string able to play them "
         "was left free."},
        // Fret 22 of the top string three semitones up is above its 24th fret.
        {"+3", {6, 5, 0},
         "1 note(s) from bar 3 on are out of reach of the strings (below the lowest open string or above the highest "
         "fret) and were left out."},
        {"+2", {6, 5, 1}, ""},
    };
    const auto notes = [](int m) {
        const TTemps& tp = Partition.Mesures[m]->Temps[1][1];
        int n = 0;
        for (int s = 1; s <= Partition.NbCordes[1] && !tp.Silence; ++s)
            n += tp.Notes[s].Frette >= 0 ? 1 : 0;
        return n;
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.demiTons);
        OuvrirChanson((dossier_ / "chords.lrx").string(),
                      {{{6, 0}, {5, 2}, {4, 2}, {3, 1}, {2, 0}, {1, 0}}, {{5, 0}, {4, 2}, {3, 2}, {2, 2}, {1, 0}}, {{1, 22}}});
        messages.Messages.clear();
        RepondeurModal repondeur({[&c](QWidget* w) {
            auto* d = dynamic_cast<TTransposerForm*>(w);
            ASSERT_TRUE(d);
            d->Valeur->setCurrentIndex(d->Valeur->findText(c.demiTons));
            QTimer::singleShot(0, d->BT_OK, &QPushButton::click);
        }});
        Enfant<QAction>("Mn_Ass_Transposer")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
        for (int m = 1; m <= 3; ++m)
            EXPECT_EQ(notes(m), c.notes[static_cast<std::size_t>(m) - 1]) << "bar " << m;
        EXPECT_EQ(Partition.Mesures[3]->Temps[1][1].Silence, c.notes[2] == 0);
        VerifierAvertissement(messages.Messages, c.message);
    }
}

TEST_F(FenetresProgramme, ASongOpenedFromTheRecentListOrTheBrowserIsWhereTheNextFileDialogStarts)
{
    const QString avant = QDir::currentPath();
    const fs::path chanson = fs::path(LYRX_SOURCE_DIR) / "tests/document/data/petite_v221.lrx";
    const fs::path recents = dossier_ / "recent songs";
    fs::create_directories(recents);
    fs::copy_file(chanson, recents / "a.lrx");
    // The browser shows the test's folder, and lists this one's songs when asked for the
    // subfolders too.
    const fs::path parcourus = dossier_ / "browsed" / "songs";
    fs::create_directories(parcourus);
    fs::copy_file(chanson, parcourus / "b.lrx");

    // Where the next Open and Save As start, both cancelled.
    std::vector<QString> dossiers;
    TDialoguesFichiers::DefinirExecution([&dossiers](QFileDialog& d) -> std::optional<QString> {
        dossiers.push_back(d.directory().absolutePath());
        return std::nullopt;
    });
    const auto dossiersDesDialogues = [&] {
        dossiers.clear();
        Enfant<QAction>("Mn_Fichier_Ouvrir")->trigger();
        Enfant<QAction>("Mn_Fichier_EnregistrerSous")->trigger();
        return dossiers;
    };
    const auto deux = [](const fs::path& p) {
        const QString q = QString::fromStdString(p.string());
        return std::vector<QString>{q, q};
    };

    QDir::setCurrent(QDir::homePath());
    FichiersRecents[1] = (recents / "a.lrx").string();
    MajFichiersRecents();
    Enfant<QAction>("Mn_Fichier_DernierFichier1")->trigger();
    ASSERT_EQ(NomFichier, "a.lrx");
    EXPECT_EQ(dossiersDesDialogues(), deux(recents));

    QDir::setCurrent(QDir::homePath());
    {
        RepondeurModal repondeur({[](QWidget* w) {
            auto* parcours = static_cast<TBrowseForm*>(w);
            parcours->BT_ScannerSousRep->click();
            for (int k = 0; k < parcours->ListView1->topLevelItemCount(); ++k)
                if (parcours->ListView1->topLevelItem(k)->text(ColonneNom) == "b")
                    parcours->ListView1->setCurrentItem(parcours->ListView1->topLevelItem(k));
            Fermer(w);
        }});
        Enfant<QAction>("Mn_Fichier_Parcourir")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
    }
    ASSERT_EQ(NomFichier, "b.lrx");
    EXPECT_EQ(dossiersDesDialogues(), deux(parcourus));

    TDialoguesFichiers::DefinirExecution({});
    FichiersRecents[1].clear();
    QDir::setCurrent(avant);
}

// The browser's folder tree makes each folder it shows the working one, where the next file
// dialog starts. Once the browser is closed, Open starts in the folder of the last song opened
// all the same: the one opened before it when the browser read none, else the last one it read,
// whichever folder its tree showed last.
TEST_F(FenetresProgramme, AfterTheBrowserOpenStartsInTheFolderOfTheLastSongOpened)
{
    const QString avant = QDir::currentPath();
    const fs::path chanson = fs::path(LYRX_SOURCE_DIR) / "tests/document/data/petite_v221.lrx";
    const fs::path recents = dossier_ / "recent songs";
    const fs::path parcourus = dossier_ / "browsed";
    const fs::path ailleurs = dossier_ / "elsewhere";
    for (const fs::path& d : {recents, parcourus, ailleurs})
        fs::create_directories(d);
    fs::copy_file(chanson, recents / "a.lrx");
    fs::copy_file(chanson, parcourus / "b.lrx");

    std::vector<QString> dossiers;
    TDialoguesFichiers::DefinirExecution([&dossiers](QFileDialog& d) -> std::optional<QString> {
        dossiers.push_back(d.directory().absolutePath());
        return std::nullopt;
    });
    const auto montrer = [](TBrowseForm* parcours, const fs::path& dossier) {
        parcours->SystemTreeView1->SetDirectory(QByteArray::fromStdString(dossier.string()));
        QCoreApplication::processEvents();
    };
    struct Cas {
        const char* quoi;
        std::function<void(TBrowseForm*)> parcourir;
        fs::path depart; // where Open starts afterwards
    };
    const Cas cas[] = {
        {"no song read", [&](TBrowseForm* p) { montrer(p, ailleurs); }, recents},
        {"a song read, then another folder shown",
         [&](TBrowseForm* p) {
             montrer(p, parcourus);
             ASSERT_EQ(p->ListView1->topLevelItemCount(), 1);
             p->ListView1->setCurrentItem(p->ListView1->topLevelItem(0));
             ASSERT_EQ(NomFichier, "b.lrx");
             montrer(p, ailleurs);
         },
         parcourus},
    };
    for (const Cas& c : cas) {
        FichiersRecents[1] = (recents / "a.lrx").string();
        MajFichiersRecents();
        Enfant<QAction>("Mn_Fichier_DernierFichier1")->trigger();
        ASSERT_EQ(NomFichier, "a.lrx") << c.quoi;
        {
            RepondeurModal repondeur({[&c](QWidget* w) {
                c.parcourir(static_cast<TBrowseForm*>(w));
                Fermer(w);
            }});
            Enfant<QAction>("Mn_Fichier_Parcourir")->trigger();
            QCoreApplication::processEvents();
            ASSERT_EQ(repondeur.Vus.size(), 1u) << c.quoi;
        }
        dossiers.clear();
        Enfant<QAction>("Mn_Fichier_Ouvrir")->trigger();
        ASSERT_EQ(dossiers.size(), 1u) << c.quoi;
        EXPECT_EQ(dossiers[0], QString::fromStdString(c.depart.string())) << c.quoi;
    }

    TDialoguesFichiers::DefinirExecution({});
    FichiersRecents[1].clear();
    QDir::setCurrent(avant);
}

TEST_F(FenetresProgramme, HelpWithoutAHelpFileSaysWhichFileWasLookedFor)
{
    std::vector<MessageAffiche> messages;
    const AfficheurMessages ancien = InstallerAfficheurMessages([&messages](const MessageAffiche& m) {
        messages.push_back(m);
        return ResultatOK;
    });
    FichierAide = (dossier_ / "Lyrx_en.hlp").string();
    const std::string attendu = FormaterMessage1(Traduire("Gene-AideIntrouvable"), FichierAide);

    // The window's F1 and its Help menu.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(fenetre_->Ed_Invisible(), &f1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, attendu);
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    messages.clear();
    Enfant<QAction>("Mn_Aide_Index")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, attendu);

    // The Help button of dialogs of each kind: a topic of the preferences, the main window's
    // windows, the dialogs' shared button, the text tablature windows.
    for (const char* item : {"Mn_Options_Preferences", "Mn_Fichier_ApercuImp", "Mn_Fichier_Proprietes",
                             "Mn_Ass_Transposer", "Mn_Fichier_ExporterASCII", "Mn_Fichier_ImporterASCII"}) {
        SCOPED_TRACE(item);
        messages.clear();
        RepondeurModal repondeur({[](QWidget* w) {
            auto* aide = w->findChild<QPushButton*>(QStringLiteral("BT_Aide"));
            EXPECT_TRUE(aide);
            if (aide)
                aide->click();
            Fermer(w);
        }});
        Enfant<QAction>(item)->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(repondeur.Vus.size(), 1u);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Texte, attendu);
    }

    FichierAide.clear();
    InstallerAfficheurMessages(ancien);
}

// A help file that is there but that no program opens: F1 says so in a box naming the file,
// once the desktop's opener has given up, or at once when there is no opener at all; an
// opener that takes the file leaves no box. Nor does a viewer that the opener ran in the
// foreground and that fails or is killed once it has been open a while: that is no failure
// of the opener's.
TEST_F(FenetresProgramme, HelpThatNoProgramOpensSaysSoNamingTheFile)
{
    EnregistreurMessages messages;
    FichierAide = (dossier_ / "Lyrx_en.hlp").string();
    std::ofstream(FichierAide) << "help";
    const fs::path outils = dossier_ / "outils";
    fs::create_directory(outils);
    const fs::path ouverts = dossier_ / "ouverts";
    const fs::path fermer = dossier_ / "fermer";
    ASSERT_EQ(::mkfifo(fermer.c_str(), 0600), 0);
    lyrx_test::VariableEnvironnement path("PATH", outils.string());
    const std::string attendu = FormaterMessage1(Traduire("Gene-AideImpossibleAOuvrir"), FichierAide);
    int64_t maintenant = 0;
    InstallerHorlogeAide([&maintenant] { return maintenant; });

    const struct {
        const char* nom;
        std::optional<int> codeOuvreur; // none: no opener on the path
        bool minutePlusTard;            // it ends when the test closes it, a minute after its start
        bool boite;
    } cas[] = {
        {"an opener that shows the file", 0, false, false},
        {"an opener that finds no program for it", 3, false, true},
        {"an opener killed", 137, false, true},
        {"no opener", std::nullopt, false, true},
        {"a viewer run by the opener, closed on an error a minute later", 3, true, false},
        {"a viewer run by the opener, killed a minute later", 137, true, false},
        {"a viewer run by the opener, closed a minute later", 0, true, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        messages.Messages.clear();
        fs::remove(ouverts);
        fs::remove(outils / "xdg-open");
        if (c.codeOuvreur) {
            std::ofstream(outils / "xdg-open") << "#!/bin/sh\necho \"$1\" > '" << ouverts.string() << "'\n"
                                               << (c.minutePlusTard ? "read ligne < '" + fermer.string() + "'\n" : "")
                                               << (*c.codeOuvreur > 128 ? "kill -9 $$" : "exit " + std::to_string(*c.codeOuvreur))
                                               << "\n";
            fs::permissions(outils / "xdg-open", fs::perms::owner_all);
        }
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(fenetre_->Ed_Invisible(), &f1);
        QElapsedTimer attente;
        attente.start();
        if (c.minutePlusTard) {
            while (!fs::exists(ouverts) && attente.elapsed() < 20000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            maintenant += 60000;
            std::ofstream(fermer) << "\n"; // waits for the opener to read
        }
        // Until the opener has ended and its watcher is gone.
        while (!qApp->findChildren<QProcess*>(Qt::FindDirectChildrenOnly).isEmpty() && attente.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_TRUE(qApp->findChildren<QProcess*>(Qt::FindDirectChildrenOnly).isEmpty());
        if (c.codeOuvreur) {
            std::ifstream lu(ouverts);
            std::string recu;
            std::getline(lu, recu);
            EXPECT_EQ(recu, FichierAide);
        }
        if (c.boite) {
            ASSERT_EQ(messages.Messages.size(), 1u);
            EXPECT_EQ(messages.Messages[0].Texte, attendu);
            EXPECT_EQ(messages.Messages[0].Legende, Traduire("Dlg-Erreur"));
            EXPECT_EQ(messages.Messages[0].Icone, IconeErreur);
        } else {
            EXPECT_TRUE(messages.Messages.empty());
        }
    }
    InstallerHorlogeAide({});
    FichierAide.clear();
}

} // namespace
