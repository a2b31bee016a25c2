// The file-name edit: the name read from its text, the browse action, the invalid-name error,
// the click key, dropped files and the button's width and glyphs.
#include "controls/ToolEdit.h"
#include "support/DossierTemporaire.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct Ouverture {
    TFileDialogKind Sorte;
    ReglagesDialogueFichier Reglages; // as the dialog received them
};

// Records what each dialog was opened with, and answers `Choix` (cancel when empty).
struct Dialogues {
    std::vector<Ouverture> Ouvertures;
    std::vector<TFileDialogKind> Faits;
    QString Choix;

    struct Factice : IDialogueFichier {
        Dialogues* d;
        TFileDialogKind sorte;
        Factice(Dialogues* dd, TFileDialogKind s) : d(dd), sorte(s) {}
        bool Execute(QWidget*, ReglagesDialogueFichier& r) override
        {
            d->Ouvertures.push_back({sorte, r});
            if (d->Choix.isEmpty())
                return false;
            r.FileName = d->Choix;
            r.Files = {d->Choix};
            return true;
        }
    };
};

class FilenameEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        TFilenameEdit::InstallerFabriqueDialogue([this](TFileDialogKind sorte) {
            dialogues.Faits.push_back(sorte);
            return std::make_unique<Dialogues::Factice>(&dialogues, sorte);
        });
        dossier = QString::fromStdString(dossierTest.Chemin().string());
    }
    void TearDown() override { TFilenameEdit::InstallerFabriqueDialogue(nullptr); }

    QString Creer(const QString& nom)
    {
        const QString chemin = dossier + u'/' + nom;
        std::ofstream(QFile::encodeName(chemin).toStdString()) << "RIFF";
        return chemin;
    }

    lyrx_test::DossierTemporaire dossierTest;
    QString dossier;
    Dialogues dialogues;
};

void Touche(QWidget* w, Qt::Key touche, Qt::KeyboardModifiers m)
{
    QKeyEvent e(QEvent::KeyPress, touche, m);
    QApplication::sendEvent(w, &e);
}

// Drop events reach a widget only through a drag in progress: the edit's handler is called
// directly.
struct EditDepot : TFilenameEdit {
    using TFileDirEdit::dragEnterEvent;
    using TFileDirEdit::dropEvent;
};

