// The file list, the folder list and the drive list over folders of their own: which entries
// are read and in what order, the icon cache, names and masks, double clicks, the climb to an
// existing folder, and the drive kinds.
#include "controls/CxFilCtrl.h"
#include "platform/Sablier.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLabel>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Counts the desktop's icon questions by path.
struct IconesComptees : IFournisseurIconesFichiers {
    QStringList fichiers, dossiers;
    QIcon IconeFichier(const QString& chemin) override
    {
        fichiers << QFileInfo(chemin).fileName();
        QPixmap p(16, 16);
        p.fill(QColor::fromRgb(uint(qHash(chemin)) | 0xFF000000u));
        return QIcon(p);
    }
    QIcon IconeDossier(const QString& chemin) override
    {
        dossiers << QFileInfo(chemin).fileName();
        return {};
    }
};

QStringList Textes(const QListWidget& l)
{
    QStringList t;
    for (int i = 0; i < l.count(); ++i)
        t << l.item(i)->text();
    return t;
}

void Fichier(const fs::path& p, const char* contenu = "x") { std::ofstream(p) << contenu; }

class ListesFichiers : public ::testing::Test {
protected:
    void SetUp() override
    {
        d = QString::fromStdString(fs::canonical(dossier.Chemin()).string());
        fs::create_directories(dossier / "Zeta");
        fs::create_directories(dossier / ".cache");
        Fichier(dossier / "a.txt");
        Fichier(dossier / "B.doc");
        ViderCacheIconesFichiers();
        InstallerFournisseurIconesFichiers(icones);
        ancien = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(d));
    }
    void TearDown() override
    {
        QDir::setCurrent(ancien);
        InstallerFournisseurIconesFichiers(nullptr);
        ViderCacheIconesFichiers();
    }

    lyrx_test::DossierTemporaire dossier;
    QString d, ancien;
    std::shared_ptr<IconesComptees> icones = std::make_shared<IconesComptees>();
};

} // namespace

TEST_F(ListesFichiers, FoldersFirstThenNamesWithoutLetterCase)
{
    TCxFileListBox l;
    EXPECT_EQ(l.Directory(), d);
    EXPECT_EQ(Textes(l), (QStringList{"a.txt", "B.doc"})); // normal files only by default
    l.SetFileType(ftNormal | ftDirectory);
    EXPECT_EQ(Textes(l), (QStringList{"Zeta", "a.txt", "B.doc"}));
    ASSERT_EQ(l.FileInfos().size(), 3u);
    EXPECT_TRUE(l.FileInfos()[0].IsFolder);
    EXPECT_EQ(l.FileInfos()[0].Attr & faDirectory, faDirectory);
    EXPECT_EQ(l.FileInfos()[1].Size, 1);
    EXPECT_GT(l.FileInfos()[1].Time, 0);
    l.SetFileType(ftNormal | ftDirectory | ftHidden);
    EXPECT_EQ(Textes(l), (QStringList{".cache", "Zeta", "a.txt", "B.doc"}));
    l.SetFileType(ftDirectory); // without normal files, only entries with an asked attribute
    EXPECT_EQ(Textes(l), (QStringList{"Zeta"}));
}

TEST_F(ListesFichiers, MasksMatchWithoutLetterCaseAndListAnEntryOnce)
{
    Fichier(dossier / "README");
    Fichier(dossier / "c.TXT");
    TCxFileListBox l;
    struct Cas {
        const char* masque;
        QStringList attendu;
    };
    const Cas cas[] = {
        {"*.*", {"a.txt", "B.doc", "c.TXT", "README"}},
        {"*.txt", {"a.txt", "c.TXT"}},
        {"*.txt;*.DOC", {"a.txt", "B.doc", "c.TXT"}},
        {"*.txt;a*", {"a.txt", "c.TXT"}},
        {"?.doc", {"B.doc"}},
        {"*.wav", {}},
    };
    for (const Cas& c : cas) {
        l.SetMask(c.masque);
        EXPECT_EQ(Textes(l), c.attendu) << c.masque;
    }
}

