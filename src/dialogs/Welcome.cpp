#include "dialogs/Welcome.h"

#include "dialogs/BaseDialogue.h"
#include "document/Langue.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TWelcomeDlg::TWelcomeDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) // no close box
{
    setObjectName(QStringLiteral("WelcomeDlg"));
    setWindowTitle(QStringLiteral("Lyrandaxis"));

    const double s = EchelleEcran();
    const auto L = [s](int n) { return static_cast<int>(platform::Round(n * s)); };
    setFont(PoliceDialogue(PixelsPolice(8, L(96))));
    setFixedSize(L(202), L(253));

    GroupBox1 = new QGroupBox(QStringLiteral(" Select your language "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(L(8), L(8), L(186), L(200));
    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(L(12), L(22), L(162), L(166));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    BT_OK = new QPushButton(QStringLiteral("&OK"), this);
    BT_OK->setObjectName(QStringLiteral("BT_OK"));
    BT_OK->setGeometry(L(63), L(218), L(75), L(25));
    BT_OK->setDefault(true);
    connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ListBox1, &QListWidget::itemDoubleClicked, BT_OK, &QPushButton::click);

    for (const std::string& nom : ListeLangues)
        ListBox1->addItem(QString::fromUtf8(platform::Cp1252VersUtf8(nom)));
    const int choisi = IndexLanguePreselectionnee(ListeLangues);
    if (choisi >= 0)
        ListBox1->setCurrentRow(choisi);
    ListBox1->setFocus(Qt::OtherFocusReason);
}

std::string TWelcomeDlg::LangueChoisie() const
{
    if (ListeLangues.empty())
        return {};
    int i = ListBox1->currentRow();
    if (i < 0 || static_cast<std::size_t>(i) >= ListeLangues.size())
        i = IndexLanguePreselectionnee(ListeLangues); // the list always keeps a choice
    return ListeLangues[static_cast<std::size_t>(i)];
}

void TWelcomeDlg::keyPressEvent(QKeyEvent* e)
{
    // The dialog has no Cancel: Escape does nothing, the user leaves by OK.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TWelcomeDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (const QScreen* ecran = screen()) {
        const QRect zone = ecran->geometry();
        const QRect cadre = frameGeometry();
        move(zone.x() + (zone.width() - cadre.width()) / 2, zone.y() + (zone.height() - cadre.height()) / 2);
    }
}

QString TexteAucuneLangue()
{
    return QStringLiteral("No language patch installed (files *.lxl).\n\n"
                          "Please install at least one patch to start correctly the software.");
}

std::string ChoisirLangueWelcome()
{
    TWelcomeDlg dlg;
    if (ListeLangues.empty())
        QMessageBox::information(nullptr, QStringLiteral("Lyrandaxis"), TexteAucuneLangue());
    dlg.exec();
    return dlg.LangueChoisie();
}

void InstallerWelcomeDlg()
{
    InstallerDialogueChoixLangue(&ChoisirLangueWelcome);
}
