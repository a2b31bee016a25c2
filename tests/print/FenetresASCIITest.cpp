// The export and import windows offscreen: captions, the page-width controls, saving with its
// questions and failures, printing, loading a text file, the duration settings, and the two
// commands the main window runs.
#include "print/ImpASCII.h"
#include "print/ImportASCII.h"
#include "print/OutilsASCII.h"
#include "print/TestASCI.h"

#include "ChansonASCII.h"
#include "document/Fichiers.h"
#include "document/Mess.h"
#include "print/ExportASCII.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <optional>

namespace {

namespace fs = std::filesystem;

class DialoguesFactices : public IDialoguesASCII {
public:
    std::optional<std::string> FichierExport; // nothing: the save dialog is cancelled
    std::optional<std::string> FichierImport;
    std::string Pdf;                          // empty: the printer dialog is cancelled
    std::string RepertoireRecu, NomRecu;
    int AppelsExport = 0;

    bool ChoisirFichierExport(QWidget*, const std::string& repertoire, const std::string& nom,
                              std::string& chemin) override
    {
        ++AppelsExport;
        RepertoireRecu = repertoire;
        NomRecu = nom;
        if (!FichierExport)
            return false;
        chemin = *FichierExport;
        return true;
    }
    bool ChoisirFichierImport(QWidget*, std::string& chemin) override
    {
        if (!FichierImport)
            return false;
        chemin = *FichierImport;
        return true;
    }
    bool ChoisirImprimante(QWidget*, QPrinter& imprimante) override
    {
        if (Pdf.empty())
            return false;
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(QString::fromStdString(Pdf));
        return true;
    }
};

std::string Contenu(const fs::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void Ecrire(const fs::path& chemin, const std::string& octets)
{
    std::ofstream f(chemin, std::ios::binary);
    f << octets;
}

void Touche(QWidget* w, int touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier, const QString& texte = {})
{
    QKeyEvent appui(QEvent::KeyPress, touche, modificateurs, texte);
    QApplication::sendEvent(w, &appui);
}

class FenetresASCII : public ChansonASCII {
protected:
    void SetUp() override
    {
        ChansonASCII::SetUp();
        InstallerDialoguesASCII(&dialogues);
        dossier = lyrx_test::DossierDuTest();
    }
    void TearDown() override
    {
        InstallerDialoguesASCII(nullptr);
        TableLangue.clear();
        DictionnaireLangue.clear();
        RaccourcisAuto = false;
        ChansonASCII::TearDown();
    }
    static void ChargerAnglais()
    {
        ASSERT_TRUE(ChargerTableLangue(std::string(LYRX_SOURCE_DIR) + "/data/English.lxl"));
        ConstruireDictionnaire();
    }

    DialoguesFactices dialogues;
    fs::path dossier;
};

} // namespace

// ---- Export window -------------------------------------------------------------------------

TEST_F(FenetresASCII, ExportWindowTakesItsCaptionsFromTheLanguageWithAccelerators)
{
    {
        TTestASCIForm sans;
        EXPECT_EQ(sans.BT_Enregistrer->text(), QStringLiteral("E&xporter"));
        EXPECT_EQ(sans.Lab_Colonne->text(), QStringLiteral("&Colonnes :"));
    }
    ChargerAnglais();
    TTestASCIForm f;
    EXPECT_EQ(f.objectName(), QStringLiteral("TTestASCIForm"));
    for (const char* nom : {"MemoASCII", "BT_Imprimer", "Lab_Colonne", "NbCol", "CVBUp", "CVBD", "BT_Repaginer",
                            "BT_Enregistrer", "BT_Annuler", "BT_Aide", "Default", "Timer1"})
        EXPECT_NE(f.findChild<QObject*>(QString::fromLatin1(nom)), nullptr) << nom;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("ASCII tablature export"));
    EXPECT_EQ(f.BT_Enregistrer->text(), QStringLiteral("&Export"));
    EXPECT_EQ(f.BT_Annuler->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(f.BT_Aide->text(), QStringLiteral("&Help"));
    EXPECT_EQ(f.Lab_Colonne->text(), QStringLiteral("C&olumns :"));
    EXPECT_EQ(f.BT_Imprimer->toolTip(), QStringLiteral("Print"));
    EXPECT_EQ(f.BT_Repaginer->toolTip(), QStringLiteral("Lay out the text again"));
    EXPECT_EQ(f.CVBUp->property("Tag").toInt(), 1);
    EXPECT_EQ(f.CVBD->property("Tag").toInt(), -1);
}

TEST_F(FenetresASCII, ShowingTheExportWindowPlacesItsButtonsAndShowsTheWidth)
{
    Configuration.NbColASCII = 120;
    TTestASCIForm f;
    ExporterASCII(f);
    f.show();
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("120"));
    EXPECT_EQ(f.Default->x(), -100);
    EXPECT_TRUE(f.FermetureAutorisee);
    EXPECT_TRUE(f.Default->isDefault());
    const int largeur = f.PanelBas->width();
    EXPECT_EQ(f.BT_Aide->geometry().right() + 1, largeur - LongueurEcranASCII(12));
    EXPECT_EQ(f.BT_Annuler->geometry().right() + 1, f.BT_Aide->x() - LongueurEcranASCII(8));
    EXPECT_EQ(f.BT_Enregistrer->geometry().right() + 1, f.BT_Annuler->x() - LongueurEcranASCII(8));
    f.resize(f.width() + 100, f.height());
    QApplication::processEvents();
    EXPECT_EQ(f.BT_Aide->geometry().right() + 1, f.PanelBas->width() - LongueurEcranASCII(12));
    // The text is in the memo, in the fixed-pitch font.
    EXPECT_TRUE(f.MemoASCII->font().fixedPitch());
    EXPECT_TRUE(f.MemoASCII->toPlainText().startsWith(QStringLiteral("    ")));
}

