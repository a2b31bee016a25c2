// The directory tree over a folder tree of its own: lazy filling one level ahead, the order
// and the folders left out, following a path, and a symbolic link that loops back.
#include "controls/CxFilSys.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>

#include <filesystem>

#include <sys/stat.h>

namespace {

QStringList Enfants(const QTreeWidgetItem* n)
{
    QStringList noms;
    for (int i = 0; i < n->childCount(); ++i)
        noms << n->child(i)->text(0);
    return noms;
}

class ArbreDossiers : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString dossier = QString::fromStdString(lyrx_test::DossierDuTest().string());
        base = dossier + "/racine";
        QDir d;
        for (const char* sous : {"beta", "Alpha/sub/deep", "gamma", ".cache/x", "Zeta", "verrou/dedans"})
            ASSERT_TRUE(d.mkpath(base + "/" + sous));
        namespace fs = std::filesystem;
        fs::create_directory_symlink("..", (base + "/gamma/loop").toStdString());
        fs::create_directory_symlink(".", (base + "/Alpha/self").toStdString());
        fs::permissions((base + "/verrou").toStdString(), fs::perms::none);
        // The tree runs with the process's folder outside it.
        ASSERT_TRUE(QDir::setCurrent(dossier));
    }
    void TearDown() override
    {
        std::filesystem::permissions((base + "/verrou").toStdString(), std::filesystem::perms::owner_all);
        QDir::setCurrent(ancien);
    }

    QString ancien = QDir::currentPath();
    QString base;
};

} // namespace

TEST_F(ArbreDossiers, RootFillsItsFirstLevelSortedWithoutHiddenFolders)
{
    TCxDirectoryTree arbre(nullptr, {base});
    ASSERT_EQ(arbre.topLevelItemCount(), 1);
    QTreeWidgetItem* racine = arbre.topLevelItem(0);
    EXPECT_EQ(racine->text(0), base);
    EXPECT_EQ(Enfants(racine), (QStringList{"Alpha", "beta", "gamma", "verrou", "Zeta"}));
    // Lazily: the children are not filled before their parent opens.
    EXPECT_FALSE(arbre.Rempli(racine->child(0)));
    racine->setExpanded(true);
    EXPECT_TRUE(arbre.Rempli(racine->child(0)));
    EXPECT_EQ(Enfants(racine->child(0)), (QStringList{"self", "sub"}));
    EXPECT_FALSE(arbre.Rempli(racine->child(0)->child(1))); // Alpha/sub waits for Alpha to open
    EXPECT_TRUE(arbre.ReadOnly());
}

TEST_F(ArbreDossiers, SelectingANodeSetsDirectoryAndTheProcessFolder)
{
    TCxDirectoryTree arbre(nullptr, {base});
    QLabel etiquette;
    etiquette.resize(2000, 20);
    arbre.SetDirLabel(&etiquette);
    int changements = 0, lecteurs = 0;
    QString vuDansChange;
    arbre.OnChange = [&] {
        ++changements;
        vuDansChange = arbre.Directory();
    };
    arbre.OnDriveChange = [&] { ++lecteurs; };

    QTreeWidgetItem* racine = arbre.topLevelItem(0);
    arbre.setCurrentItem(racine);
    EXPECT_EQ(arbre.Directory(), base);
    EXPECT_EQ(lecteurs, 1);
    racine->setExpanded(true);
    arbre.setCurrentItem(racine->child(1));
    EXPECT_EQ(arbre.Directory(), base + "/beta");
    EXPECT_EQ(vuDansChange, base + "/beta");
    EXPECT_EQ(QDir::currentPath(), base + "/beta");
    EXPECT_EQ(etiquette.text(), base + "/beta");
    EXPECT_EQ(changements, 2);
    EXPECT_EQ(lecteurs, 1);

    // The changing event may refuse: nothing moves.
    arbre.OnChanging = [](QTreeWidgetItem*, bool& permis) { permis = false; };
    arbre.setCurrentItem(racine->child(2));
    EXPECT_EQ(arbre.currentItem(), racine->child(1));
    EXPECT_EQ(arbre.Directory(), base + "/beta");
}