TEST_F(ListesFichiers, OneCachedIconPerExtensionButExecutablesAskEachTime)
{
    Fichier(dossier / "b.txt");
    Fichier(dossier / "run1");
    Fichier(dossier / "run2");
    Fichier(dossier / "setup.EXE");
    Fichier(dossier / "app.desktop");
    for (const char* x : {"run1", "run2"})
        fs::permissions(dossier / x, fs::perms::owner_exec, fs::perm_options::add);
    TCxFileListBox l;
    l.SetFileType(ftNormal | ftDirectory);
    EXPECT_EQ(icones->fichiers.count("a.txt") + icones->fichiers.count("b.txt"), 1);
    for (const char* propre : {"run1", "run2", "setup.EXE", "app.desktop"})
        EXPECT_GE(icones->fichiers.count(propre), 1) << propre;
    EXPECT_TRUE(icones->dossiers.contains("Zeta"));
    // The two text files show the same cached icon.
    const auto& infos = l.FileInfos();
    const auto info = [&](const char* nom) {
        return *std::find_if(infos.begin(), infos.end(), [&](const TCxFileInfo& f) { return f.Name == nom; });
    };
    EXPECT_EQ(info("a.txt").Icon.cacheKey(), info("b.txt").Icon.cacheKey());
    EXPECT_FALSE(info("a.txt").OwnIcon);
    EXPECT_TRUE(info("run1").OwnIcon);
    // A second reading asks again only for the files with their own icon.
    icones->fichiers.clear();
    l.Update();
    EXPECT_EQ(icones->fichiers.count("a.txt") + icones->fichiers.count("b.txt"), 0);
    EXPECT_EQ(icones->fichiers.count("B.doc"), 0);
    EXPECT_EQ(icones->fichiers.count("run1") + icones->fichiers.count("run2"), 2);
    // Without glyphs nothing is asked.
    icones->fichiers.clear();
    l.SetShowGlyphs(false);
    EXPECT_TRUE(icones->fichiers.isEmpty());
}

TEST_F(ListesFichiers, FileNameSetsMaskOrSelectsOrRaises)
{
    fs::create_directories(dossier / "Zeta" / "in");
    Fichier(dossier / "Zeta" / "song.lrx");
    Fichier(dossier / "Zeta" / "tune.wav");
    TCxFileListBox l;
    int changements = 0;
    l.OnChange = [&] { ++changements; };
    l.SetFileName(d + "/Zeta/*.lrx");
    EXPECT_EQ(l.Directory(), d + "/Zeta");
    EXPECT_EQ(l.Mask(), "*.lrx");
    EXPECT_EQ(Textes(l), QStringList{"song.lrx"});
    EXPECT_GT(changements, 0);
    l.SetMask("*.*");
    l.SetFileName("tune.wav"); // a plain name in the current folder
    EXPECT_EQ(l.FileName(), d + "/Zeta/tune.wav");
    EXPECT_EQ(l.GetLongFileName(), d + "/Zeta/tune.wav");
    EXPECT_EQ(l.GetShortFileName(), d + "/Zeta/tune.wav");
    try {
        l.SetFileName(d + "/Zeta/absent.lrx");
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "The " + (d + "/Zeta/absent.lrx").toStdString() + " file does not exist");
    }
    EXPECT_THROW(l.SetDirectory(d + "/missing"), EInOutError);
    EXPECT_EQ(l.Directory(), d + "/Zeta");
}

TEST_F(ListesFichiers, DoubleClickEntersAFolderOrOpensWhenAllowed)
{
    TCxFileListBox l;
    l.SetFileType(ftNormal | ftDirectory);
    QStringList ouverts, avertissements;
    bool reussite = true;
    l.OuvrirDocument = [&](const QString& c) {
        ouverts << c;
        return reussite;
    };
    l.Avertir = [&](const QString& m) { avertissements << m; };
    l.Ouvrir(1); // a.txt, not allowed
    EXPECT_TRUE(ouverts.isEmpty());
    l.AllowOpen = true;
    l.Ouvrir(1);
    EXPECT_EQ(ouverts, QStringList{d + "/a.txt"});
    reussite = false;
    l.Ouvrir(2);
    EXPECT_EQ(avertissements, QStringList{"Could not open file."});
    l.Ouvrir(0); // Zeta
    EXPECT_EQ(l.Directory(), d + "/Zeta");
    EXPECT_EQ(l.count(), 0);
}