TEST_F(FenetresASCII, PageWidthFieldTakesDigitsAndStepsWithinItsRange)
{
    TTestASCIForm f;
    enum Action { Haut, Bas, ToucheHaut, ToucheBas, PavePlus, PaveMoins, Lettre, Chiffre };
    const struct {
        const char* avant;
        Action action;
        const char* apres;
    } cas[] = {
        {"80", Haut, "81"},      {"998", Haut, "999"},     {"999", Haut, "999"},   {"", Haut, ""},
        {"41", Bas, "40"},       {"40", Bas, "40"},        {"12", Bas, "12"},      {"", Bas, ""},
        {"80", ToucheHaut, "81"}, {"80", ToucheBas, "79"}, {"80", PavePlus, "81"}, {"80", PaveMoins, "79"},
        {"80", Lettre, "80"},    {"8", Chiffre, "85"},     {"805", Chiffre, "805"},
    };
    for (const auto& c : cas) {
        f.NbCol->setText(QString::fromLatin1(c.avant));
        f.NbCol->setCursorPosition(f.NbCol->text().size());
        switch (c.action) {
        case Haut: f.CVBUp->click(); break;
        case Bas: f.CVBD->click(); break;
        case ToucheHaut: Touche(f.NbCol, Qt::Key_Up); break;
        case ToucheBas: Touche(f.NbCol, Qt::Key_Down); break;
        case PavePlus: Touche(f.NbCol, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+")); break;
        case PaveMoins: Touche(f.NbCol, Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-")); break;
        case Lettre: Touche(f.NbCol, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")); break;
        case Chiffre: Touche(f.NbCol, Qt::Key_5, Qt::NoModifier, QStringLiteral("5")); break;
        }
        EXPECT_EQ(f.NbCol->text(), QString::fromLatin1(c.apres)) << c.avant << " action " << c.action;
    }
    EXPECT_EQ(f.NbCol->maxLength(), 3);
}

TEST_F(FenetresASCII, HoldingASpinButtonRepeatsFasterAndFaster)
{
    TTestASCIForm f;
    f.NbCol->setText(QStringLiteral("100"));
    f.CVBUpMouseDown();
    EXPECT_TRUE(f.Timer1->isActive());
    EXPECT_EQ(f.Timer1->interval(), 300);
    f.Timer1Timer();
    EXPECT_EQ(f.Timer1->interval(), 300);
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("101"));
    f.Timer1Timer();
    EXPECT_EQ(f.Timer1->interval(), 200);
    for (int k = 3; k <= 11; ++k)
        f.Timer1Timer();
    EXPECT_EQ(f.Timer1->interval(), 100);
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("111"));
    for (int k = 12; k <= 29; ++k)
        f.Timer1Timer();
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("129"));
    f.Timer1Timer(); // the 30th tick triples the step
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("132"));
    f.CVBUpMouseUp();
    EXPECT_FALSE(f.Timer1->isActive());

    f.NbCol->setText(QStringLiteral("5"));
    f.CVBDownMouseDown();
    f.Timer1Timer();
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("40")); // held within 40..999
    f.NbCol->setText(QStringLiteral("998"));
    f.CVBUpMouseDown();
    f.Timer1Timer();
    f.Timer1Timer();
    EXPECT_EQ(f.NbCol->text(), QStringLiteral("999"));
    f.NbCol->clear();
    f.Timer1Timer();
    EXPECT_EQ(f.NbCol->text(), QString());
    f.CVBUpMouseUp();
}

