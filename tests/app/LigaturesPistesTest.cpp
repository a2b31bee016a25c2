// Beams on every track, in the real main window: a song that arrives whole (opened, or loaded by
// the browser) shows the same beams on a track the user has not visited as on the current one,
// and the commands that reach beyond the current measure of the current track (a time
// signature to the end, a paste of one track, a transposition, cancelling the measure) leave
// no measure with the beams of what it was before.
#include "app/FixtureFenetrePrincipale.h"
#include "app/VuePartition.h"
#include "dialogs/Copier.h"
#include "dialogs/Sais_sig.h"
#include "dialogs/Transpo.h"
#include "dialogs/sais_paste.h"
#include "document/FichierPartition.h"
#include "document/Fichiers.h"
#include "document/Routines.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/Scrolling.h"
#include "platform/FileReplacement.h"
#include "print/BrowseLogique.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Answers the modal dialogs as they come on top, each with the next action in order.
class RepondeurDialogues {
public:
    explicit RepondeurDialogues(std::vector<std::function<void(QWidget*)>> actions) : actions_(std::move(actions))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || actions_.empty() || w == dernier_)
                return;
            dernier_ = w;
            auto action = std::move(actions_.front());
            actions_.erase(actions_.begin());
            action(w);
        });
        timer_.start(5);
    }
    bool ToutRepondu() const { return actions_.empty(); }

private:
    std::vector<std::function<void(QWidget*)>> actions_;
    QPointer<QWidget> dernier_;
    QTimer timer_;
};

template <class T>
T& Comme(QWidget* w)
{
    return *dynamic_cast<T*>(w);
}

// The beamed runs of one track in one measure as its beam bytes tell them: the beats of a run
// joined by '+', the runs apart, a beat beamed to nobody alone; eight eighths in 4/4 read
// "1+2 3+4 5+6 7+8". A rest of a quarter or longer takes no part and is left out.
std::string Ligatures(int m, int t)
{
    const TMesure& bloc = *Partition.Mesures[m];
    std::string texte;
    for (int b = 1; b <= bloc.NbTemps[t]; ++b) {
        const TTemps& tp = bloc.Temps[t][b];
        if (tp.Silence && tp.CodeDuree < 1)
            continue;
        if (tp.LiensPrec > 0 && tp.TempsPrec >= 1 && tp.TempsPrec < b)
            texte += '+';
        else if (!texte.empty())
            texte += ' ';
        texte += std::to_string(b);
    }
    return texte;
}

void Croche(TTemps& tp, int corde, int frette, int code = 1)
{
    tp = TTemps{};
    tp.CodeDuree = static_cast<int8_t>(code);
    tp.Duree = 480 >> code;
    tp.Notes[corde].Frette = static_cast<int8_t>(frette);
}

// Eight eighths, a little scale on the top strings.
void HuitCroches(int m, int t)
{
    TMesure& bloc = *Partition.Mesures[m];
    bloc.NbTemps[t] = 8;
    for (int b = 1; b <= 8; ++b)
        Croche(bloc.Temps[t][b], 1 + b % 3, 2 * b % 12);
}

class LigaturesPistes : public lyrx_test::FixtureFenetrePrincipale<> {
protected:
    // Enough measures for the score view to break them over several lines.
    static constexpr int kNbMesures = 10;
    // The tracks that hold the eighths: every track but the drums.
    static constexpr int kNbPistesCroches = kNbPistes - 1;

    void SetUp() override
    {
        PreparerProgramme("English");
        OuvrirFenetre();
    }
    void TearDown() override { FermerFenetre(); }