TEST(ListeFichiersDessin, ItemPlacesAndHeights)
{
    const PlacesElementFichier avec = PlacerElementFichier(QRect(0, 40, 100, 20), 14, true);
    EXPECT_EQ(avec.Icone, QRect(4, 42, 16, 16));
    EXPECT_EQ(avec.Texte, QPoint(26, 43));
    EXPECT_EQ(PlacerElementFichier(QRect(0, 40, 100, 20), 14, false).Texte, QPoint(2, 43));
    struct Cas {
        int texte;
        bool glyphes;
        int hauteur;
    };
    for (const Cas& c : {Cas{15, true, 18}, Cas{15, false, 12}, Cas{30, true, 27}, Cas{30, false, 27}})
        EXPECT_EQ(HauteurElementFichier(c.texte, c.glyphes), c.hauteur) << c.texte << " " << c.glyphes;
}

TEST_F(ListesFichiers, FolderListClimbsToAnExistingFolderAndDrivesTheFileList)
{
    fs::create_directories(dossier / "Zeta" / "beta");
    fs::create_directories(dossier / "Zeta" / "Alpha");
    fs::create_directories(dossier / "Zeta" / ".hidden");
    Fichier(dossier / "Zeta" / "x.lrx");
    TCxDirectoryListBox dl;
    TCxFileListBox fl;
    QLabel etiquette;
    etiquette.resize(2000, 20);
    dl.SetFileList(&fl);
    dl.SetDirLabel(&etiquette);
    int changements = 0;
    dl.OnChange = [&] { ++changements; };
    dl.SetDirectory(d + "/Zeta/gone/deeper");
    EXPECT_EQ(dl.Directory(), d + "/Zeta");
    EXPECT_EQ(changements, 1);
    EXPECT_EQ(fl.Directory(), d + "/Zeta");
    EXPECT_EQ(Textes(fl), QStringList{"x.lrx"});
    EXPECT_EQ(etiquette.text(), d + "/Zeta");
    // "/", each folder down to Zeta, then its folders one level deeper.
    const QStringList parties = (d + "/Zeta").split('/', Qt::SkipEmptyParts);
    const int n = int(parties.size());
    ASSERT_EQ(dl.count(), n + 1 + 2);
    EXPECT_EQ(dl.item(0)->text(), "/");
    EXPECT_EQ(dl.Niveau(0), 0);
    EXPECT_EQ(dl.item(n)->text(), "Zeta");
    EXPECT_EQ(dl.Niveau(n), n);
    EXPECT_EQ(dl.IndexCourant(), n);
    EXPECT_EQ(dl.currentRow(), n);
    EXPECT_EQ(dl.item(n + 1)->text(), "Alpha");
    EXPECT_EQ(dl.item(n + 2)->text(), "beta");
    EXPECT_EQ(dl.Niveau(n + 2), n + 1);
    EXPECT_EQ(dl.GetItemPath(n + 2), d + "/Zeta/beta");
    EXPECT_EQ(dl.GetItemPath(1), "/" + parties[0]);
    // A file name with a folder goes through the folder list.
    fl.SetFileName(d + "/Zeta/beta/*.wav");
    EXPECT_EQ(dl.Directory(), d + "/Zeta/beta");
    EXPECT_EQ(fl.Directory(), d + "/Zeta/beta");
    EXPECT_EQ(fl.Mask(), "*.wav");

    // Above the root there is only the root.
    dl.SetDirectory("/../..");
    EXPECT_EQ(dl.Directory(), "/");
    EXPECT_EQ(fl.Directory(), "/");
    EXPECT_EQ(dl.count() > 0 ? dl.item(0)->text() : QString(), "/");
    EXPECT_EQ(dl.IndexCourant(), 0);
    fl.SetDirectory("/..");
    EXPECT_EQ(fl.Directory(), "/");
}