TEST_F(ArbreDossiers, SetDirectoryWalksDownToTheNode)
{
    TCxDirectoryTree arbre(nullptr, {base});
    arbre.SetDirectory(base + "/Alpha/./sub/deep/");
    ASSERT_TRUE(arbre.currentItem());
    EXPECT_EQ(arbre.currentItem()->text(0), "deep");
    EXPECT_EQ(arbre.Directory(), base + "/Alpha/sub/deep");

    // A folder below a hidden one: the folder asked for, its hidden parent given a node on the
    // way (and only that one: the other hidden folders stay out).
    arbre.SetDirectory(base + "/.cache/x");
    EXPECT_EQ(arbre.Directory(), base + "/.cache/x");
    ASSERT_TRUE(arbre.currentItem());
    EXPECT_EQ(arbre.currentItem()->text(0), "x");
    EXPECT_EQ(Enfants(arbre.topLevelItem(0)), (QStringList{".cache", "Alpha", "beta", "gamma", "verrou", "Zeta"}));
    EXPECT_EQ(QDir::currentPath(), base + "/.cache/x");

    // A path that does not exist is refused and changes nothing.
    arbre.SetDirectory(base + "/beta");
    try {
        arbre.SetDirectory(base + "/absent");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), ("The " + base + "/absent directory does not exist").toStdString());
    }
    EXPECT_EQ(arbre.Directory(), base + "/beta");

    // The current folder again, or nothing, does nothing.
    int changements = 0;
    arbre.OnChange = [&] { ++changements; };
    arbre.SetDirectory(base + "/beta");
    arbre.SetDirectory(QString());
    EXPECT_EQ(changements, 0);
}

TEST_F(ArbreDossiers, LoopingLinksAreListedButNeverFilledYetAPathThroughThemIsReached)
{
    TCxDirectoryTree arbre(nullptr, {base});
    QTreeWidgetItem* racine = arbre.topLevelItem(0);
    racine->setExpanded(true);
    // gamma/loop leads back to the root, Alpha/self to Alpha: opening them shows nothing.
    QTreeWidgetItem* gamma = racine->child(2);
    ASSERT_EQ(gamma->text(0), "gamma");
    gamma->setExpanded(true);
    ASSERT_EQ(Enfants(gamma), QStringList{"loop"});
    gamma->child(0)->setExpanded(true);
    EXPECT_EQ(gamma->child(0)->childCount(), 0);
    QTreeWidgetItem* alpha = racine->child(0);
    alpha->setExpanded(true);
    QTreeWidgetItem* self = alpha->child(0);
    ASSERT_EQ(self->text(0), "self");
    self->setExpanded(true);
    EXPECT_EQ(self->childCount(), 0);

    // Opening everything that can be opened ends.
    std::function<void(QTreeWidgetItem*)> toutOuvrir = [&](QTreeWidgetItem* n) {
        n->setExpanded(true);
        for (int i = 0; i < n->childCount(); ++i)
            toutOuvrir(n->child(i));
    };
    toutOuvrir(racine);
    EXPECT_NE(arbre.NoeudDe(base + "/Alpha/sub/deep"), nullptr);

    // A path through the loops selects that very path, not the first loop on its way.
    int changements = 0;
    arbre.OnChange = [&] { ++changements; };
    const QString parLesBoucles = base + "/gamma/loop/gamma/loop/Alpha/self/self/sub";
    arbre.SetDirectory(parLesBoucles);
    EXPECT_EQ(arbre.Directory(), parLesBoucles);
    ASSERT_TRUE(arbre.currentItem());
    EXPECT_EQ(arbre.currentItem(), arbre.NoeudDe(parLesBoucles));
    EXPECT_EQ(arbre.currentItem()->text(0), "sub");
    EXPECT_EQ(QDir::currentPath(), base + "/Alpha/sub"); // the process knows it by its real path
    EXPECT_EQ(changements, 1);

    // Links that point at each other lead nowhere: refused, and the selection stays.
    namespace fs = std::filesystem;
    fs::create_directory_symlink("ping", (base + "/gamma/pong").toStdString());
    fs::create_directory_symlink("pong", (base + "/gamma/ping").toStdString());
    for (const QString& chemin : {base + "/gamma/ping", base + "/gamma/ping/x"}) {
        try {
            arbre.SetDirectory(chemin);
            ADD_FAILURE() << "no error for " << chemin.toStdString();
        } catch (const EInOutError& e) {
            EXPECT_EQ(std::string(e.what()), ("The " + chemin + " directory does not exist").toStdString());
        }
    }
    EXPECT_EQ(arbre.Directory(), parLesBoucles);
    EXPECT_EQ(changements, 1);
}