    // Measures 1..kNbMesures in 4/4 with the same eighths on tracks 1..kNbPistesCroches;
    // `retouche` changes the song
    // before it is written to a file of the test's folder, whose path is returned.
    std::string EcrireChanson(const std::function<void()>& retouche = {})
    {
        ReinitialiserPartition();
        for (int m = 2; m <= kNbMesures; ++m) {
            Partition.Mesures[m] = std::make_unique<TMesure>();
            *Partition.Mesures[m] = *Partition.Mesures[1];
        }
        Partition.NbMesures = kNbMesures;
        for (int m = 1; m <= kNbMesures; ++m)
            for (int t = 1; t <= kNbPistesCroches; ++t)
                HuitCroches(m, t);
        if (retouche)
            retouche();
        const std::string chemin = (dossier_ / "croches.lrx").string();
        EXPECT_TRUE(platform::ReplaceFile(chemin, ImageFichierPartition()));
        // The window starts again from an empty song, as before any open.
        ReinitialiserPartition();
        return chemin;
    }

    void Ouvrir(const std::string& chemin)
    {
        ASSERT_TRUE(OuvrirPartition(chemin));
        QCoreApplication::processEvents();
    }

    void CliquerPiste(int t)
    {
        auto* bouton = fenetre_->findChild<QToolButton*>(QString("BT_Piste%1").arg(t));
        ASSERT_TRUE(bouton);
        bouton->click();
        QCoreApplication::processEvents();
    }
};

// The two ways a whole song arrives from a file.
struct Arrivee {
    const char* Nom;
    bool (*Charger)(const std::string&);
};

void PrintTo(const Arrivee& a, std::ostream* os) { *os << a.Nom; }

class LigaturesChansonArrivee : public LigaturesPistes, public ::testing::WithParamInterface<Arrivee> {};

TEST_P(LigaturesChansonArrivee, EveryTrackIsBeamedAsTheCurrentOne)
{
    const std::string chemin = EcrireChanson();
    ASSERT_TRUE(GetParam().Charger(chemin));
    QCoreApplication::processEvents();
    ASSERT_EQ(PisteCourante, 1);
    ASSERT_EQ(Partition.NbMesures, kNbMesures);
    for (int m = 1; m <= kNbMesures; ++m)
        for (int t = 1; t <= kNbPistesCroches; ++t)
            EXPECT_EQ(Ligatures(m, t), "1+2 3+4 5+6 7+8") << "measure " << m << ", track " << t;

    // The score view of another track, first shown after the song came, is the picture of
    // track 1, on every line.
    ASSERT_GE(LignesAffichage.NbLignes, 2);
    const QImage piste1 = VuePartitionAffichee();
    for (int t : {2, kNbPistesCroches}) {
        CliquerPiste(t);
        ASSERT_EQ(PisteCourante, t);
        EXPECT_TRUE(VuePartitionAffichee() == piste1) << "the score of track " << t << " differs from that of track 1";
    }
}

INSTANTIATE_TEST_SUITE_P(, LigaturesChansonArrivee,
                         ::testing::Values(Arrivee{"Open", &OuvrirPartition}, Arrivee{"Browser", &ChargerMorceauBrowse}),
                         [](const auto& info) { return std::string(info.param.Nom); });

// A command run on the opened song, and the beams it must leave in one measure of one track.
struct CasCommande {
    const char* Nom;
    std::function<void()> Retouche; // the song before it is written, if it differs
    std::function<void()> Action;   // in the window, measure 1 of track 1 current
    int Mesure;
    int Piste;
    const char* Attendu;
};

void Executer(Cmd c, std::vector<std::function<void(QWidget*)>> reponses)
{
    RepondeurDialogues repondeur(std::move(reponses));
    Commandes().Executer(c);
    QCoreApplication::processEvents();
    EXPECT_TRUE(repondeur.ToutRepondu()) << "a dialog did not come";
}

// From measure 1 to the last, in 6/8: eight eighths group by three.
void SixHuitJusquALaFin()
{
    Executer(Cmd::Ac_Mesure_Signature, {[](QWidget* w) {
                 auto& d = Comme<TSais_Signat_Form>(w);
                 d.Ed_Sign_Num->setText("6");
                 d.Ed_Sign_Den->setText("8");
                 d.ApplyAll->setChecked(true);
                 QTimer::singleShot(0, d.BT_OK, &QPushButton::click);
             }});
}