TEST_F(FenetresASCII, RefreshTakesTheWidthIntoTheSettingsAndRendersAgain)
{
    Partition.Titre = "T";
    TTestASCIForm f;
    const struct {
        const char* saisi;
        const char* champ;
        int32_t largeur;
    } cas[] = {{"", "80", 80}, {"12", "40", 40}, {"0", "40", 40}, {"132", "132", 132}};
    for (const auto& c : cas) {
        f.NbCol->setText(QString::fromLatin1(c.saisi));
        f.BT_Repaginer->click();
        EXPECT_EQ(f.NbCol->text(), QString::fromLatin1(c.champ));
        EXPECT_EQ(Configuration.NbColASCII, c.largeur);
        EXPECT_EQ(f.MemoASCII->toPlainText().split(QLatin1Char('\n')).first().size(), c.largeur);
    }
}

TEST_F(FenetresASCII, TheSaveDialogProposesTheSongsNameInLowerCaseOrItsTitle)
{
    const struct {
        const char* chemin;
        const char* nom;
        const char* titre;
        const char* repertoire;
        const char* propose;
    } cas[] = {
        {"/music/songs/My Song.LRX", "My Song.LRX", "", "/music/songs", "my song.tab"},
        {"/music/ab", "ab", "", "/music", "ab.tab"},
        {"/music/x.longext", "x.longext", "", "/music", "x.tab"},
        {"", "", "AC/DC: Live?", "", "AC_DC_ Live_.tab"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cas) {
        CheminFichier = c.chemin;
        NomFichier = c.nom;
        Partition.Titre = c.titre;
        EXPECT_EQ(TTestASCIForm::RepertoirePropose(), c.repertoire) << c.chemin;
        EXPECT_EQ(TTestASCIForm::NomPropose(), c.propose) << c.chemin;
    }
    CheminFichier.clear();
    NomFichier.clear();
}

TEST_F(FenetresASCII, SavingWritesTheEditedMemoAndClosesOnlyAfterSuccess)
{
    ChargerAnglais();
    EnregistreurMessages messages;
    const fs::path cible = dossier / "out.tab";

    TTestASCIForm f;
    ExporterASCII(f);
    f.MemoASCII->setPlainText(QStringLiteral("E|--\u00e9--|\n\nend"));
    f.show();

    // Cancelled save dialog: nothing written, the window stays.
    f.BT_Enregistrer->click();
    EXPECT_EQ(dialogues.AppelsExport, 1);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(fs::exists(cible));
    EXPECT_TRUE(f.FermetureAutorisee); // the refused close made way for the next one

    // A file that cannot be written: the error box, the window stays.
    dialogues.FichierExport = (dossier / "missing" / "out.tab").string();
    f.BT_Enregistrer->click();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Texte, "The file cannot be written. Export cancelled.");
    EXPECT_TRUE(f.isVisible());

    // An existing file and the answer No: untouched, the window stays.
    Ecrire(cible, "old");
    dialogues.FichierExport = cible.string();
    messages.Reponses = {ResultatNon};
    f.BT_Enregistrer->click();
    ASSERT_EQ(messages.Messages.size(), 2u);
    EXPECT_EQ(messages.Messages[1].Legende, "Warning");
    EXPECT_EQ(messages.Messages[1].Boutons, BoutonOui | BoutonNon);
    EXPECT_EQ(messages.Messages[1].BoutonDefaut, DefautNon);
    EXPECT_EQ(Contenu(cible), "old");
    EXPECT_TRUE(f.isVisible());

    // Yes: the memo as edited, in Windows-1252 with CR LF, and the window closes with OK.
    messages.Reponses = {ResultatOui};
    f.BT_Enregistrer->click();
    EXPECT_EQ(Contenu(cible), "E|--\xE9--|\r\n\r\nend\r\n");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(FenetresASCII, PrintingSendsTheMemoPageByPage)
{
    EXPECT_EQ(PaginerASCII({}, 10).size(), 0u);
    EXPECT_EQ(PaginerASCII({"a", "b", "c"}, 2).size(), 2u);
    EXPECT_EQ(PaginerASCII({"a", "b", "c"}, 0).size(), 3u);
    EXPECT_EQ(PaginerASCII({"a", "b", "c"}, 3).front(), QStringList({"a", "b", "c"}));

    TTestASCIForm f;
    QStringList lignes;
    for (int k = 0; k < 300; ++k)
        lignes.push_back(QStringLiteral("E|--%1--|").arg(k));
    f.MemoASCII->setPlainText(lignes.join(QLatin1Char('\n')));

    f.BT_ImprimerClick(); // the printer dialog cancelled
    const fs::path pdf = dossier / "out.pdf";
    EXPECT_FALSE(fs::exists(pdf));

    dialogues.Pdf = pdf.string();
    f.BT_Imprimer->click();
    const std::string octets = Contenu(pdf);
    ASSERT_TRUE(octets.starts_with("%PDF"));
    std::size_t pages = 0;
    for (std::size_t p = octets.find("/Type /Page\n"); p != std::string::npos; p = octets.find("/Type /Page\n", p + 1))
        ++pages;
    for (std::size_t p = octets.find("/Type /Page "); p != std::string::npos; p = octets.find("/Type /Page ", p + 1))
        ++pages;
    EXPECT_GE(pages, 2u); // 300 lines of 8.25 points do not fit on one page
}

TEST_F(FenetresASCII, TheExportCommandShowsTheRenderedTrack)
{
    AjouterTempsASCII(1, 0, false, {{1, 5}});
    QString texte;
    QTimer::singleShot(0, [&texte] {
        if (auto* f = qobject_cast<TTestASCIForm*>(QApplication::activeModalWidget())) {
            texte = f->MemoASCII->toPlainText();
            f->BT_Annuler->click();
        }
    });
    ExecuterExportASCII(nullptr);
    EXPECT_TRUE(texte.contains(QStringLiteral("E||--5----||")));
}

// ---- Import window -------------------------------------------------------------------------

TEST_F(FenetresASCII, ImportWindowTakesItsCaptionsAndListFromTheLanguage)
{
    ChargerAnglais();
    TImpASCIIForm f;
    EXPECT_EQ(f.objectName(), QStringLiteral("TImpASCIIForm"));
    for (const char* nom : {"MemoASCII", "BT_Ouvrir", "BT_Imprimer", "Lab_ImporterEn", "TypeImport", "NbTirets",
                            "InfoImp", "BT_Importer", "BT_Annuler", "BT_Aide"})
        EXPECT_NE(f.findChild<QObject*>(QString::fromLatin1(nom)), nullptr) << nom;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("ASCII tablature import"));
    EXPECT_EQ(f.TitreDialogue, QStringLiteral("ASCII tablature import"));
    EXPECT_EQ(f.MessageFichierIllisible, "The file cannot be read. Import cancelled.");
    EXPECT_EQ(f.BT_Importer->text(), QStringLiteral("&Import"));
    EXPECT_EQ(f.BT_Annuler->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(f.BT_Aide->text(), QStringLiteral("&Help"));
    EXPECT_EQ(f.Lab_ImporterEn->text(), QStringLiteral("I&mport as"));
    EXPECT_EQ(f.InfoImp->text(), QStringLiteral("The tablature is imported into the current track."));
    EXPECT_EQ(f.BT_Ouvrir->toolTip(), QStringLiteral("Open a text file"));
    ASSERT_EQ(f.TypeImport->count(), 5);
    EXPECT_EQ(f.TypeImport->itemText(0), QStringLiteral("Variable durations"));
    EXPECT_EQ(f.TypeImport->itemText(4), QStringLiteral("Sixteenth notes"));
    ASSERT_EQ(f.NbTirets->count(), 8);
    EXPECT_EQ(f.NbTirets->itemText(7), QStringLiteral("8"));
    EXPECT_TRUE(f.BT_Importer->isDefault());
    // Loading the captions chose nothing for the user.
    EXPECT_EQ(Configuration.TypeImport, 0);
    EXPECT_EQ(Configuration.NbTirets, 3);
}

TEST_F(FenetresASCII, TheDurationListsShowTheSettingsAndWriteOnlyTheUsersChoices)
{
    Configuration.TypeImport = 2;
    Configuration.NbTirets = 5;
    TImpASCIIForm f;
    f.show();
    EXPECT_EQ(f.TypeImport->currentIndex(), 2);
    EXPECT_FALSE(f.NbTirets->isEnabled());
    EXPECT_EQ(f.NbTirets->currentIndex(), -1);
    EXPECT_EQ(Configuration.NbTirets, 5); // emptying the list kept the setting

    f.TypeImport->setCurrentIndex(0);
    EXPECT_EQ(Configuration.TypeImport, 0);
    EXPECT_TRUE(f.NbTirets->isEnabled());
    EXPECT_EQ(f.NbTirets->currentIndex(), 5);
    f.NbTirets->setCurrentIndex(1);
    EXPECT_EQ(Configuration.NbTirets, 1);
    f.TypeImport->setCurrentIndex(4);
    EXPECT_EQ(Configuration.TypeImport, 4);
    EXPECT_EQ(Configuration.NbTirets, 1);
    f.hide();

    // Damaged settings show the defaults and are left for the user to change.
    Configuration.TypeImport = 9;
    Configuration.NbTirets = -3;
    TImpASCIIForm g;
    g.show();
    EXPECT_EQ(g.TypeImport->currentIndex(), 0);
    EXPECT_EQ(g.NbTirets->currentIndex(), 3);
    EXPECT_EQ(Configuration.TypeImport, 9);
    EXPECT_EQ(Configuration.NbTirets, -3);
}

TEST_F(FenetresASCII, LoadingATextFileFillsTheMemoAndNamesTheWindow)
{
    ChargerAnglais();
    const struct {
        const char* nom;
        std::string octets;
        QString memo;
    } cas[] = {
        {"latin.tab", "e|-\xE9-|\r\nB|--|\rG|\n", QStringLiteral("e|-\u00e9-|\nB|--|\nG|")},
        {"utf8.tab", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\n--|--\n", QStringLiteral("\u00e9t\u00e9\n--|--")},
        {"empty.tab", "", QString()},
        {"no end.tab", "a\n\nb", QStringLiteral("a\n\nb")},
    };
    for (const auto& c : cas) {
        TImpASCIIForm f;
        Ecrire(dossier / c.nom, c.octets);
        dialogues.FichierImport = (dossier / c.nom).string();
        EXPECT_TRUE(f.ChargerTexteASCII()) << c.nom;
        EXPECT_EQ(f.MemoASCII->toPlainText(), c.memo) << c.nom;
        EXPECT_EQ(f.windowTitle(), QStringLiteral("ASCII tablature import - ") + QString::fromUtf8(c.nom));
        EXPECT_EQ(f.FichierCharge, (dossier / c.nom).string());
        EXPECT_TRUE(f.MemoASCII->isVisibleTo(&f));
    }
}

TEST_F(FenetresASCII, AFileThatCannotBeReadLeavesTheMemoAndSaysSo)
{
    ChargerAnglais();
    EnregistreurMessages messages;
    TImpASCIIForm f;
    f.MemoASCII->setPlainText(QStringLiteral("typed"));

    dialogues.FichierImport.reset();
    EXPECT_FALSE(f.ChargerTexteASCII()); // cancelled: no message
    EXPECT_TRUE(messages.Messages.empty());

    for (const fs::path& chemin : {dossier / "missing.tab", dossier}) {
        dialogues.FichierImport = chemin.string();
        EXPECT_FALSE(f.ChargerTexteASCII()) << chemin;
    }
    // A file far larger than any tablature is refused as well.
    {
        std::ofstream gros(dossier / "huge.tab", std::ios::binary);
        gros.seekp(17 * 1024 * 1024);
        gros.put('\n');
    }
    dialogues.FichierImport = (dossier / "huge.tab").string();
    EXPECT_FALSE(f.ChargerTexteASCII());

    ASSERT_EQ(messages.Messages.size(), 3u);
    for (const MessageAffiche& m : messages.Messages) {
        EXPECT_EQ(m.Texte, "The file cannot be read. Import cancelled.");
        EXPECT_EQ(m.Legende, "Error");
        EXPECT_EQ(m.Icone, IconeErreur);
    }
    EXPECT_EQ(f.MemoASCII->toPlainText(), QStringLiteral("typed"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("ASCII tablature import"));
    EXPECT_TRUE(f.FichierCharge.empty());
}

TEST_F(FenetresASCII, EnterInTheMemoImportsAndCtrlEnterBreaksTheLine)
{
    TImpASCIIForm f;
    f.show();
    f.MemoASCII->setPlainText(QStringLiteral("|-0---|"));
    f.MemoASCII->moveCursor(QTextCursor::End);
    Touche(f.MemoASCII, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.MemoASCII->toPlainText(), QStringLiteral("|-0---|\n"));
    EXPECT_TRUE(f.isVisible());
    Touche(f.MemoASCII, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(FenetresASCII, TheImportCommandParsesOnlyAfterImportAndNamesOnlyALoadedFile)
{
    AjouterTempsASCII(1, 0, false, {{1, 9}});
    Ecrire(dossier / "riff.tab", "e|-0----1----|\n");
    dialogues.FichierImport = (dossier / "riff.tab").string();

    // Cancel: the song is untouched.
    QTimer::singleShot(0, [] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            f->ChargerTexteASCII();
            f->BT_Annuler->click();
        }
    });
    std::string chemin = "stale";
    EXPECT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatAnnuler);
    EXPECT_TRUE(chemin.empty());
    EXPECT_EQ(MesureASCII(1).NbTemps[1], 1);
    EXPECT_EQ(MesureASCII(1).Temps[1][1].Notes[1].Frette, 9);

    // Import with a loaded file: parsed into the track, the file named.
    bool memoVide = false;
    QTimer::singleShot(0, [&memoVide] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            memoVide = f->MemoASCII->toPlainText().isEmpty();
            f->BT_Ouvrir->click();
            f->BT_Importer->click();
        }
    });
    EXPECT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatOK);
    EXPECT_TRUE(memoVide);
    EXPECT_EQ(chemin, (dossier / "riff.tab").string());
    ASSERT_EQ(MesureASCII(1).NbTemps[1], 2);
    EXPECT_EQ(MesureASCII(1).Temps[1][1].Notes[6].Frette, 0);
    EXPECT_EQ(MesureASCII(1).Temps[1][2].Notes[6].Frette, 1);

    // Typed text: imported, and no file to name the song after.
    QTimer::singleShot(0, [] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            f->MemoASCII->setPlainText(QStringLiteral("|-3----|"));
            f->BT_Importer->click();
        }
    });
    EXPECT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatOK);
    EXPECT_TRUE(chemin.empty());
    ASSERT_EQ(MesureASCII(1).NbTemps[1], 1);
    EXPECT_EQ(MesureASCII(1).Temps[1][1].Notes[6].Frette, 3);
}

