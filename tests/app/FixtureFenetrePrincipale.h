#pragma once
// The real main window with its resident windows, built as the program builds them, in a
// settings folder of the test's own, with no sound device and no MIDI. A test may do its own
// installing between the two steps of set-up: after the program's state is reset and before
// any window exists.
#include "app/Main.h"
#include "app/Programme.h"
#include "app/VuePartition.h"
#include "app/ServicesFenetres.h"
#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "editor/Fontes.h"
#include "midi/Lecture.h"
#include "platform/LecteurMedia.h"
#include "support/DossierTemporaire.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lyrx_test {

// A player that never opens: the window plays nothing.
class LecteurMuet final : public platform::LecteurMedia {
public:
    bool Open() override { return false; }
    void Close() override {}
    bool Play() override { return false; }
    void Stop() override {}
    int64_t Position() const override { return 0; }
    int64_t Length() const override { return 0; }
    bool DeviceOpen() const override { return false; }

protected:
    void Poster(std::function<void()> action) override { action(); }
};

// `Base` is the test class of gtest the fixture derives from (a plain or a parameterised one).
template <class Base = ::testing::Test>
class FixtureFenetrePrincipale : public Base {
protected:
    // The program's state as at its start, in `langue`, its settings in the test's folder.
    void PreparerProgramme(const std::string& langue)
    {
        dossier_ = DossierDuTest();
        std::filesystem::create_directories(dossier_);
        windows_.emplace("LYRX_WINDOWS_DIR", dossier_.string());
        // The browser lists this empty folder rather than the program's.
        std::ofstream(dossier_ / NomFichierConfiguration) << "[Browser]\nDirectory=" << dossier_.string() << "\n";
        RepertoireProgramme = std::string(LYRX_SOURCE_DIR) + "/data/";
        ListerLangues(RepertoireProgramme);
        ASSERT_TRUE(ChargerLangue(RepertoireProgramme, langue));
        LangueCourante = langue;
        Commandes().Reinitialiser();
        ReinitialiserPolicesLabels();
        Configuration = TCONFIG{};
        PisteCourante = 1;
        MidiDisponible = false;
        InstallerMediaPlayer(&lecteur_);
    }

    // The main window shown and started, with its resident windows.
    void OuvrirFenetre()
    {
        services_ = std::make_unique<TServicesImpressionProgramme>();
        InstallerServicesImpression(services_.get());
        fenetre_ = std::make_unique<TForm1>();
        InstallerFenetrePrincipale(fenetre_.get());
        residentes_ = std::make_unique<TFenetresResidentes>(*fenetre_);
        fenetre_->DefinirTerminateur([](int) {});
        fenetre_->resize(1000, 700);
        fenetre_->show();
        fenetre_->Demarrer();
        QCoreApplication::processEvents();
    }

    // What the score view shows, on magenta where it would paint nothing.
    QImage VuePartitionAffichee()
    {
        auto* vue = fenetre_->template findChild<VuePartition*>("ZoneAffichage");
        EXPECT_TRUE(vue);
        QImage image(vue->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        vue->render(&image);
        return image;
    }

    // Undoes both steps, leaving no window and no installed service to the next test.
    void FermerFenetre()
    {
        residentes_.reset();
        InstallerFenetrePrincipale(nullptr);
        fenetre_.reset();
        InstallerServicesImpression(nullptr);
        services_.reset();
        InstallerMediaPlayer(nullptr);
        Commandes().Reinitialiser();
        PisteCourante = 1;
        PleinEcranActif = false;
        LangueCourante.clear();
        TableLangue.clear();
        DictionnaireLangue.clear();
        windows_.reset();
    }

    std::filesystem::path dossier_;
    std::optional<lyrx_test::VariableEnvironnement> windows_;
    LecteurMuet lecteur_;
    std::unique_ptr<TServicesImpressionProgramme> services_;
    std::unique_ptr<TForm1> fenetre_;
    std::unique_ptr<TFenetresResidentes> residentes_;
};

} // namespace lyrx_test