std::vector<CasCommande> CasCommandes()
{
    return {
        // The measure as it was entered was taken before the tracks were beamed.
        {"CancelMeasure", {},
         [] {
             SaisirChiffre(7, 0);
             ASSERT_TRUE(Commandes().Enabled(Cmd::BT_AnnulerMesure));
             Commandes().Executer(Cmd::BT_AnnulerMesure);
         },
         1, 2, "1+2 3+4 5+6 7+8"},
        {"TimeSignatureToTheEndOnTheCurrentTrack", {},
         SixHuitJusquALaFin,
         2, 1, "1+2+3 4+5+6 7+8"},
        {"TimeSignatureToTheEndOnAnotherTrack", {},
         SixHuitJusquALaFin,
         3, 2, "1+2+3 4+5+6 7+8"},
        // Track 1 of a 6/8 measure pasted over measure 2 brings its time signature to the
        // whole measure, whose track 2 is then grouped by 6/8.
        {"PasteOfOneTrackBringsItsTimeSignature",
         [] {
             TMesure& m1 = *Partition.Mesures[1];
             m1.Numerateur = 6;
             m1.Denominateur = 8;
             m1.Duree = 3.0;
             m1.NbTemps[1] = 6;
         },
         [] {
             Executer(Cmd::Ac_Edition_Copier, {[](QWidget* w) {
                          auto& d = Comme<TCopierForm>(w);
                          d.PisteEnCours->setChecked(true);
                          QTimer::singleShot(0, d.BT_OK, &QPushButton::click);
                      }});
             AllerMesureSuivante();
             ASSERT_EQ(Partition.MesureCourante, 2);
             Executer(Cmd::Ac_Edition_Coller, {[](QWidget* w) {
                          auto& d = Comme<TSais_Paste_Form>(w);
                          d.PasteRB1->setChecked(true);
                          QTimer::singleShot(0, d.BT_Oui, &QPushButton::click);
                      }});
             ASSERT_EQ(Partition.Mesures[2]->Numerateur, 6);
         },
         2, 2, "1+2+3 4+5+6 7+8"},
        // An open low E an octave down has no string: the quarter between two eighths becomes
        // a rest, and the eighths around it are beamed over it.
        {"TranspositionThatMakesARest",
         [] {
             TMesure& m2 = *Partition.Mesures[2];
             m2.NbTemps[1] = 7;
             Croche(m2.Temps[1][1], 1, 5);
             Croche(m2.Temps[1][2], 6, 0, 0);
             for (int b = 3; b <= 7; ++b)
                 Croche(m2.Temps[1][b], 1, 5 + b);
         },
         [] {
             Executer(Cmd::Ac_Ass_Transposer, {[](QWidget* w) {
                          auto& d = Comme<TTransposerForm>(w);
                          d.Valeur->setCurrentIndex(d.Valeur->findText("-12"));
                          QTimer::singleShot(0, d.BT_OK, &QPushButton::click);
                      }});
             ASSERT_TRUE(Partition.Mesures[2]->Temps[1][2].Silence);
         },
         2, 1, "1+3 4+5 6+7"},
    };
}

void PrintTo(const CasCommande& c, std::ostream* os) { *os << c.Nom; }

class LigaturesApresCommande : public LigaturesPistes, public ::testing::WithParamInterface<CasCommande> {};

TEST_P(LigaturesApresCommande, LeavesNoMeasureWithTheBeamsOfBefore)
{
    const CasCommande& cas = GetParam();
    Ouvrir(EcrireChanson(cas.Retouche));
    ASSERT_EQ(Partition.MesureCourante, 1);
    ASSERT_EQ(PisteCourante, 1);
    cas.Action();
    QCoreApplication::processEvents();
    EXPECT_EQ(Ligatures(cas.Mesure, cas.Piste), cas.Attendu) << "measure " << cas.Mesure << ", track " << cas.Piste;
    EXPECT_EQ(PisteCourante, 1);
}

INSTANTIATE_TEST_SUITE_P(, LigaturesApresCommande, ::testing::ValuesIn(CasCommandes()),
                         [](const auto& info) { return std::string(info.param.Nom); });

} // namespace