TEST_F(FenetresASCII, TextWithoutTablatureIsRefusedAndTheSongStaysAsItWas)
{
    ChargerAnglais();
    std::vector<MessageAffiche> messages;
    const AfficheurMessages ancien = InstallerAfficheurMessages([&messages](const MessageAffiche& m) {
        messages.push_back(m);
        return ResultatOK;
    });
    for (int m = 1; m <= 40; ++m)
        AjouterTempsASCII(m, 0, false, {{1, m % 20}});

    const struct {
        const char* nom;
        std::string octets;
    } cas[] = {
        {"an empty file", ""},
        {"prose", "Intro: play it softly.\nThen the chorus twice.\n"},
        {"empty staff lines", "e|-------------|\nB|-------------|\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        messages.clear();
        Ecrire(dossier / "vide.tab", c.octets);
        bool resteOuvert = false;
        QTimer::singleShot(0, [&] {
            if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
                ASSERT_TRUE(f->ChargerFichierASCII((dossier / "vide.tab").string()));
                f->BT_Importer->click();
                resteOuvert = f->isVisible();
                f->BT_Annuler->click();
            }
        });
        std::string chemin;
        EXPECT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatAnnuler);
        EXPECT_TRUE(resteOuvert) << "the text stays to be mended";
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Texte, Traduire("ASCIIImp-AucuneTablature"));
        EXPECT_EQ(messages[0].Texte, "No tablature was found in this text. The song is left as it was.");
        ASSERT_EQ(Partition.NbMesures, 40);
        EXPECT_EQ(MesureASCII(40).Temps[1][1].Notes[1].Frette, 0);
        EXPECT_EQ(MesureASCII(7).Temps[1][1].Notes[1].Frette, 7);
    }
    InstallerAfficheurMessages(ancien);
}