TEST_F(ArbreDossiers, FoldersWhoseNamesAreNotUtf8AreShownAndOpenedByTheirBytes)
{
    // Names from an old disk, in Windows-1252: "café" and "Ærø" as single bytes.
    const QByteArray cafe = QFile::encodeName(base) + "/caf\xe9";
    const QByteArray aero = QFile::encodeName(base) + "/\xc6r\xf8";
    ASSERT_EQ(::mkdir(cafe.constData(), 0755), 0);
    ASSERT_EQ(::mkdir(aero.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((cafe + "/dedans").constData(), 0755), 0);

    TCxDirectoryTree arbre(nullptr, {base});
    QTreeWidgetItem* racine = arbre.topLevelItem(0);
    EXPECT_EQ(Enfants(racine), (QStringList{"Alpha", "beta", QString::fromUtf8("caf\u00e9"), "gamma", "verrou",
                                            "Zeta", QString::fromUtf8("\u00c6r\u00f8")}));

    arbre.SetDirectory(cafe + "/dedans");
    EXPECT_EQ(arbre.DirectoryOctets(), cafe + "/dedans");
    EXPECT_EQ(arbre.Directory(), base + QString::fromUtf8("/caf\u00e9/dedans"));
    ASSERT_TRUE(arbre.currentItem());
    EXPECT_EQ(arbre.currentItem()->text(0), "dedans");
    EXPECT_EQ(std::filesystem::current_path().string(), (cafe + "/dedans").toStdString());

    // Picked in the tree, the folder keeps its bytes too.
    arbre.setCurrentItem(arbre.NoeudDe(aero));
    EXPECT_EQ(arbre.DirectoryOctets(), aero);
    EXPECT_EQ(std::filesystem::current_path().string(), aero.toStdString());
}

TEST_F(ArbreDossiers, InaccessibleRootIsRefusedWithAMessage)
{
    TCxDirectoryTree arbre(nullptr, {base, base + "/absent-media"});
    QStringList messages;
    arbre.AfficherErreur = [&](const QString& m) { messages << m; };
    arbre.setCurrentItem(arbre.topLevelItem(0));
    arbre.setCurrentItem(arbre.topLevelItem(1));
    EXPECT_EQ(messages, QStringList{"Drive " + base + "/absent-media is not accessible"});
    EXPECT_EQ(arbre.currentItem(), arbre.topLevelItem(0));
    EXPECT_EQ(arbre.Directory(), base);
}

TEST_F(ArbreDossiers, RefreshKeepsTheFolderAndShowsNewOnes)
{
    TCxDirectoryTree arbre(nullptr, {base});
    arbre.SetDirectory(base + "/Alpha/sub");
    QDir().mkpath(base + "/Alpha/aaa");
    arbre.RefreshTree();
    EXPECT_EQ(arbre.Directory(), base + "/Alpha/sub");
    EXPECT_EQ(Enfants(arbre.topLevelItem(0)->child(0)), (QStringList{"aaa", "self", "sub"}));
}

TEST_F(ArbreDossiers, RenameOnlyWhenNotReadOnly)
{
    TCxDirectoryTree arbre(nullptr, {base});
    QStringList messages;
    arbre.AfficherErreur = [&](const QString& m) { messages << m; };
    arbre.SetDirectory(base + "/Zeta");
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&arbre, &f2);
    EXPECT_FALSE(arbre.isPersistentEditorOpen(arbre.currentItem()));

    arbre.SetReadOnly(false);
    QApplication::sendEvent(&arbre, &f2);
    // What the editor would commit:
    arbre.currentItem()->setText(0, "Omega");
    EXPECT_TRUE(QFileInfo(base + "/Omega").isDir());
    EXPECT_EQ(arbre.Directory(), base + "/Omega");

    QApplication::sendEvent(&arbre, &f2);
    arbre.currentItem()->setText(0, "a/b");
    EXPECT_EQ(arbre.currentItem()->text(0), "Omega");
    EXPECT_EQ(messages.size(), 1);
}
