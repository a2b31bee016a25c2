// The About window: its captions from the language file, the translator's line, and the link.
#include "print/Apropos.h"

#include "document/Langue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>

#include <cstdlib>

namespace {

class Apropos : public ::testing::Test {
protected:
    std::vector<QString> ouverts;

    void SetUp() override
    {
        Vider();
        InstallerLanceurLien([this](const QString& lien) {
            ouverts.push_back(lien);
            return true;
        });
    }
    void TearDown() override
    {
        InstallerLanceurLien({});
        Vider();
    }
    static void Vider()
    {
        TableLangue.clear();
        DictionnaireLangue.clear();
        RaccourcisAuto = false;
        AuteurPatche.clear();
    }
};

TEST_F(Apropos, EnglishCaptionsAndTheTranslator)
{
    ASSERT_TRUE(ChargerLangue(LYRX_SOURCE_DIR "/data", "English"));
    TAproposForm f;
    f.show();
    EXPECT_EQ(f.objectName(), QStringLiteral("TAproposForm"));
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Lyrandaxis"));
    EXPECT_TRUE(f.Label1->font().bold());
    EXPECT_EQ(f.Version->text(), QStringLiteral("Version 2.2"));
    EXPECT_EQ(f.Droits->text(), QStringLiteral("Copyright \u00A9 the Lyrandaxis authors. All rights reserved."));
    // The file asks for automatic shortcuts: the OK button gets one.
    EXPECT_EQ(f.BT_OK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(f.PatcheAuteur->text(), QStringLiteral("Lyrandaxis team"));
    EXPECT_EQ(f.Image2->x() + f.Image2->width() + 2, f.Panel3->width());
    EXPECT_EQ(f.size(), QSize(326, 392));
}

TEST_F(Apropos, PartialLanguageFilesKeepTheBuiltInTexts)
{
    // No section at all: every built-in text.
    {
        TAproposForm f;
        f.show();
        EXPECT_EQ(f.BT_OK->text(), QStringLiteral("OK"));
        EXPECT_EQ(f.Version->text(), QStringLiteral("version 2.2"));
        EXPECT_TRUE(f.PatcheAuteur->text().isEmpty());
    }
    // The shared texts only: the translated OK without an accelerator, the form's version.
    TableLangue = {"### PATCH CONFIGURATION ###", "\"Ana\"", "AUTOMATIC SHORTCUTS", "DLG_000", "\"D'accord\""};
    ConstruireDictionnaire();
    {
        TAproposForm f;
        f.show();
        EXPECT_EQ(f.BT_OK->text(), QStringLiteral("D'accord"));
        EXPECT_EQ(f.Version->text(), QStringLiteral("version 2.2"));
        EXPECT_EQ(f.PatcheAuteur->text(), QStringLiteral("Ana"));
    }
    // The number is the program's, whatever the line says.
    TableLangue.insert(TableLangue.end(), {"GENE_000", "\"Versi\xF3n 9.9\"", "\"Derechos\""});
    ConstruireDictionnaire();
    TAproposForm f;
    f.show();
    EXPECT_EQ(f.Version->text(), QString::fromUtf8("Versi\xC3\xB3n 9.9 2.2"));
    EXPECT_EQ(f.Droits->text(), QStringLiteral("Derechos"));
    EXPECT_EQ(f.BT_OK->text(), QStringLiteral("&D'accord"));
}

TEST_F(Apropos, TheLinkOpensItsCaptionAndTurnsVisited)
{
    TAproposForm f;
    f.show();
    // The component library's web-link label, found under its name.
    TCxURLLabel* lien = f.CxURLLabel1;
    ASSERT_NE(lien, nullptr);
    EXPECT_EQ(f.findChild<TCxURLLabel*>(QStringLiteral("CxURLLabel1")), lien);
    EXPECT_TRUE(lien->URL().isEmpty());
    EXPECT_EQ(lien->text(), QString::fromLatin1(TAproposForm::AdresseWeb));
    EXPECT_TRUE(lien->font().underline());
    EXPECT_EQ(lien->TextStyle(), tsNormal);
    EXPECT_EQ(lien->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(lien->FontColor(), clHighlight);
    // Centred in the inner panel, wide enough for the whole address.
    EXPECT_GE(lien->width(), lien->fontMetrics().horizontalAdvance(lien->text()));
    EXPECT_LE(std::abs(lien->x() * 2 + lien->width() - f.Panel3->width()), 1);

    const QPointF centre(lien->width() / 2.0, lien->height() / 2.0);
    const QPointF global = lien->mapToGlobal(centre);
    QMouseEvent presse(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent lache(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(lien, &presse);
    QCoreApplication::sendEvent(lien, &lache);
    ASSERT_EQ(ouverts.size(), 1u);
    EXPECT_EQ(ouverts[0], QString::fromLatin1(TAproposForm::AdresseWeb));
    EXPECT_TRUE(lien->Visited());
    EXPECT_EQ(lien->FontColor(), lien->VisitedColor());

    // A link of its own wins over the caption; a blank one and a blank caption open nothing.
    lien->SetURL(QStringLiteral("http://example.org/credits"));
    lien->Click();
    EXPECT_EQ(ouverts.back(), QStringLiteral("http://example.org/credits"));
    lien->SetURL(QStringLiteral("   "));
    lien->setText(QStringLiteral("  "));
    lien->Click();
    EXPECT_EQ(ouverts.size(), 2u);
}

} // namespace