TEST_F(FenetresASCII, WebPageDashesAndSpacesReadAsTablature)
{
    // UTF-8 as web pages give it: em and en dashes, figure and horizontal bars, the minus
    // sign, and no-break spaces between the string name and the staff.
    Ecrire(dossier / "web.tab", "e\u00a0|\u2014\u20140\u2014\u2013\u2013\u20131\u2012\u2015\u2212|\n"
                                "B\u00a0|\u2014\u2014\u2014\u2014\u2013\u2013\u2013\u2013\u2012\u2015|\n");
    QTimer::singleShot(0, [this] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            ASSERT_TRUE(f->ChargerFichierASCII((dossier / "web.tab").string()));
            f->BT_Importer->click();
        }
    });
    Configuration.TypeImport = ImportNoires;
    std::string chemin;
    ASSERT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatOK);
    ASSERT_EQ(MesureASCII(1).NbTemps[1], 2);
    EXPECT_EQ(MesureASCII(1).Temps[1][1].Notes[5].Frette, 0);
    EXPECT_EQ(MesureASCII(1).Temps[1][2].Notes[5].Frette, 1);
}

TEST_F(FenetresASCII, AnImportStoppedAtAThousandMeasuresSaysSo)
{
    ChargerAnglais();
    std::vector<MessageAffiche> messages;
    const AfficheurMessages ancien = InstallerAfficheurMessages([&messages](const MessageAffiche& m) {
        messages.push_back(m);
        return ResultatOK;
    });
    Configuration.TypeImport = ImportNoires;
    QString long_ = QStringLiteral("-----") + QString(70'000, QLatin1Char('1'));
    QTimer::singleShot(0, [&long_] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            f->MemoASCII->setPlainText(long_);
            f->BT_Importer->click();
        }
    });
    std::string chemin;
    ASSERT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatOK);
    EXPECT_EQ(Partition.NbMesures, kNbMesuresMax);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, Traduire("ASCIIImp-LimiteMesures"));
    EXPECT_EQ(messages[0].Icone, IconeInformation);

    // With frets the track cannot hold as well, one warning tells both.
    messages.clear();
    long_ = QStringLiteral("-----") + QString(70'000, QLatin1Char('9'));
    QTimer::singleShot(0, [&long_] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            f->MemoASCII->setPlainText(long_);
            f->BT_Importer->click();
        }
    });
    ASSERT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatOK);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, "32000 note(s) from bar 1 on have a fret above the highest fret of the track and were "
                                 "left out.\n\n"
                                 + Traduire("ASCIIImp-LimiteMesures"));
    EXPECT_EQ(messages[0].Icone, IconeAvertissement);

    // One that fits says nothing.
    messages.clear();
    QTimer::singleShot(0, [] {
        if (auto* f = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget())) {
            f->MemoASCII->setPlainText(QStringLiteral("|-3----|"));
            f->BT_Importer->click();
        }
    });
    ASSERT_EQ(ExecuterImportASCII(nullptr, chemin), ResultatOK);
    EXPECT_TRUE(messages.empty());
    InstallerAfficheurMessages(ancien);
}