TEST(ListeLecteurs, VolumeKinds)
{
    struct Cas {
        VolumeMonte v;
        TDriveType type;
    };
    const Cas cas[] = {
        {{"/", "ext4", "/dev/sda1", "", false}, dtFixed},
        {{"/run", "tmpfs", "tmpfs", "", false}, dtRAM},
        {{"/mnt/r", "ramfs", "none", "", false}, dtRAM},
        {{"/media/cd", "iso9660", "/dev/sr0", "DISC", true}, dtCDROM},
        {{"/media/dvd", "udf", "/dev/sr0", "", true}, dtCDROM},
        {{"/net/a", "nfs4", "srv:/a", "", false}, dtNetwork},
        {{"/net/b", "cifs", "//srv/b", "", false}, dtNetwork},
        {{"/net/c", "fuse.sshfs", "me@srv:", "", false}, dtNetwork},
        {{"/media/usb", "vfat", "/dev/sdb1", "STICK", true}, dtFloppy},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(TypeDeVolume(c.v), c.type) << c.v.Racine.toStdString();
}

TEST(ListeLecteurs, FiltersByDriveTypesAndShowsLabelsOrNetworkNames)
{
    const std::vector<VolumeMonte> volumes{
        {"/", "ext4", "/dev/sda1", "system", false},
        {"/dev/shm", "tmpfs", "tmpfs", "", false},
        {"/media/usb", "vfat", "/dev/sdb1", "STICK", true},
        {"/net/share", "cifs", "//srv/share", "", false},
    };
    TCxDriveComboBox c(nullptr, [&] { return volumes; });
    QStringList textes;
    for (int i = 0; i < c.count(); ++i)
        textes << c.itemText(i);
    EXPECT_EQ(textes, (QStringList{"/: system", "/dev/shm", "/media/usb", "/net/share: //srv/share"}));
    c.SetDrive("/media/usb");
    EXPECT_EQ(c.Drive(), "/media/usb");
    c.SetDriveTypes(DriveTypeBit(dtFixed) | DriveTypeBit(dtNetwork));
    ASSERT_EQ(c.count(), 2);
    EXPECT_EQ(c.RacineElement(1), "/net/share");
    EXPECT_EQ(c.Drive(), "/"); // the chosen drive went; the first one is taken
    // A linked folder list follows the drive chosen.
    TCxDirectoryListBox dl;
    c.SetDirList(&dl);
    c.setCurrentIndex(0);
    c.setCurrentIndex(1);
    c.setCurrentIndex(0);
    EXPECT_EQ(dl.Directory(), "/");
}

TEST_F(ListesFichiers, HourglassFromTheHundredAndFirstEntry)
{
    for (int i = 0; i < 98; ++i)
        Fichier(dossier / ("f" + std::to_string(i) + ".txt"));
    std::vector<bool> sablier;
    platform::InstallerAfficheurSablier([&](bool occupe) { sablier.push_back(occupe); });
    TCxFileListBox l;
    EXPECT_EQ(l.count(), 100);
    EXPECT_TRUE(sablier.empty());
    Fichier(dossier / "last.txt");
    l.Update();
    EXPECT_EQ(l.count(), 101);
    EXPECT_EQ(sablier, (std::vector<bool>{true, false}));
    EXPECT_FALSE(platform::SablierAffiche());
    platform::InstallerAfficheurSablier({});
}

TEST_F(ListesFichiers, ADestroyedTreeIsForgotten)
{
    TCxFileListBox l;
    auto* arbre = new TCxDirectoryTree(nullptr, {d});
    l.SetDirectoryTree(arbre);
    l.SetFileName(d + "/Zeta/*.wav");
    EXPECT_EQ(arbre->Directory(), d + "/Zeta");
    EXPECT_EQ(l.Directory(), d + "/Zeta");
    delete arbre;
    EXPECT_EQ(l.DirectoryTree(), nullptr);
    l.SetFileName(d + "/*.txt"); // goes straight to the list now
    EXPECT_EQ(l.Directory(), d);
    EXPECT_EQ(Textes(l), QStringList{"a.txt"});
}