void Deposer(EditDepot* w, const QStringList& chemins)
{
    QMimeData donnees;
    QList<QUrl> urls;
    for (const QString& c : chemins)
        urls << QUrl::fromLocalFile(c);
    donnees.setUrls(urls);
    QDragEnterEvent entree(QPoint(5, 5), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    w->dragEnterEvent(&entree);
    ASSERT_TRUE(entree.isAccepted());
    QDropEvent e(QPointF(5, 5), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    w->dropEvent(&e);
}

} // namespace

TEST_F(FilenameEdit, FileNameIsTheTextWithoutProgramArguments)
{
    const QString existant = Creer(QStringLiteral("my tune.wav"));
    TFilenameEdit e;
    const struct {
        QString texte, nom;
    } cas[] = {
        {existant, existant},                                                  // an existing file: whole
        {dossier + "/missing tune.wav", dossier + "/missing"},                 // no such file: first word
        {u'"' + existant + u'"', existant},                                    // quoted: without the quotes
        {u'"' + dossier + "/no such.wav\" -v", dossier + "/no such.wav"},       // quoted, with arguments
        {QString(), QString()},
    };
    for (const auto& c : cas) {
        e.setText(c.texte);
        EXPECT_EQ(e.FileName(), c.nom) << c.texte.toStdString();
    }
}

TEST_F(FilenameEdit, AChosenNameWithABlankIsShownQuotedAndReadBackWithout)
{
    const QString choisi = Creer(QStringLiteral("intro music.wav"));
    TFilenameEdit e;
    e.SetFilter(QStringLiteral("Wave Files (*.WAV)|*.WAV"));
    e.SetDialogTitle(QStringLiteral("Choose a wave file"));
    e.SetDefaultExt(QStringLiteral(".WAV"));
    int changements = 0, clics = 0;
    QObject::connect(&e, &QLineEdit::textChanged, [&changements] { ++changements; });
    e.OnButtonClick = [&clics] { ++clics; };
    dialogues.Choix = choisi;
    e.Button()->Click();
    ASSERT_EQ(dialogues.Ouvertures.size(), 1u);
    EXPECT_EQ(dialogues.Ouvertures[0].Reglages.Title, "Choose a wave file");
    EXPECT_EQ(dialogues.Ouvertures[0].Reglages.Filter, "Wave Files (*.WAV)|*.WAV");
    EXPECT_EQ(dialogues.Ouvertures[0].Reglages.DefaultExt, ".WAV");
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(e.text(), u'"' + choisi + u'"');
    EXPECT_EQ(e.FileName(), choisi);
    EXPECT_EQ(e.InitialDir(), dossier + u'/');
    EXPECT_EQ(changements, 1);

    // Opened again, the dialog starts on the chosen file; cancelled, nothing changes.
    dialogues.Choix.clear();
    e.SetInitialDir(QStringLiteral("/elsewhere/"));
    e.Button()->Click();
    ASSERT_EQ(dialogues.Ouvertures.size(), 2u);
    EXPECT_EQ(dialogues.Ouvertures[1].Reglages.FileName, choisi);
    EXPECT_EQ(dialogues.Ouvertures[1].Reglages.InitialDir, dossier + u'/');
    EXPECT_EQ(e.text(), u'"' + choisi + u'"');
    EXPECT_EQ(changements, 1);

    // A handler may stop the dialog.
    e.OnBeforeDialog = [](QString&, bool& action) { action = false; };
    e.Button()->Click();
    EXPECT_EQ(dialogues.Ouvertures.size(), 2u);

    // A new kind of dialog keeps the settings.
    e.SetDialogKind(dkSave);
    EXPECT_EQ(dialogues.Faits.back(), dkSave);
    EXPECT_EQ(e.Dialogue().Filter, "Wave Files (*.WAV)|*.WAV");
    EXPECT_EQ(e.DialogTitle(), "Choose a wave file");
}

TEST_F(FilenameEdit, DialogStartsFromTheTextWhenItIsAValidName)
{
    TFilenameEdit e;
    EXPECT_EQ(e.DialogTitle(), "Parcourir");
    EXPECT_EQ(e.Filter(), "Tous les fichier (*.*)|*.*");

    // An existing folder ending in '/': that folder, no file name.
    e.setText(dossier + u'/');
    e.Button()->Click();
    ASSERT_EQ(dialogues.Ouvertures.size(), 1u);
    EXPECT_EQ(dialogues.Ouvertures[0].Reglages.InitialDir, dossier + u'/');
    EXPECT_EQ(dialogues.Ouvertures[0].Reglages.FileName, "");

    // A name in a missing folder: the folder stays, the name is offered.
    e.setText(QStringLiteral("/no/such/folder/x.wav"));
    e.Button()->Click();
    EXPECT_EQ(dialogues.Ouvertures[1].Reglages.InitialDir, dossier + u'/');
    EXPECT_EQ(dialogues.Ouvertures[1].Reglages.FileName, "/no/such/folder/x.wav");

    // Empty text, or a character no name may hold: what the dialog had before.
    for (const QString& t : {QString(), QStringLiteral("a<b.wav")}) {
        e.setText(t);
        e.Button()->Click();
        EXPECT_EQ(dialogues.Ouvertures.back().Reglages.FileName, "/no/such/folder/x.wav");
        EXPECT_EQ(dialogues.Ouvertures.back().Reglages.InitialDir, dossier + u'/');
    }
}

TEST_F(FilenameEdit, AnInvalidNameIsRefusedWithTheLibraryMessage)
{
    TFilenameEdit e;
    e.setText(QStringLiteral("/a.wav"));
    for (const char* nom : {"a|b.wav", "\"<x>\"", "x[1].wav"}) {
        try {
            e.SetFileName(QString::fromUtf8(nom));
            ADD_FAILURE() << nom;
        } catch (const EComboEditError& erreur) {
            EXPECT_EQ(std::string(erreur.what()), std::string("Nom de fichier incorrect - ") + nom);
        }
        EXPECT_EQ(e.text(), "/a.wav");
    }
    e.SetFileName(QStringLiteral("/sons/mon intro.wav"));
    EXPECT_EQ(e.text(), "\"/sons/mon intro.wav\"");
    EXPECT_EQ(e.FileName(), "/sons/mon intro.wav");
    e.SetFileName(QString());
    EXPECT_EQ(e.text(), "");
}

TEST_F(FilenameEdit, AltDownOpensTheDialogUnlessReadOnly)
{
    TFilenameEdit e;
    Touche(&e, Qt::Key_Down, Qt::NoModifier);
    EXPECT_TRUE(dialogues.Ouvertures.empty());
    Touche(&e, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(dialogues.Ouvertures.size(), 1u);
    e.SetReadOnly(true);
    EXPECT_TRUE(e.isReadOnly());
    Touche(&e, Qt::Key_Down, Qt::AltModifier);
    e.Button()->Click();
    EXPECT_EQ(dialogues.Ouvertures.size(), 1u);

    EXPECT_EQ(ToucheQt(kAltBas), QKeyCombination(Qt::AltModifier, Qt::Key_Down));
    EXPECT_EQ(ToucheQt(0x4000 | 'O'), QKeyCombination(Qt::ControlModifier, Qt::Key_O));
    EXPECT_EQ(ToucheQt(0x2000 | 0x71), QKeyCombination(Qt::ShiftModifier, Qt::Key_F2));
}

TEST_F(FilenameEdit, DroppedFilesWithoutMultiSelectGiveTheFirst)
{
    EditDepot e;
    e.SetAcceptFiles(true);
    int deposes = 0;
    e.OnDropFiles = [&deposes] { ++deposes; };
    // A path longer than 255 characters is taken whole.
    const QString long_ = QStringLiteral("/tmp/") + QString(300, u'x') + QStringLiteral(".wav");
    Deposer(&e, {long_, QStringLiteral("/tmp/b.wav")});
    EXPECT_EQ(e.text(), long_);
    EXPECT_EQ(deposes, 1);

    e.SetDialogOptions(ofHideReadOnly | ofAllowMultiSelect);
    Deposer(&e, {QStringLiteral("/tmp/c.wav"), QStringLiteral("/tmp/d d.wav")});
    EXPECT_EQ(e.text(), "/tmp/c.wav");
    EXPECT_EQ(e.Dialogue().Files, (QStringList{"/tmp/c.wav", "/tmp/d d.wav"}));
}

TEST_F(FilenameEdit, ButtonWidthAndGlyphs)
{
    TFilenameEdit e;
    e.resize(207, 21);
    EXPECT_EQ(e.ButtonWidth(), 21);
    EXPECT_EQ(e.Button()->Glyph().size(), QSize(14, 12));
    EXPECT_EQ(e.Button()->NumGlyphs(), 1);
    {
        // Disabled, the folder still shows: its outline is what the disabled look embosses.
        const QImage* grise = e.Button()->ObjetGlyphe().ImageEtat(bsDisabled);
        ASSERT_TRUE(grise);
        int encre = 0;
        for (int y = 0; y < grise->height(); ++y)
            for (int x = 0; x < grise->width(); ++x)
                encre += qAlpha(grise->pixel(x, y)) != 0;
        EXPECT_GT(encre, 20);
    }
    e.SetButtonWidth(1);
    EXPECT_TRUE(e.ButtonHolder()->isHidden());
    e.SetButtonWidth(30);
    EXPECT_FALSE(e.ButtonHolder()->isHidden());
    EXPECT_EQ(e.ButtonWidth(), 30);
    EXPECT_EQ(e.ButtonHolder()->geometry().right(), 207 - 3); // inside the frame
    e.SetButtonWidth(207); // not smaller than the edit: refused
    EXPECT_EQ(e.ButtonWidth(), 30);

    e.SetGlyphKind(gkEllipsis);
    EXPECT_EQ(e.Button()->Glyph().size(), QSize(24, 4));
    EXPECT_EQ(e.Button()->Glyph().pixel(PointsEllipse(24)[2], 1), qRgb(0, 0, 0));
    e.SetGlyphKind(gkDropDown);
    EXPECT_FALSE(e.Button()->Glyph().isNull());

    const struct {
        int largeur;
        std::array<int, 3> x;
    } points[] = {{15, {1, 6, 11}}, {12, {0, 5, 10}}, {10, {0, 4, 8}}, {9, {0, 3, 6}}, {8, {0, 3, 6}}};
    for (const auto& p : points)
        EXPECT_EQ(PointsEllipse(p.largeur), p.x) << p.largeur;
}

TEST(FiltreDialogue, PatternsMatchBothCasesOnACaseSensitiveFileSystem)
{
    EXPECT_EQ(FiltreDialogueQt(QStringLiteral("Wave Files (*.WAV)|*.WAV")), "Wave Files (*.WAV *.wav)");
    EXPECT_EQ(FiltreDialogueQt(QStringLiteral("Sons|*.WAV;*.AU|Tous|*.*")), "Sons (*.WAV *.AU *.wav *.au);;Tous (*.*)");

    lyrx_test::DossierTemporaire d;
    for (const char* nom : {"a.wav", "B.WAV", "c.txt"})
        std::ofstream(d / nom) << "x";
    const QString filtre = FiltreDialogueQt(QStringLiteral("Wave Files (*.WAV)|*.WAV"));
    const QString motifs = filtre.mid(filtre.indexOf(u'(') + 1).chopped(1);
    const QStringList trouves = QDir(QString::fromStdString(d.Chemin().string()))
                                    .entryList(motifs.split(u' '), QDir::Files | QDir::CaseSensitive, QDir::Name);
    EXPECT_EQ(trouves, (QStringList{"B.WAV", "a.wav"}));
}

TEST_F(FilenameEdit, EnterInTheEditPressesTheDialogsDefaultButton)
{
    QDialog dialogue;
    auto* e = new TFilenameEdit(&dialogue);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialogue);
    ok->move(0, 30);
    ok->setDefault(true);
    int appuis = 0;
    QObject::connect(ok, &QPushButton::clicked, [&appuis] { ++appuis; });
    dialogue.show();
    e->setFocus();
    Touche(e, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(appuis, 1);
    EXPECT_TRUE(dialogues.Ouvertures.empty());

    // A button with a modal result ends its dialog with it.
    TKxSpeedButton fermer(&dialogue);
    fermer.SetModalResult(QDialog::Rejected + 7);
    fermer.Click();
    EXPECT_EQ(dialogue.result(), 7);
    EXPECT_FALSE(dialogue.isVisible());
}
